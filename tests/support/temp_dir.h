// Files and folders for tests: a fresh directory per test (the sandbox's own helper, removed
// with everything in it), whole-file reads and writes, and a scoped current directory.
#ifndef TRUV_TESTS_SUPPORT_TEMP_DIR_H
#define TRUV_TESTS_SUPPORT_TEMP_DIR_H

#include <string>

#include "suite/sandbox.h"

using suite::TempDir;

/// `dir` and `name` joined by the platform's separator, byte for byte.
std::string JoinPath(const std::string& dir, const std::string& name);

/// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

/// Creates or replaces a file with `bytes`.
void WriteWholeFile(const std::string& path, const std::string& bytes);

/// Makes the current directory `dir` for as long as it lives, then restores the old one.
class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& dir);
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;
    ~CurrentDirectoryScope();

private:
    std::string previous_;
};

#endif  // TRUV_TESTS_SUPPORT_TEMP_DIR_H

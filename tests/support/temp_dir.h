// A fresh directory for one test, removed with everything in it when the test ends.
#ifndef TRUV_TESTS_SUPPORT_TEMP_DIR_H
#define TRUV_TESTS_SUPPORT_TEMP_DIR_H

#include <string>

class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    /// The directory in the platform's form (no trailing separator).
    const std::string& Path() const { return path_; }
    /// Path() joined with `name` by the platform's separator.
    std::string operator/(const std::string& name) const;

private:
    std::string path_;
};

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

// Files and folders for tests, on the suite's system helpers.
#include "support/temp_dir.h"

#include "os/os.h"
#include "suite/system.h"

std::string JoinPath(const std::string& dir, const std::string& name) {
    return suite::sys::Join(dir, name);
}

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    if (suite::sys::ReadWholeFile(path, bytes) != suite::sys::ReadResult::Read) return {};
    return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    suite::sys::WriteWholeFile(path, bytes);
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::string& dir)
    : previous_(os::CurrentDirectory().value_or(".")) {
    os::SetCurrentDirectory(dir);
}

CurrentDirectoryScope::~CurrentDirectoryScope() {
    os::SetCurrentDirectory(previous_);
}

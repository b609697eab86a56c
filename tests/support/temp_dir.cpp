// A fresh directory for one test, removed with everything in it when the test ends.
#include "support/temp_dir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "os/os.h"

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (;;) {
        const fs::path candidate =
            base / ("truv-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
        if (fs::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Read-only files left by a test must not keep the directory alive.
    for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    // Plain bytes: a std::filesystem path would reinterpret GBK names on Windows.
#ifdef _WIN32
    return dir + "\\" + name;
#else
    return dir + "/" + name;
#endif
}

std::string TempDir::operator/(const std::string& name) const {
    return JoinPath(path_, name);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::string& dir)
    : previous_(os::CurrentDirectory().value_or(".")) {
    os::SetCurrentDirectory(dir);
}

CurrentDirectoryScope::~CurrentDirectoryScope() {
    os::SetCurrentDirectory(previous_);
}

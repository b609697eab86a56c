// What the fuzz targets share.
#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fuzz {
namespace {

std::string MakeScratchDir() {
    std::string base = "/dev/shm";
    if (!std::filesystem::is_directory(base)) {
        const char* tmp = std::getenv("TMPDIR");
        base = tmp != nullptr && *tmp ? tmp : "/tmp";
    }
    std::string pattern = base + "/truv-fuzz-XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr, "cannot make a scratch directory");
    return pattern;
}

struct Scratch {
    std::string path = MakeScratchDir();
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

Record& Recorded() {
    static Record record;
    return record;
}

const std::string& ScratchDir() {
    static Scratch scratch;
    return scratch.path;
}

void WriteWhole(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    Check(out.good(), "cannot write a scratch file");
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Check(in.good(), "cannot read a scratch file");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

}  // namespace fuzz

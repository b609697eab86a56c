// Registry changes for the sandbox, POSIX half: the registry store file that TRUV_REGISTRY
// names (a section per key, "name=value" strings, "name:dword=0xHHHHHHHH").
#include "suite/registry_override.h"

#include <cstdio>
#include <stdexcept>

#include "suite/system.h"

namespace suite {
namespace {

std::string SectionLine() {
    return std::string("[HKEY_LOCAL_MACHINE\\") + kRootKeyPath + "]\n";
}

void WriteStore(const std::string& path, const std::string& text) {
    if (!sys::WriteWholeFile(path, text)) {
        throw std::runtime_error("cannot write the registry store " + path);
    }
}

}  // namespace

RegistryOverride::RegistryOverride(std::string storePath) : storePath_(std::move(storePath)) {}

// The store lies inside the sandbox and goes with it.
RegistryOverride::~RegistryOverride() = default;

void RegistryOverride::SetString(const std::string& bytes, bool terminated) {
    // Every string of the store stands for a value with its terminating NUL.
    if (!terminated) {
        throw std::logic_error("the registry store holds no strings without a terminator");
    }
    // A line ends at LF and loses a CR before it: such values cannot be stored.
    if (bytes.find('\n') != std::string::npos || bytes.ends_with('\r')) {
        throw std::invalid_argument("the registry store cannot hold this value");
    }
    WriteStore(storePath_, SectionLine() + kRootValueName + "=" + bytes + "\n");
}

void RegistryOverride::SetDword(std::uint32_t value) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value));
    WriteStore(storePath_, SectionLine() + kRootValueName + ":dword=" + hex + "\n");
}

void RegistryOverride::RemoveValue() {
    WriteStore(storePath_, SectionLine());
}

void RegistryOverride::RemoveKey() {
    WriteStore(storePath_, "; no keys\n");
}

}  // namespace suite

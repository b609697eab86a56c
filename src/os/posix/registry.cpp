// POSIX half of the OS seam: HKEY_LOCAL_MACHINE read from a text store.
//
// The store is the file that TRUV_REGISTRY names, else /etc/truv/registry, read afresh at
// every call:
//     ; or # opens a comment line
//     [HKEY_LOCAL_MACHINE\SOFTWARE\TRUV\MAIN\PATH]
//     CFG=/srv/truv                 a string: every byte after the first '=', not trimmed
//     Other:dword=0x00000001        a DWORD, queried as four little-endian bytes
// Key paths and value names compare without regard to ASCII case; a key exists when its
// section line does. The first of two equal sections or values counts. The store is only
// read, so the requested access rights are not checked.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "os/os.h"
#include "os/posix/posix_support.h"

namespace os {
namespace {

constexpr const char* kDefaultStore = "/etc/truv/registry";
constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE\\";
constexpr std::string_view kDwordSuffix = ":dword";

struct StoreKey {
    std::string path;  // sub-key of HKEY_LOCAL_MACHINE, as opened
};

struct StoreValue {
    std::string data;  // the raw bytes the registry reports, without a string's NUL
    bool isString = true;
};

std::optional<std::vector<std::string>> ReadStoreLines() {
    const char* named = std::getenv("TRUV_REGISTRY");
    std::FILE* stream = std::fopen(named != nullptr ? named : kDefaultStore, "rb");
    if (stream == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> lines(1);
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
        if (c == '\n') {
            if (!lines.back().empty() && lines.back().back() == '\r') {
                lines.back().pop_back();
            }
            lines.emplace_back();
        } else {
            lines.back() += static_cast<char>(c);
        }
    }
    std::fclose(stream);
    return lines;
}

bool IsComment(const std::string& line) {
    return !line.empty() && (line[0] == ';' || line[0] == '#');
}

// The key path of a section line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::size_t close = line.rfind(']');
    if (line.empty() || line[0] != '[' || close == std::string_view::npos) {
        return std::nullopt;
    }
    return line.substr(1, close - 1);
}

bool IsKey(std::string_view section, std::string_view subKey) {
    return section.size() == kRootName.size() + subKey.size() &&
           posix::EqualsIgnoringCase(section.substr(0, kRootName.size()), kRootName) &&
           posix::EqualsIgnoringCase(section.substr(kRootName.size()), subKey);
}

// Index of the line after the key's section line; nothing when the key is not there.
std::optional<std::size_t> FindKey(const std::vector<std::string>& lines, std::string_view subKey) {
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::optional<std::string_view> section = SectionName(lines[index]);
        if (section && IsKey(*section, subKey)) {
            return index + 1;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ParseDword(std::string_view text) {
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        return std::nullopt;
    }
    const std::string digits(text.substr(2));
    char* end = nullptr;
    const unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (end != digits.c_str() + digits.size()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

// The value `name` in the section that starts at `from`.
std::optional<StoreValue> FindValue(const std::vector<std::string>& lines, std::size_t from,
                                    std::string_view name) {
    for (std::size_t index = from; index < lines.size() && !SectionName(lines[index]); ++index) {
        const std::string_view line = lines[index];
        const std::size_t equals = line.find('=');
        if (IsComment(lines[index]) || equals == std::string_view::npos) {
            continue;
        }
        std::string_view valueName = line.substr(0, equals);
        const std::string_view data = line.substr(equals + 1);
        if (posix::EqualsIgnoringCase(valueName, name)) {
            return StoreValue{std::string(data), true};
        }
        if (valueName.size() >= kDwordSuffix.size() &&
            posix::EqualsIgnoringCase(valueName.substr(valueName.size() - kDwordSuffix.size()),
                                      kDwordSuffix)) {
            valueName.remove_suffix(kDwordSuffix.size());
            const std::optional<std::uint32_t> number = ParseDword(data);
            if (number && posix::EqualsIgnoringCase(valueName, name)) {
                std::string bytes(4, '\0');
                for (std::size_t byte = 0; byte < 4; ++byte) {
                    bytes[byte] = static_cast<char>((*number >> (8 * byte)) & 0xFF);
                }
                return StoreValue{bytes, false};
            }
        }
    }
    return std::nullopt;
}

// RegQueryValueExA's rules for the buffer: too small -> ERROR_MORE_DATA and the buffer
// untouched. A string of the store stands for a value stored with its terminating NUL (as
// every ordinary writer stores it), so it needs room for the NUL too.
Status CopyValue(const StoreValue& value, char* buffer, std::uint32_t& size) {
    const auto length = static_cast<std::uint32_t>(value.data.size());
    const std::uint32_t needed = value.isString ? length + 1 : length;
    if (buffer == nullptr) {
        size = needed;
        return kSuccess;
    }
    if (needed <= size) {
        std::memcpy(buffer, value.data.data(), length);
        if (value.isString) {
            buffer[length] = '\0';
        }
        size = needed;
        return kSuccess;
    }
    size = needed;
    return posix::Fail(kMoreData);
}

}  // namespace

Status RegistryOpen(const std::string& subKey, std::uint32_t /*access*/, RegistryKey& key) {
    key = nullptr;
    const std::optional<std::vector<std::string>> lines = ReadStoreLines();
    if (!lines || !FindKey(*lines, subKey)) {
        return posix::Fail(kFileNotFound);
    }
    key = new StoreKey{subKey};
    return kSuccess;
}

Status RegistryQuery(RegistryKey key, const std::string& valueName, char* buffer,
                     std::uint32_t& size) {
    if (key == nullptr) {
        return posix::Fail(kInvalidHandle);
    }
    const std::optional<std::vector<std::string>> lines = ReadStoreLines();
    const std::optional<std::size_t> section =
        lines ? FindKey(*lines, static_cast<StoreKey*>(key)->path) : std::nullopt;
    if (!section) {
        return posix::Fail(kFileNotFound);
    }
    const std::optional<StoreValue> value = FindValue(*lines, *section, valueName);
    if (!value) {
        return posix::Fail(kFileNotFound);
    }
    return CopyValue(*value, buffer, size);
}

void RegistryClose(RegistryKey key) {
    delete static_cast<StoreKey*>(key);
}

}  // namespace os

// POSIX half of the OS seam: HKEY_LOCAL_MACHINE read from a text store.
//
// The store is the file that TRUV_REGISTRY names, else /etc/truv/registry, read afresh at
// every opening of a key:
//     ; or # opens a comment line
//     [HKEY_LOCAL_MACHINE\SOFTWARE\TRUV\MAIN\PATH]
//     CFG=/srv/truv                 a string: every byte after the first '=', not trimmed
//     Other:dword=0x00000001        a DWORD, queried as four little-endian bytes
// Key paths and value names compare without regard to ASCII case; a key exists when its
// section line does. The first of two equal sections or values counts. The store is only
// read, so the requested access rights are not checked.
//
// The store is UTF-8 text, as the system's other files, and its path in TRUV_REGISTRY a name
// of the file system: both are translated to GBK (transcode.h), the store line by line, so
// that a value names a folder as the plug-in spells it; a line that cannot be translated
// exactly refuses the store as a whole, like any other bad line. Lines end with LF, CR LF or
// the end of the file; a UTF-8 byte-order mark at the start is skipped. A store with any other line
// (a section line not closed by ']' at its end, a line that is neither blank, comment, section nor
// NAME=..., a DWORD that is not 0x and one to eight hex digits) is refused as a whole, ERROR_BADDB,
// and the file and line are named on standard error: a half-read store would hand out wrong values.
// So is a store that is no regular file (a FIFO is never waited for, a device never read) or is
// larger than 1 MiB.
//
// An open key holds the lines of its section as the store had them at the opening, and its
// values are answered from them: a key's values are those of the store as of its opening, as
// a program that opens a key and queries it a moment later can tell no difference, and the
// store is read once per key instead of once per call.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/transcode.h"

namespace os {
namespace {

constexpr const char* kDefaultStore = "/etc/truv/registry";
constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE\\";
constexpr std::string_view kDwordSuffix = ":dword";

struct StoreKey {
    std::vector<std::string> lines;  // the key's section after its section line, as opened
};

struct StoreValue {
    std::string data;  // the raw bytes the registry reports, without a string's NUL
    bool isString = true;
};

constexpr Status kBadDb = 1009;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A real store holds a few lines; a larger one is refused as a whole.
constexpr std::size_t kStoreLimit = 1 << 20;
constexpr const char* kNotTranslated = "not UTF-8 text, or a character that GBK cannot spell";

std::optional<std::string> CheckLine(const std::string& line);

struct StoreLines {
    std::vector<std::string> lines;
    Status status = kSuccess;  // kFileNotFound for no store, kBadDb for a refused one
};

// Why a store that exists cannot be read, for the message on standard error.
const char* UnreadableReason(Status status) {
    switch (status) {
        case kAccessDenied:
            return "not a regular file, or not readable";
        case kFileTooLarge:
            return "larger than 1 MiB";
        case kInvalidName:
            return "a path that GBK cannot spell";
        default:
            return "cannot be read";
    }
}

StoreLines ReadStoreLines() {
    const char* named = std::getenv("TRUV_REGISTRY");
    const char* path = named != nullptr ? named : kDefaultStore;
    const std::optional<std::string> gbkPath = posix::GbkName(path);
    // Shared, since other hosts may read it at the same moment; a FIFO or a device is never
    // waited for, and a half-read store would hand out wrong values.
    std::string bytes;
    const Status read =
        gbkPath ? ReadSmallFile(*gbkPath, kStoreLimit, Sharing::kShared, bytes) : kInvalidName;
    if (read == kFileNotFound || read == kPathNotFound) {
        return {{}, kFileNotFound};
    }
    if (read != kSuccess) {
        std::fprintf(stderr, "registry store %s: %s\n", path, UnreadableReason(read));
        return {{}, kBadDb};
    }
    if (bytes.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
        bytes.erase(0, kByteOrderMark.size());
    }
    StoreLines store;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) {
            end = bytes.size();
        }
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        std::optional<std::string> line = posix::GbkName(bytes.substr(start, end - start));
        if (!line) {
            std::fprintf(stderr, "registry store %s, line %zu: %s\n", path, store.lines.size() + 1,
                         kNotTranslated);
            return {{}, kBadDb};
        }
        store.lines.push_back(std::move(*line));
        start = next;
    }
    for (std::size_t index = 0; index < store.lines.size(); ++index) {
        if (const std::optional<std::string> problem = CheckLine(store.lines[index])) {
            std::fprintf(stderr, "registry store %s, line %zu: %s\n", path, index + 1,
                         problem->c_str());
            return {{}, kBadDb};
        }
    }
    return store;
}

bool IsComment(const std::string& line) {
    return !line.empty() && (line[0] == ';' || line[0] == '#');
}

// The key path of a section line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    if (line.size() < 2 || line[0] != '[' || line.back() != ']') {
        return std::nullopt;
    }
    return line.substr(1, line.size() - 2);
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

bool IsDwordName(std::string_view valueName) {
    return valueName.size() >= kDwordSuffix.size() &&
           posix::EqualsIgnoringCase(valueName.substr(valueName.size() - kDwordSuffix.size()),
                                     kDwordSuffix);
}

// "0x" and one to eight hex digits, nothing else.
std::optional<std::uint32_t> ParseDword(std::string_view text) {
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : text.substr(2)) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

// What is wrong with a line of the store; nothing for a good one.
std::optional<std::string> CheckLine(const std::string& line) {
    if (line.empty() || IsComment(line)) {
        return std::nullopt;
    }
    if (line[0] == '[') {
        if (line.back() != ']') {
            return "a section line must end with ']'";
        }
        return std::nullopt;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return "expected a section [KEY], a comment or NAME=VALUE";
    }
    if (IsDwordName(std::string_view(line).substr(0, equals)) &&
        !ParseDword(std::string_view(line).substr(equals + 1))) {
        return "a DWORD value must be 0x followed by 1 to 8 hex digits";
    }
    return std::nullopt;
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
        if (IsDwordName(valueName)) {
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
    StoreLines store = ReadStoreLines();
    if (store.status != kSuccess) {
        return posix::Fail(store.status);
    }
    const std::optional<std::size_t> section = FindKey(store.lines, subKey);
    if (!section) {
        return posix::Fail(kFileNotFound);
    }
    const auto from = store.lines.begin() + static_cast<std::ptrdiff_t>(*section);
    const auto end = std::find_if(from, store.lines.end(), [](const std::string& line) {
        return SectionName(line).has_value();
    });
    key = new StoreKey{{std::make_move_iterator(from), std::make_move_iterator(end)}};
    return kSuccess;
}

Status RegistryQuery(RegistryKey key, const std::string& valueName, char* buffer,
                     std::uint32_t& size) {
    if (key == nullptr) {
        return posix::Fail(kInvalidHandle);
    }
    const std::optional<StoreValue> value =
        FindValue(static_cast<StoreKey*>(key)->lines, 0, valueName);
    if (!value) {
        return posix::Fail(kFileNotFound);
    }
    return CopyValue(*value, buffer, size);
}

void RegistryClose(RegistryKey key) {
    delete static_cast<StoreKey*>(key);
}

}  // namespace os

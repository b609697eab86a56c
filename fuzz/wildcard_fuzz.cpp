// WildcardMatch against a plain dynamic-programming matcher over the same characters: '*' any
// run, '?' one character (a GBK double-byte or UTF-8 multi-byte character is one), ASCII
// letters without regard to case. Input: an encoding byte (odd: UTF-8, even: GBK), pattern,
// a NUL, name.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "os/wildcard.h"

namespace {

std::size_t GbkLength(std::string_view text, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    return byte >= 0x81 && byte <= 0xFE && pos + 1 < text.size() ? 2 : 1;
}

// A lead byte of 0xC2 to 0xF4 with all its continuation bytes (10xxxxxx) present is one
// character; any other byte is one by itself.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (byte >= 0xC2 && byte <= 0xDF) length = 2;
    if (byte >= 0xE0 && byte <= 0xEF) length = 3;
    if (byte >= 0xF0 && byte <= 0xF4) length = 4;
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size() || (static_cast<unsigned char>(text[pos + i]) >> 6) != 2) {
            return 1;
        }
    }
    return length;
}

std::vector<std::string_view> Characters(std::string_view text, bool utf8) {
    std::vector<std::string_view> characters;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = utf8 ? Utf8Length(text, pos) : GbkLength(text, pos);
        characters.push_back(text.substr(pos, length));
        pos += length;
    }
    return characters;
}

char Folded(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool Same(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.size() > 1 ? a == b : Folded(a[0]) == Folded(b[0]));
}

bool Reference(std::string_view pattern, std::string_view name, bool utf8) {
    const std::vector<std::string_view> p = Characters(pattern, utf8);
    const std::vector<std::string_view> n = Characters(name, utf8);
    // matches[j]: the pattern's first i characters match the name's first j.
    std::vector<bool> matches(n.size() + 1, false);
    matches[0] = true;
    for (const std::string_view token : p) {
        std::vector<bool> next(n.size() + 1, false);
        for (std::size_t j = 0; j <= n.size(); ++j) {
            if (token == "*") {
                next[j] = matches[j] || (j > 0 && next[j - 1]);
            } else if (j > 0) {
                next[j] = matches[j - 1] && (token == "?" || Same(token, n[j - 1]));
            }
        }
        matches.swap(next);
    }
    return matches[n.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool utf8 = (data[0] & 1) != 0;
    const os::NameEncoding encoding = utf8 ? os::NameEncoding::kUtf8 : os::NameEncoding::kGbk;
    const std::string_view input = fuzz::AsText(data + 1, size - 1);
    const std::size_t nul = input.find('\0');
    const std::string_view pattern = input.substr(0, nul);
    const std::string_view name = nul == std::string_view::npos ? "" : input.substr(nul + 1);
    fuzz::Check(os::WildcardMatch(pattern, name, encoding) == Reference(pattern, name, utf8),
                "differs from the reference matcher");
    return 0;
}

// Portable code: Windows wildcard matching over GBK or UTF-8 names.
#include "os/wildcard.h"

#include <cstddef>

#include "text/gbk_text.h"

namespace os {
namespace {

char FoldCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// A UTF-8 character: a lead byte and its continuation bytes; any other byte stands alone.
std::size_t Utf8CharLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 1;
    if (pos + length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(text[pos + i])) return 1;
    }
    return length;
}

std::size_t CharLength(std::string_view text, std::size_t pos, NameEncoding encoding) {
    return encoding == NameEncoding::kUtf8 ? Utf8CharLength(text, pos) : gbk::CharLength(text, pos);
}

bool SameCharacter(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    return a.size() > 1 ? a == b : FoldCase(a[0]) == FoldCase(b[0]);
}

}  // namespace

// Greedy matching with one backtrack point: the last '*' seen and the name position it
// currently covers up to. Linear in practice, quadratic at worst; no recursion.
bool WildcardMatch(std::string_view pattern, std::string_view name, NameEncoding encoding) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        const std::size_t nameLength = CharLength(name, n, encoding);
        if (p < pattern.size()) {
            const std::size_t patternLength = CharLength(pattern, p, encoding);
            const std::string_view token = pattern.substr(p, patternLength);
            if (token == "*") {
                starPattern = ++p;
                starName = n;
                continue;
            }
            if (token == "?" || SameCharacter(token, name.substr(n, nameLength))) {
                p += patternLength;
                n += nameLength;
                continue;
            }
        }
        if (starPattern == std::string_view::npos) {
            return false;
        }
        starName += CharLength(name, starName, encoding);
        p = starPattern;
        n = starName;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace os

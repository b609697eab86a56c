// Portable code: Windows wildcard matching over GBK names.
#include "os/wildcard.h"

#include <cstddef>

namespace os {
namespace {

bool IsLeadByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

// Length of the character at `text[pos]`: 2 for a complete double-byte character.
std::size_t CharLength(std::string_view text, std::size_t pos) {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

char FoldCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameCharacter(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    return a.size() == 2 ? a == b : FoldCase(a[0]) == FoldCase(b[0]);
}

}  // namespace

// Greedy matching with one backtrack point: the last '*' seen and the name position it
// currently covers up to. Linear in practice, quadratic at worst; no recursion.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        const std::size_t nameLength = CharLength(name, n);
        if (p < pattern.size()) {
            const std::size_t patternLength = CharLength(pattern, p);
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
        starName += CharLength(name, starName);
        p = starPattern;
        n = starName;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace os

// Portable code: Windows wildcard matching over GBK names.
#include "os/wildcard.h"

#include <cstddef>

#include "text/gbk_text.h"

namespace os {
namespace {

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
        const std::size_t nameLength = gbk::CharLength(name, n);
        if (p < pattern.size()) {
            const std::size_t patternLength = gbk::CharLength(pattern, p);
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
        starName += gbk::CharLength(name, starName);
        p = starPattern;
        n = starName;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace os

// WildcardMatch against a plain dynamic-programming matcher over the same characters: '*' any
// run, '?' one character (a double-byte character is one), ASCII letters without regard to
// case. Input: pattern, a NUL, name.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "os/wildcard.h"

namespace {

std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        const std::size_t length = byte >= 0x81 && byte <= 0xFE && pos + 1 < text.size() ? 2 : 1;
        characters.push_back(text.substr(pos, length));
        pos += length;
    }
    return characters;
}

char Folded(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool Same(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.size() == 2 ? a == b : Folded(a[0]) == Folded(b[0]));
}

bool Reference(std::string_view pattern, std::string_view name) {
    const std::vector<std::string_view> p = Characters(pattern);
    const std::vector<std::string_view> n = Characters(name);
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
    const std::string_view input = fuzz::AsText(data, size);
    const std::size_t nul = input.find('\0');
    const std::string_view pattern = input.substr(0, nul);
    const std::string_view name = nul == std::string_view::npos ? "" : input.substr(nul + 1);
    fuzz::Check(os::WildcardMatch(pattern, name) == Reference(pattern, name),
                "differs from the reference matcher");
    return 0;
}

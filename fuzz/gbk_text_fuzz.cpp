// The GBK helpers: what each promises, checked on the character boundaries of the text.
// Input: a byte c, a byte `from`, a byte n (needle length, mod 8), n needle bytes, the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "text/gbk_text.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Start of every character, and the text's size.
std::vector<std::size_t> Boundaries(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < text.size(); pos += gbk::CharLength(text, pos)) {
        starts.push_back(pos);
    }
    starts.push_back(text.size());
    return starts;
}

bool IsSingleSpace(std::string_view text, std::size_t pos) {
    return gbk::CharLength(text, pos) == 1 && gbk::IsSpace(text[pos]);
}

void CheckTrim(std::string_view text, const std::vector<std::size_t>& starts) {
    const std::string trimmed = gbk::Trim(text);
    std::size_t begin = 0;
    while (begin < text.size() && gbk::IsSpace(text[begin])) ++begin;
    fuzz::Check(text.substr(begin, trimmed.size()) == trimmed,
                "Trim: not the text after its leading space");
    const std::size_t end = begin + trimmed.size();
    bool endsOnBoundary = false;
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
        endsOnBoundary = endsOnBoundary || starts[k] == end;
        if (starts[k] >= end)
            fuzz::Check(IsSingleSpace(text, starts[k]), "Trim: dropped more than space");
    }
    fuzz::Check(endsOnBoundary || end == text.size(), "Trim: splits a character");
    fuzz::Check(trimmed.empty() || !IsSingleSpace(trimmed, Boundaries(trimmed).end()[-2]),
                "Trim: space left at the end");
    fuzz::Check(gbk::Trim(trimmed) == trimmed, "Trim: not idempotent");
}

void CheckUpper(std::string_view text, const std::vector<std::size_t>& starts) {
    const std::string upper = gbk::Upper(text);
    fuzz::Check(upper.size() == text.size(), "Upper: length changed");
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
        const std::size_t pos = starts[k];
        const char c = text[pos];
        const bool letter = starts[k + 1] - pos == 1 && c >= 'a' && c <= 'z';
        fuzz::Check(upper[pos] == (letter ? static_cast<char>(c - 'a' + 'A') : c),
                    "Upper: wrong byte");
        if (starts[k + 1] - pos == 2)
            fuzz::Check(upper[pos + 1] == text[pos + 1], "Upper: trail byte changed");
    }
    fuzz::Check(gbk::Upper(upper) == upper, "Upper: not idempotent");
}

void CheckFind(std::string_view text, const std::vector<std::size_t>& starts, char c,
               std::size_t from) {
    std::size_t expected = npos;
    for (std::size_t k = 0; k + 1 < starts.size() && expected == npos; ++k) {
        if (starts[k] >= from && starts[k + 1] - starts[k] == 1 && text[starts[k]] == c)
            expected = starts[k];
    }
    fuzz::Check(gbk::Find(text, c, from) == expected, "Find: not the first single-byte match");
}

void CheckFindText(std::string_view text, const std::vector<std::size_t>& starts,
                   std::string_view needle, std::size_t from) {
    // The end of the text is a boundary too, where only the empty needle starts.
    std::size_t expected = npos;
    for (std::size_t k = 0; k < starts.size() && expected == npos; ++k) {
        if (starts[k] >= from && text.substr(starts[k]).substr(0, needle.size()) == needle) {
            expected = starts[k];
        }
    }
    fuzz::Check(gbk::FindText(text, needle, from) == expected,
                "FindText: not the first match on a boundary");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const char c = static_cast<char>(data[0]);
    const std::size_t from = data[1];
    const std::size_t needleLength = data[2] % 8;
    const std::string_view rest = fuzz::AsText(data + 3, size - 3);
    const std::string_view needle = rest.substr(0, needleLength);
    const std::string_view text = rest.substr(needle.size());

    const std::vector<std::size_t> starts = Boundaries(text);
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
        const std::size_t length = starts[k + 1] - starts[k];
        fuzz::Check(
            length == (gbk::IsLeadByte(text[starts[k]]) && starts[k] + 1 < text.size() ? 2 : 1),
            "CharLength: not 2 for a lead byte with a byte after it");
    }
    CheckTrim(text, starts);
    CheckUpper(text, starts);
    CheckFind(text, starts, c, from);
    CheckFindText(text, starts, needle, from);
    return 0;
}

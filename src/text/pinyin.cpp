// Pinyin initials of GBK text.
#include "text/pinyin.h"

#include <array>
#include <cctype>

#include "text/gbk_text.h"

namespace gbk {
namespace {

/// The first code of each initial in GB2312's first level (0xB0A1..0xD7F9), in code order;
/// no reading starts with i, u or v.
struct InitialRange {
    unsigned first;
    char initial;
};
// clang-format off
constexpr std::array<InitialRange, 23> kFirstLevel = {{
    {0xB0A1, 'a'}, {0xB0C5, 'b'}, {0xB2C1, 'c'}, {0xB4EE, 'd'}, {0xB6EA, 'e'}, {0xB7A2, 'f'},
    {0xB8C1, 'g'}, {0xB9FE, 'h'}, {0xBBF7, 'j'}, {0xBFA6, 'k'}, {0xC0AC, 'l'}, {0xC2E8, 'm'},
    {0xC4C3, 'n'}, {0xC5B6, 'o'}, {0xC5BE, 'p'}, {0xC6DA, 'q'}, {0xC8BB, 'r'}, {0xC8F6, 's'},
    {0xCBFA, 't'}, {0xCDDA, 'w'}, {0xCEF4, 'x'}, {0xD1B9, 'y'}, {0xD4D1, 'z'},
}};
constexpr unsigned kFirstLevelEnd = 0xD7F9;  // 座, the last first-level character

/// Characters outside the first level that the catalogue's titles use.
struct KnownCharacter {
    const char* character;
    char initial;
};
constexpr std::array<KnownCharacter, 5> kOthers = {{
    {"桁", 'h'}, {"檩", 'l'}, {"浏", 'l'}, {"渲", 'x'}, {"砼", 't'},
}};
// clang-format on
constexpr unsigned char kFirstHanziLead = 0xB0;  // rows below hold symbols and forms
constexpr unsigned char kLastHanziLead = 0xF7;   // GB2312's second level ends here
constexpr unsigned kBitsPerByte = 8;

}  // namespace

char PinyinInitial(unsigned char lead, unsigned char trail) {
    const unsigned code = (static_cast<unsigned>(lead) << kBitsPerByte) | trail;
    if (code >= kFirstLevel.front().first && code <= kFirstLevelEnd) {
        char initial = kFirstLevel.front().initial;
        for (const InitialRange& range : kFirstLevel) {
            if (code >= range.first) initial = range.initial;
        }
        return initial;
    }
    for (const KnownCharacter& known : kOthers) {
        if (static_cast<unsigned char>(known.character[0]) == lead &&
            static_cast<unsigned char>(known.character[1]) == trail) {
            return known.initial;
        }
    }
    return lead >= kFirstHanziLead && lead <= kLastHanziLead ? kUnknownInitial : '\0';
}

std::string PinyinInitials(std::string_view text) {
    std::string initials;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        char initial = '\0';
        if (CharLength(text, pos) == 2) {
            initial = PinyinInitial(byte, static_cast<unsigned char>(text[pos + 1]));
        } else if (std::isalnum(byte) != 0) {
            initial = static_cast<char>(std::tolower(byte));
        }
        if (initial != '\0') initials += initial;
    }
    return initials;
}

}  // namespace gbk

// Pinyin initials of GBK text, for finding an item by typing (jzpmt for 建筑平面图).
//
// GB2312's first-level characters (lead bytes 0xB0..0xD7) are ordered by pinyin, so a
// character's initial follows from the range its code falls in; a polyphonic character has
// the reading GB2312 sorted it by (行 is x, 重 is z). Of the second-level characters only
// those the catalogue's titles use are known, from a small table.
#ifndef TRUV_TEXT_PINYIN_H
#define TRUV_TEXT_PINYIN_H

#include <string>
#include <string_view>

namespace gbk {

/// Stands for a Chinese character whose initial is not known; never equal to a letter.
inline constexpr char kUnknownInitial = '?';

/// The initial ('a'..'z') of the double-byte character `lead` `trail`; kUnknownInitial for a
/// Chinese character outside the first level and the table, '\0' for anything else (symbols,
/// full-width forms).
char PinyinInitial(unsigned char lead, unsigned char trail);

/// The initials of `text`, one per character: Chinese characters give their initial, ASCII
/// letters and digits themselves (letters in lower case); blanks, punctuation and symbols
/// give nothing.
std::string PinyinInitials(std::string_view text);

}  // namespace gbk

#endif  // TRUV_TEXT_PINYIN_H

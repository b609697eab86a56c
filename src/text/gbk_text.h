// Byte-string helpers that respect GBK double-byte characters.
//
// A lead byte 0x81..0xFE and the byte after it form one character, so a trail byte that
// looks like '\', '_', '|' or a letter is never taken for that ASCII character.
#ifndef TRUV_TEXT_GBK_TEXT_H
#define TRUV_TEXT_GBK_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace gbk {

/// True for a byte that opens a double-byte character.
bool IsLeadByte(char byte);

/// True for a byte that can close a double-byte character (0x40..0xFE except 0x7F).
bool IsTrailByte(char byte);

/// Length in bytes of the character that starts at `text[pos]` (1 or 2; 1 for a lead byte
/// at the very end).
std::size_t CharLength(std::string_view text, std::size_t pos);

/// True for the single-byte white space: space, tab, LF, VT, FF, CR.
bool IsSpace(char byte);

/// Removes single-byte white space at both ends.
std::string Trim(std::string_view text);

/// Upper-cases the single-byte letters a..z; double-byte characters stay as they are.
std::string Upper(std::string_view text);

/// Position of the first single-byte character `c`, stepping over double-byte characters;
/// std::string_view::npos when there is none.
std::size_t Find(std::string_view text, char c, std::size_t from = 0);

/// The directory part of a path: up to and with its last separator ('\\', '/' or ':'), which
/// a trail byte is never taken for; empty when there is none.
std::string_view DirectoryPart(std::string_view path);

/// Position of the first occurrence of the single-byte text `needle` that starts on a
/// character boundary of `text`; npos when there is none.
std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from = 0);

}  // namespace gbk

#endif  // TRUV_TEXT_GBK_TEXT_H

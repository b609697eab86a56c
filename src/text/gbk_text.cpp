// Byte-string helpers that respect GBK double-byte characters.
#include "text/gbk_text.h"

namespace gbk {

bool IsLeadByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

bool IsTrailByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x40 && value <= 0xFE && value != 0x7F;
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

bool IsSpace(char byte) {
    switch (byte) {
        case ' ':
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
            return true;
        default:
            return false;
    }
}

// Leading white space is single-byte, so scanning from the front needs no care; at the back
// a byte may only be dropped when it is not the trail byte of a double-byte character, which
// is decided by walking the characters from the front.
std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin])) ++begin;
    std::size_t end = begin;  // end of the last character that is not white space
    for (std::size_t pos = begin; pos < text.size();) {
        const std::size_t length = CharLength(text, pos);
        if (length == 2 || !IsSpace(text[pos])) end = pos + length;
        pos += length;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string Upper(std::string_view text) {
    std::string result(text);
    for (std::size_t pos = 0; pos < result.size();) {
        const std::size_t length = CharLength(result, pos);
        if (length == 1 && result[pos] >= 'a' && result[pos] <= 'z') {
            result[pos] = static_cast<char>(result[pos] - 'a' + 'A');
        }
        pos += length;
    }
    return result;
}

std::size_t Find(std::string_view text, char c, std::size_t from) {
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (pos >= from && CharLength(text, pos) == 1 && text[pos] == c) return pos;
    }
    return std::string_view::npos;
}

std::string_view DirectoryPart(std::string_view path) {
    std::size_t directoryEnd = 0;  // just after the last separator
    for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
        const char byte = path[pos];
        if (byte == '\\' || byte == '/' || byte == ':') directoryEnd = pos + 1;
    }
    return path.substr(0, directoryEnd);
}

// The end of the text is a character boundary too, where only the empty text starts.
std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from) {
    for (std::size_t pos = 0;; pos += CharLength(text, pos)) {
        if (pos >= from && text.substr(pos, needle.size()) == needle) return pos;
        if (pos >= text.size()) return std::string_view::npos;
    }
}

}  // namespace gbk

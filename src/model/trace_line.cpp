// One line of the launch trace: how it is written and read back.
#include "model/trace_line.h"

#include <algorithm>
#include <optional>

#include "text/gbk_text.h"

namespace {

constexpr char kFieldSeparator = '\t';
constexpr const char* kLineEnd = "\r\n";
constexpr char kCaret = '^';
constexpr char kControlNameBit = 0x40;  // 0x0A ^ 0x40 = 'J'
// The caret itself: "^^" already names 0x1E ('^' ^ 0x40), so it is named by a character that
// names no control character.
constexpr char kCaretName = '~';
constexpr std::string_view kTimePattern = "dddd-dd-dd dd:dd:dd.ddd";

// GBK lead and trail bytes are 0x40 and above: a control byte is always a character of its own.
bool IsControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

// Walked by character: a GBK trail byte 0x5E is part of its character, never a caret.
void AppendField(std::string& text, std::string_view field) {
    for (std::size_t pos = 0; pos < field.size();) {
        const std::size_t length = gbk::CharLength(field, pos);
        const char byte = field[pos];
        if (length == 1 && IsControl(static_cast<unsigned char>(byte))) {
            text += kCaret;
            text += static_cast<char>(byte ^ kControlNameBit);
        } else if (length == 1 && byte == kCaret) {
            text += kCaret;
            text += kCaretName;
        } else {
            text.append(field.substr(pos, length));
        }
        pos += length;
    }
}

/// What the escape `^` + `name` stands for; nothing when it is none (a caret of an older trace
/// followed by an ordinary character, or at the field's end).
std::optional<char> Escaped(char name) {
    if (name == kCaretName) return kCaret;
    const char named = static_cast<char>(name ^ kControlNameBit);
    if (IsControl(static_cast<unsigned char>(named))) return named;
    return std::nullopt;
}

bool IsTime(std::string_view text) {
    if (text.size() != kTimePattern.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kTimePattern[i] == 'd' ? !digit : text[i] != kTimePattern[i]) return false;
    }
    return true;
}

}  // namespace

std::string ComposeTraceLine(const TraceLine& line) {
    std::string text;
    AppendField(text, line.time);
    for (const std::string_view field :
         {std::string_view(line.key), std::string_view(line.event)}) {
        text += kFieldSeparator;
        AppendField(text, field);
    }
    for (const std::string& field : line.fields) {
        text += kFieldSeparator;
        AppendField(text, field);
    }
    text += kLineEnd;
    return text;
}

std::string UnescapeTraceField(std::string_view field) {
    std::string text;
    for (std::size_t pos = 0; pos < field.size();) {
        const std::size_t length = gbk::CharLength(field, pos);
        const std::optional<char> escaped =
            length == 1 && field[pos] == kCaret && pos + 1 < field.size() ? Escaped(field[pos + 1])
                                                                          : std::nullopt;
        if (escaped) {
            text += *escaped;
            pos += 2;
        } else {
            text.append(field.substr(pos, length));
            pos += length;
        }
    }
    return text;
}

bool ParseTraceLine(std::string_view text, TraceLine& line) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(kFieldSeparator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (parts.size() < 3 || !IsTime(parts[0]) || parts[2].empty()) return false;
    line.time = std::move(parts[0]);
    line.key = std::move(parts[1]);
    line.event = std::move(parts[2]);
    line.fields.assign(std::make_move_iterator(parts.begin() + 3),
                       std::make_move_iterator(parts.end()));
    return true;
}

std::size_t FindGluedLine(std::string_view text, std::size_t from) {
    const std::size_t stamp = kTimePattern.size();
    for (std::size_t pos = std::max<std::size_t>(from, 1); pos + stamp < text.size(); ++pos) {
        if (text[pos - 1] != kFieldSeparator && text[pos + stamp] == kFieldSeparator &&
            IsTime(text.substr(pos, stamp))) {
            return pos;
        }
    }
    return std::string_view::npos;
}

// Portable code: splitting a Windows command line as the Microsoft C runtime does.
#include "os/command_line.h"

#include <cstddef>

#include "text/gbk_text.h"

namespace os {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

// Appends the character at `pos` (one or two bytes) and returns the position after it.
std::size_t TakeCharacter(std::string_view text, std::size_t pos, std::string& out) {
    const std::size_t length = gbk::CharLength(text, pos);
    out.append(text.substr(pos, length));
    return pos + length;
}

// Reads the program name from `pos`; returns the position after it.
std::size_t ReadProgramName(std::string_view text, std::size_t pos, std::string& out) {
    bool quoted = false;
    while (pos < text.size() && (quoted || !IsBlank(text[pos]))) {
        if (text[pos] == '"') {
            quoted = !quoted;
            ++pos;
        } else {
            pos = TakeCharacter(text, pos, out);
        }
    }
    return pos;
}

// Reads one argument from `pos` (not a blank); returns the position after it.
std::size_t ReadArgument(std::string_view text, std::size_t pos, std::string& out) {
    bool quoted = false;
    while (pos < text.size() && (quoted || !IsBlank(text[pos]))) {
        std::size_t backslashes = 0;
        while (pos + backslashes < text.size() && text[pos + backslashes] == '\\') {
            ++backslashes;
        }
        if (backslashes > 0) {
            const bool beforeQuote =
                pos + backslashes < text.size() && text[pos + backslashes] == '"';
            out.append(beforeQuote ? backslashes / 2 : backslashes, '\\');
            pos += backslashes;
            if (beforeQuote && backslashes % 2 == 1) {
                out += '"';
                ++pos;
            }
        } else if (text[pos] == '"') {
            if (quoted && pos + 1 < text.size() && text[pos + 1] == '"') {
                out += '"';
                pos += 2;
            } else {
                quoted = !quoted;
                ++pos;
            }
        } else {
            pos = TakeCharacter(text, pos, out);
        }
    }
    return pos;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    const std::size_t start = SkipBlanks(commandLine, 0);
    if (start == commandLine.size()) {
        return {};
    }
    std::string program;
    const std::size_t end = ReadProgramName(commandLine, start, program);
    std::vector<std::string> args = SplitArguments(commandLine.substr(end));
    args.insert(args.begin(), program);
    return args;
}

std::vector<std::string> SplitArguments(std::string_view arguments) {
    std::vector<std::string> args;
    std::size_t pos = SkipBlanks(arguments, 0);
    while (pos < arguments.size()) {
        std::string arg;
        pos = SkipBlanks(arguments, ReadArgument(arguments, pos, arg));
        args.push_back(arg);
    }
    return args;
}

}  // namespace os

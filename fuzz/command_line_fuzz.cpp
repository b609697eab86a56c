// The command-line quoter in two round trips through the Windows argument rules.
//
// 1. ComposeCommand: the line it makes for a directory and a program text, split again as the
//    system splits a command line, gives the program file whole as argv[0] (or, for a help
//    document, "HH.exe" and the document file), followed by the program text's arguments.
//    Inputs are what "CFGPATH" and a catalogue row can give for a file that exists: no NUL,
//    control character or double quote in the path, a file name that does not end in a
//    backslash (that would name a folder); a program text already trimmed.
// 2. Any arguments of whole GBK characters, quoted by the rules' own recipe, split back into
//    the same arguments.
// Paths and arguments are made of whole GBK characters, as a file name of code page 936 is.
// The first input byte chooses the round trip; a NUL separates directory and program text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "launch/command_line.h"
#include "os/command_line.h"

namespace {

bool IsPathByte(char byte) {
    return static_cast<unsigned char>(byte) >= 0x20 && byte != '"' && byte != 0x7F;
}

bool IsLead(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

// True when `text` is made of whole characters: every lead byte has a trail byte
// (0x40..0xFE but 0x7F) after it.
bool WholeCharacters(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (!IsLead(text[pos])) continue;
        if (++pos >= text.size()) return false;
        const auto trail = static_cast<unsigned char>(text[pos]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
    }
    return true;
}

void ComposedRoundTrip(std::string_view input, bool helpDocuments) {
    const std::size_t nul = input.find('\0');
    if (nul == std::string_view::npos) return;
    const std::string dir(input.substr(0, nul));
    const std::string program(input.substr(nul + 1));
    const std::string name = program.substr(0, program.find(' '));
    for (const char byte : dir + name) {
        if (!IsPathByte(byte)) return;
    }
    if (!WholeCharacters(dir) || !WholeCharacters(program)) return;
    if (name.empty() || name.back() == '\\') return;  // names a folder, not a file
    if (program.empty() || program[0] == ' ' || program.back() == ' ') return;
    if (program.find_first_of(std::string_view("\0\t\r\n", 4)) != std::string::npos) return;

    const ComposedCommand composed = ComposeCommand(dir, program, helpDocuments);
    std::vector<std::string> expected;
    if (composed.isDocument) expected.push_back("HH.exe");
    expected.push_back(dir + name);
    fuzz::Check(composed.file == dir + name, "file is not directory and program name");
    for (std::string& argument : os::SplitArguments(composed.parameters))
        expected.push_back(argument);
    fuzz::Check(os::SplitCommandLine(composed.commandLine) == expected,
                "the composed line does not split into the program and its arguments");
}

// The quoting recipe of the argument rules: quotes around an argument that is empty or holds
// a blank, tab or quote; a quote escaped by a backslash; backslashes doubled before a quote.
std::string Quoted(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
        return std::string(argument);
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (std::size_t pos = 0; pos < argument.size(); ++pos) {
        const char byte = argument[pos];
        if (IsLead(byte)) {
            quoted.append(argument.substr(pos, 2));
            ++pos;
            backslashes = 0;
        } else if (byte == '\\') {
            quoted += byte;
            ++backslashes;
        } else {
            if (byte == '"') quoted.append(backslashes + 1, '\\');
            quoted += byte;
            backslashes = 0;
        }
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

void ArgumentsRoundTrip(std::string_view input) {
    // Arguments separated by NUL, each made of whole characters (a lead byte with a trail byte
    // 0x40..0xFE other than 0x7F); a NUL cannot be on a command line.
    if (!WholeCharacters(input)) return;
    std::vector<std::string> arguments(1);
    for (std::size_t pos = 0; pos < input.size(); ++pos) {
        if (input[pos] == '\0') {
            arguments.emplace_back();
        } else {
            const std::size_t length = IsLead(input[pos]) ? 2 : 1;
            arguments.back().append(input.substr(pos, length));
            pos += length - 1;
        }
    }
    std::string line;
    for (const std::string& argument : arguments)
        line += (line.empty() ? "" : " ") + Quoted(argument);
    fuzz::Check(os::SplitArguments(line) == arguments, "quoted arguments split differently");
    const std::vector<std::string> withProgram = os::SplitCommandLine("prog " + line);
    fuzz::Check(
        withProgram.size() == arguments.size() + 1 &&
            std::vector<std::string>(withProgram.begin() + 1, withProgram.end()) == arguments,
        "quoted arguments after a program name split differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view input = fuzz::AsText(data + 1, size - 1);
    switch (data[0] % 3) {
        case 0:
            ComposedRoundTrip(input, false);
            break;
        case 1:
            ComposedRoundTrip(input, true);
            break;
        default:
            ArgumentsRoundTrip(input);
            break;
    }
    // Any bytes at all: splitting ends and gives arguments that are parts of the line.
    os::SplitCommandLine(input);
    return 0;
}

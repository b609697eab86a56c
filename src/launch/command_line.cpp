// Composing the command line of a program from its directory and its program text.
#include "launch/command_line.h"

#include "text/gbk_text.h"

namespace {

constexpr const char* kHelpExtension = ".CHM";

std::string QuotedIfBlank(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

}  // namespace

ComposedCommand ComposeCommand(const std::string& dir, const std::string& program,
                               bool helpDocuments) {
    const std::size_t blank = gbk::Find(program, ' ');
    const std::string name = program.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : program.substr(blank);

    ComposedCommand composed;
    composed.file = dir + name;
    const std::size_t firstArgument = rest.find_first_not_of(' ');
    if (firstArgument != std::string::npos) composed.parameters = rest.substr(firstArgument);

    const std::size_t document = gbk::FindText(program, kHelpExtension);
    composed.isDocument = helpDocuments && document != std::string::npos && document > 0;
    composed.commandLine = (composed.isDocument ? std::string(kHelpViewer) + " " : std::string()) +
                           QuotedIfBlank(composed.file) + rest;
    return composed;
}

// Composing the command line of a program from its directory and its program text.
#ifndef TRUV_LAUNCH_COMMAND_LINE_H
#define TRUV_LAUNCH_COMMAND_LINE_H

#include <string>

/// A program to start: the command line for a process start, and the same split into the
/// file to open and its parameters for the shell.
struct ComposedCommand {
    std::string commandLine;
    std::string file;         // directory and program file name, never quoted
    std::string parameters;   // the program text after the file name, leading blanks dropped
    bool isDocument = false;  // a help document, opened by the help viewer
};

/// The program that opens help documents, named without a folder: the process start looks
/// for it as for any bare program name.
inline constexpr const char* kHelpViewer = "HH.exe";

/// Joins `dir` and `program` with nothing in between. When `helpDocuments` is set and the
/// program text holds ".CHM" after its first byte, the help viewer "HH.exe " opens the document.
/// A path that contains a blank is put in double quotes (up to the first blank of the program
/// text), so that no program at a prefix of the path can be started instead.
ComposedCommand ComposeCommand(const std::string& dir, const std::string& program,
                               bool helpDocuments);

#endif  // TRUV_LAUNCH_COMMAND_LINE_H

// Composing command lines from a directory line and a program text.
#include "launch/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const char* dir;
    const char* program;
    bool helpDocuments;
    const char* commandLine;
    const char* file;
    const char* parameters;
};

// clang-format off
const Case kCases[] = {
    {"plain",              "D:\\SUITE\\DMGT\\", "SUITEMGR.EXE",     true,  "D:\\SUITE\\DMGT\\SUITEMGR.EXE",          "D:\\SUITE\\DMGT\\SUITEMGR.EXE", ""},
    {"arguments kept",     "D:\\S\\",           "EXECMGR.EXE 10 2", true,  "D:\\S\\EXECMGR.EXE 10 2",                "D:\\S\\EXECMGR.EXE",            "10 2"},
    {"two blanks kept",    "D:\\S\\",           "A.EXE  V",         false, "D:\\S\\A.EXE  V",                        "D:\\S\\A.EXE",                  "V"},
    {"help document",      "D:\\SUITE\\HELP\\", "GUIDE.CHM",        true,  "HH.exe D:\\SUITE\\HELP\\GUIDE.CHM",      "D:\\SUITE\\HELP\\GUIDE.CHM",    ""},
    {"no viewer for Max",  "D:\\SUITE\\HELP\\", "guide.chm",        false, "D:\\SUITE\\HELP\\guide.chm",             "D:\\SUITE\\HELP\\guide.chm",    ""},
    {"lower case .chm",    "D:\\H\\",           "guide.chm",        true,  "D:\\H\\guide.chm",                       "D:\\H\\guide.chm",              ""},
    {".CHM at the start",  "D:\\H\\",           ".CHM",             true,  "D:\\H\\.CHM",                            "D:\\H\\.CHM",                   ""},
    {"no backslash added", "D:\\SUITE\\DMGT",   "SUITEMGR.EXE",     true,  "D:\\SUITE\\DMGTSUITEMGR.EXE",            "D:\\SUITE\\DMGTSUITEMGR.EXE",   ""},
    {"blank in directory", "C:\\My Suite\\",    "GRAF.EXE -A",      true,  "\"C:\\My Suite\\GRAF.EXE\" -A",          "C:\\My Suite\\GRAF.EXE",        "-A"},
    {"blank, document",    "C:\\My Suite\\",    "G.CHM",            true,  "HH.exe \"C:\\My Suite\\G.CHM\"",         "C:\\My Suite\\G.CHM",           ""},
    {"subdirectory",       "D:\\S\\",           "BIN\\T3D.EXE 2",   true,  "D:\\S\\BIN\\T3D.EXE 2",                  "D:\\S\\BIN\\T3D.EXE",           "2"},
    {"trailing blank",     "D:\\S\\",           "A.EXE ",           true,  "D:\\S\\A.EXE ",                          "D:\\S\\A.EXE",                  ""},
};
// clang-format on

TEST(CommandLineTest, Compose) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const ComposedCommand composed = ComposeCommand(c.dir, c.program, c.helpDocuments);
        EXPECT_EQ(composed.commandLine, c.commandLine);
        EXPECT_EQ(composed.file, c.file);
        EXPECT_EQ(composed.parameters, c.parameters);
    }
}

}  // namespace

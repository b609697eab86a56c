// Splitting Windows command lines by the rules of the Microsoft C runtime.
#include "os/command_line.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

#define TRAIL_BACKSLASH "\x81\x5C"  // 乗: a double-byte character whose trail byte is '\'

struct SplitCase {
    const char* name;
    const char* commandLine;
    Args args;
};

// clang-format off
const SplitCase kCommandLineCases[] = {
    {"Empty",                     "",                                {}},
    {"OnlyBlanks",                " \t ",                            {}},
    {"ProgramAlone",              "prog.exe",                        {"prog.exe"}},
    {"LeadingBlanksSkipped",      "  prog.exe a",                    {"prog.exe", "a"}},
    {"BlanksAndTabsSeparate",     "prog a\tb  \t c",                 {"prog", "a", "b", "c"}},
    {"TrailingBlanksNoArgument",  "prog a  ",                        {"prog", "a"}},
    {"QuotedProgramWithBlank",    "\"C:\\dir one\\p.exe\" x",        {"C:\\dir one\\p.exe", "x"}},
    {"ProgramQuotesAnywhere",     "C:\\\"dir one\"\\p.exe x",        {"C:\\dir one\\p.exe", "x"}},
    {"ProgramBackslashLiteral",   "C:\\dir\\\\p.exe",                {"C:\\dir\\\\p.exe"}},
    {"ProgramBackslashQuote",     "a\\\"b c\" d",                    {"a\\b c", "d"}},
    {"QuotedArgument",            "p \"a b\" c",                     {"p", "a b", "c"}},
    {"QuotesInsideArgument",      "p a\"b c\"d",                     {"p", "ab cd"}},
    {"EmptyQuotedArgument",       "p \"\" x",                        {"p", "", "x"}},
    {"UnclosedQuoteRunsToEnd",    "p \"a b",                         {"p", "a b"}},
    {"DoubledQuoteInsideQuotes",  "p \"a\"\"b\" c",                  {"p", "a\"b", "c"}},
    {"BackslashesAlone",          "p a\\\\b\\c",                     {"p", "a\\\\b\\c"}},
    {"OddBackslashesQuote",       "p a\\\"b",                        {"p", "a\"b"}},
    {"EvenBackslashesQuote",      "p \"a\\\\\" b",                   {"p", "a\\", "b"}},
    {"ThreeBackslashesQuote",     "p a\\\\\\\"b",                    {"p", "a\\\"b"}},
    {"TrailingBackslash",         "p C:\\dir\\",                     {"p", "C:\\dir\\"}},
    {"GbkTrailBackslashNoEscape", "p " TRAIL_BACKSLASH "\"a b\"",     {"p", TRAIL_BACKSLASH "a b"}},
    {"ChineseArguments",          "程序.exe 数据 结构",              {"程序.exe", "数据", "结构"}},
};

const SplitCase kArgumentCases[] = {
    {"Empty",                     "",                                {}},
    {"FirstIsNoProgram",          "\"a\\\"b\" c",                    {"a\"b", "c"}},
    {"Blanks",                    "  -A  10 ",                       {"-A", "10"}},
};
// clang-format on

// Names the case in test listings (rather than its bytes).
void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << c.name;
}

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};
class SplitArgumentsTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, Splits) {
    EXPECT_EQ(os::SplitCommandLine(GetParam().commandLine), GetParam().args)
        << "command line [" << GetParam().commandLine << "]";
}

TEST_P(SplitArgumentsTest, Splits) {
    EXPECT_EQ(os::SplitArguments(GetParam().commandLine), GetParam().args)
        << "arguments [" << GetParam().commandLine << "]";
}

std::string CaseName(const testing::TestParamInfo<SplitCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Table, SplitCommandLineTest, testing::ValuesIn(kCommandLineCases),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Table, SplitArgumentsTest, testing::ValuesIn(kArgumentCases), CaseName);

#undef TRAIL_BACKSLASH

}  // namespace

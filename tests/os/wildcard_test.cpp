// Windows wildcard matching over GBK names, and over UTF-8 names as POSIX path names are.
#include "os/wildcard.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Double-byte GBK characters whose trail byte looks like an ASCII character.
#define TRAIL_BACKSLASH "\x81\x5C"  // 乗: trail byte '\'
#define TRAIL_LOWER_A "\x81\x61"    // 乤: trail byte 'a'
#define TRAIL_UPPER_A "\x81\x41"    // 丄: trail byte 'A'
#define STRUCTURE "结构"            // two ordinary double-byte characters
#define UTF8_MIDDLE "\xE4\xB8\xAD"  // 中 in UTF-8: read as GBK, its last byte would take the next

struct WildcardCase {
    const char* name;
    const char* pattern;
    const char* text;
    bool matches;
    os::NameEncoding encoding = os::NameEncoding::kGbk;
};

constexpr os::NameEncoding kUtf8 = os::NameEncoding::kUtf8;

// clang-format off
constexpr WildcardCase kCases[] = {
    {"ExactName",                 "menu.txt",          "menu.txt",                 true},
    {"CaseIsIgnored",             "Autorunfile.tmp",   "AUTORUNFILE.TMP",          true},
    {"CaseIsIgnoredBothWays",     "XT?.TMP",           "xt1.tmp",                  true},
    {"OtherNameDoesNotMatch",     "menu.txt",          "menu.tx",                  false},
    {"WholeNameMustMatch",        "menu",              "menu.txt",                 false},
    {"QuestionIsOneCharacter",    "CFG?.TMP",          "CFG12.TMP",                false},
    {"QuestionNeedsACharacter",   "CFG?.TMP",          "CFG.TMP",                  false},
    {"StarMatchesNothing",        "TEMP*.TIF",         "TEMP.TIF",                 true},
    {"StarMatchesARun",           "TEMP*.TIF",         "TEMP0012.tif",             true},
    {"StarBacktracks",            "$wat*.tub",         "$wat.tub.tub",             true},
    {"StarsInARow",               "a**b",              "axxb",                     true},
    {"StarAloneMatchesAll",       "*",                 "anything.at.all",          true},
    {"StarThenMismatch",          "*.tmp",             "work3.tmpx",               false},
    {"EmptyPatternEmptyName",     "",                  "",                         true},
    {"EmptyPatternOtherName",     "",                  "a",                        false},
    {"StarMatchesEmptyName",      "*",                 "",                         true},
    {"OneQuestionForTwoChars",    "?.txt",             STRUCTURE ".txt",           false},
    {"TwoQuestionsOnTwoChars",    "??.txt",            STRUCTURE ".txt",           true},
    {"QuestionOnOneDoubleByte",   "?",                 TRAIL_BACKSLASH,            true},
    {"TwoQuestionsOnOneDouble",   "??",                TRAIL_BACKSLASH,            false},
    {"DoubleByteMatchesItself",   STRUCTURE "?",       STRUCTURE "1",              true},
    {"TrailLetterKeepsItsCase",   TRAIL_UPPER_A,       TRAIL_LOWER_A,              false},
    {"TrailLetterIsNoLetter",     "?A",                TRAIL_UPPER_A,              false},
    {"StarDoesNotSplitDouble",    "*A",                "x" TRAIL_UPPER_A,          false},
    {"StarBeforeDoubleByte",      "*" TRAIL_UPPER_A,   "xy" TRAIL_UPPER_A,         true},
    {"TrailBackslashIsNoChar",    "*\\",               TRAIL_BACKSLASH,            false},
    {"Utf8StarBeforeExtension",   "*.tmp",             UTF8_MIDDLE ".tmp",         true,  kUtf8},
    {"Utf8QuestionOnOneChar",     "?.tmp",             UTF8_MIDDLE ".tmp",         true,  kUtf8},
    {"Utf8TwoQuestionsOnOne",     "??.tmp",            UTF8_MIDDLE ".tmp",         false, kUtf8},
    {"Utf8CutCharStandsAlone",    "??",                "\xE4\xB8",                 true,  kUtf8},
    {"Utf8CharMatchesItself",     UTF8_MIDDLE "?",     UTF8_MIDDLE "1",            true,  kUtf8},
};
// clang-format on

// Names the case in test listings (rather than its bytes).
void PrintTo(const WildcardCase& c, std::ostream* out) {
    *out << c.name;
}

class WildcardMatchTest : public testing::TestWithParam<WildcardCase> {};

TEST_P(WildcardMatchTest, Matches) {
    const WildcardCase& c = GetParam();
    EXPECT_EQ(os::WildcardMatch(c.pattern, c.text, c.encoding), c.matches)
        << "pattern \"" << c.pattern << "\" name \"" << c.text << "\"";
}

std::string CaseName(const testing::TestParamInfo<WildcardCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Table, WildcardMatchTest, testing::ValuesIn(kCases), CaseName);

#undef TRAIL_BACKSLASH
#undef TRAIL_LOWER_A
#undef TRAIL_UPPER_A
#undef UTF8_MIDDLE
#undef STRUCTURE

}  // namespace

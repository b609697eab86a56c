// GBK-aware trimming, upper-casing and searching.
#include "text/gbk_text.h"

#include <gtest/gtest.h>

namespace {

// Double-byte characters whose trail bytes look like ASCII.
const std::string kTrailBackslash = "\x95\x5C";   // trail byte '\'
const std::string kTrailBar = "\x81\x7C";         // trail byte '|'
const std::string kTrailUnderscore = "\x81\x5F";  // trail byte '_'
const std::string kTrailLetter = "\x81\x61";      // trail byte 'a'
const std::string kTrailSpace = "\x81\x20";       // not a valid GBK pair, but must stay whole

TEST(GbkTextTest, TrimRemovesSingleByteWhiteSpaceAtBothEnds) {
    EXPECT_EQ(gbk::Trim(" \t\r\n\v\fab c \t\r\n"), "ab c");
    EXPECT_EQ(gbk::Trim("   "), "");
    EXPECT_EQ(gbk::Trim(""), "");
    EXPECT_EQ(gbk::Trim(" 建筑 "), "建筑");
}

TEST(GbkTextTest, TrimNeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(gbk::Trim("x" + kTrailSpace + " "), "x" + kTrailSpace);
    EXPECT_EQ(gbk::Trim(kTrailSpace), kTrailSpace);
}

TEST(GbkTextTest, UpperChangesOnlySingleByteLetters) {
    EXPECT_EQ(gbk::Upper("abz AZ 09_"), "ABZ AZ 09_");
    EXPECT_EQ(gbk::Upper(kTrailLetter + "a"), kTrailLetter + "A");
}

TEST(GbkTextTest, FindStepsOverTrailBytes) {
    EXPECT_EQ(gbk::Find(kTrailUnderscore + "_x", '_'), 2u);
    EXPECT_EQ(gbk::Find(kTrailBar, '|'), std::string_view::npos);
    EXPECT_EQ(gbk::Find(kTrailBackslash + "\\", '\\'), 2u);
    EXPECT_EQ(gbk::Find("a_b_c", '_', 2), 3u);
    EXPECT_EQ(gbk::FindText(kTrailLetter + "bc", "abc"), std::string_view::npos);
    EXPECT_EQ(gbk::FindText("X.CHMY.CHM", ".CHM", 2), 6u);
}

// Found by fuzz/gbk_text_fuzz: the empty text was "found" inside a double-byte character.
TEST(GbkTextTest, FindTextFindsTheEmptyTextOnlyOnACharacterBoundary) {
    EXPECT_EQ(gbk::FindText("a" + kTrailLetter, "", 2), 3u);
    EXPECT_EQ(gbk::FindText("a" + kTrailLetter, "", 1), 1u);
    EXPECT_EQ(gbk::FindText("ab", "", 3), std::string_view::npos);
}

}  // namespace

// The row tokenizer.
#include "model/split_row.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Split(const std::string& row) {
    std::vector<std::string> tokens = {"stale"};
    SplitRow(row.data(), row.size(), tokens);
    return tokens;
}

using Tokens = std::vector<std::string>;

TEST(SplitRowTest, SeparatorsAndTabs) {
    EXPECT_EQ(Split("A|B"), (Tokens{"A", "B"}));
    EXPECT_EQ(Split("A|B\t\t"), (Tokens{"A", "B"}));
    EXPECT_EQ(Split("|A||B|"), (Tokens{"A", "B"}));
    EXPECT_EQ(Split("A|B\tC"), (Tokens{"A", "BC"}));
    EXPECT_EQ(Split("A\nB|C"), (Tokens{"A", "B", "C"}));
    EXPECT_EQ(Split(""), Tokens{});
}

TEST(SplitRowTest, SpacesAreKeptTabOnlyFieldsVanish) {
    EXPECT_EQ(Split("A|  |B"), (Tokens{"A", "  ", "B"}));
    EXPECT_EQ(Split("A|\t\t|B"), (Tokens{"A", "B"}));
    EXPECT_EQ(Split("样例分析 ZETA|内力计算\t\t|RunExeFile|ZETA|ZetaCalc.exe -B"),
              (Tokens{"样例分析 ZETA", "内力计算", "RunExeFile", "ZETA", "ZetaCalc.exe -B"}));
    EXPECT_EQ(Split("M|T  |RunExeFile||K|P "), (Tokens{"M", "T  ", "RunExeFile", "K", "P "}));
}

TEST(SplitRowTest, LengthLimitsTheScan) {
    const std::string row = "A|B|C";
    std::vector<std::string> tokens;
    SplitRow(row.data(), 3, tokens);
    EXPECT_EQ(tokens, (Tokens{"A", "B"}));
}

}  // namespace

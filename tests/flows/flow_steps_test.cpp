// The step interpreter and row recognition, observed through the steps that show messages
// and delete work files.
#include "flows/flow_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project_dir.h"
#include "support/box_capture.h"

namespace flows {
namespace {

std::vector<std::string> ShownTexts(BoxCapture& boxes) {
    std::vector<std::string> texts;
    for (const CapturedBox& box : boxes.Take()) texts.push_back(box.text);
    return texts;
}

using TextList = std::vector<std::string>;

// clang-format off
constexpr Step kShowA[] = {ShowText("A")};
constexpr Step kShowB[] = {ShowText("B")};
constexpr Step kChooseByPresence[] = {IfPresent("FLAG?.tmp", kShowA, kShowB)};
constexpr Step kThirdIfAsked[] = {IfSecondByteIsThree("autorunfile.tmp", kShowA)};
constexpr Step kInner[] = {ShowText("2"), ShowText("3")};
constexpr Step kNested[] = {ShowText("1"), Steps(kInner), ShowText("4")};
constexpr Step kParameters[] = {ShowText(kSecondParameter), ShowText(kFirstParameter), Delete(kFirstParameter)};
constexpr FlowRow kRows[] = {
    {"模块 M", "条目",  kShowA},
    {"模块 M", "条目",  kShowB},
    {"模块",   "M|条目", kShowB},
    {"A|B",    "C",     kShowA},
};
// clang-format on

TEST(RunSteps, IfPresentTakesItsBranchFromTheWorkFiles) {
    ProjectDir project;
    BoxCapture boxes;

    RunSteps(kChooseByPresence, {}, PluginFlowContext());
    project.Write("Flag1.TMP");
    RunSteps(kChooseByPresence, {}, PluginFlowContext());

    EXPECT_EQ(ShownTexts(boxes), (TextList{"B", "A"}));
}

TEST(RunSteps, NamedStepListsRunInPlace) {
    BoxCapture boxes;
    RunSteps(kNested, {}, PluginFlowContext());
    EXPECT_EQ(ShownTexts(boxes), (TextList{"1", "2", "3", "4"}));
}

TEST(RunSteps, TextParametersComeFromTheRow) {
    ProjectDir project;
    project.Write("stale.tmp");
    project.Write("other.tmp");
    BoxCapture boxes;

    RunSteps(kParameters, {.first = "STALE.TMP", .second = "第二"}, PluginFlowContext());

    EXPECT_EQ(ShownTexts(boxes), (TextList{"第二", "STALE.TMP"}));
    EXPECT_EQ(project.Entries(), (TextList{"other.tmp"}));
}

TEST(SecondByteIsThree, LooksAtTheSecondByteOnly) {
    ProjectDir project;
    struct Case {
        const char* content;
        bool third;
    };
    const Case cases[] = {
        {"23", true},  {"33", true}, {"x3yz", true}, {"2", false},
        {"32", false}, {"", false},  {"3", false},   {"2345", true},
    };
    for (const Case& c : cases) {
        project.Write("Autorunfile.tmp", c.content);
        EXPECT_EQ(SecondByteIsThree("autorunfile.tmp"), c.third) << "content: " << c.content;
    }
}

TEST(SecondByteIsThree, AMissingFileAsksForNoThirdStep) {
    ProjectDir project;
    BoxCapture boxes;

    EXPECT_FALSE(SecondByteIsThree("autorunfile.tmp"));
    RunSteps(kThirdIfAsked, {}, PluginFlowContext());
    project.Write("AUTORUNFILE.TMP", "23");
    RunSteps(kThirdIfAsked, {}, PluginFlowContext());

    EXPECT_EQ(ShownTexts(boxes), (TextList{"A"}));
}

TEST(RunFirstMatchingRow, TheFirstEqualRowWinsAndReportsOne) {
    BoxCapture boxes;

    EXPECT_EQ(RunFirstMatchingRow(kRows, "模块 M|条目", PluginFlowContext()), 1);
    EXPECT_EQ(RunFirstMatchingRow(kRows, "模块|M|条目", PluginFlowContext()), 1);
    EXPECT_EQ(RunFirstMatchingRow(kRows, "A|B|C", PluginFlowContext()), 1);

    EXPECT_EQ(ShownTexts(boxes), (TextList{"A", "B", "A"}));
}

TEST(RunFirstMatchingRow, TrimsSingleByteWhiteSpaceAtBothEnds) {
    BoxCapture boxes;
    for (const char* text :
         {"模块 M|条目 ", "模块 M|条目\t\t", "  模块 M|条目", "\r\n\v\f模块 M|条目\r\n"}) {
        EXPECT_EQ(RunFirstMatchingRow(kRows, text, PluginFlowContext()), 1) << text;
    }
    EXPECT_EQ(ShownTexts(boxes), (TextList{"A", "A", "A", "A"}));
}

TEST(RunFirstMatchingRow, ComparesEveryByteWithoutFolding) {
    BoxCapture boxes;
    for (const char* text : {"模块 m|条目", "模块  M|条目", "模块 M |条目", "模块 M|条",
                             "模块 M|条目目", "模块 M", "", "模块 M|条目\x01", "A|B", "A|B|C|"}) {
        EXPECT_EQ(RunFirstMatchingRow(kRows, text, PluginFlowContext()), 0) << text;
    }
    EXPECT_TRUE(boxes.Take().empty());
}

TEST(RowText, JoinsModuleAndItemWithABar) {
    EXPECT_EQ(RowText(kRows[0]), "模块 M|条目");
    EXPECT_EQ(RowText(kRows[2]), "模块|M|条目");
}

}  // namespace
}  // namespace flows

// The scenario format and the choice of a rule for a started program.
#include "suite/scenario.h"

#include <gtest/gtest.h>

namespace {

suite::Scenario Parsed(const std::string& text) {
    suite::Scenario scenario;
    std::string error;
    EXPECT_TRUE(suite::ParseScenario(text, scenario, error)) << error;
    return scenario;
}

TEST(ScenarioFormat, HandWrittenFileIsRead) {
    suite::Scenario expected;
    expected.On("Modelin.exe", "-B *").Create("Autorunfile.tmp", "23").Delete("REDRAW.tmp").Exit(3);
    expected.On("WIRE_3D").Create("return.tmp").Wait(5000);
    expected.On("Stage2.exe", "").Create("a b.tmp", " x \t\r\n\\");
    const suite::Scenario parsed = Parsed(
        "# comment\r\n"
        "program Modelin.exe\r\n"
        "  args -B *\n"
        "  create Autorunfile.tmp 23\n"
        "  delete REDRAW.tmp\n"
        "  exit 3\n"
        "\n"
        "program WIRE_3D\n"
        "create return.tmp\n"
        "wait 5000\n"
        "program Stage2.exe\n"
        "args\n"
        "create a\\sb.tmp  x \\t\\r\\n\\\\\n");
    EXPECT_EQ(parsed, expected) << suite::FormatScenario(parsed);
}

TEST(ScenarioFormat, WrittenScenarioReadsBackUnchanged) {
    suite::Scenario scenario;
    scenario.On("模型.exe", "D:\\PROJ\\乗 x  ").Create("乗 .tmp", std::string("\0\x01\xff 3 ", 6));
    scenario.On("HH").Create("trailing.tmp", "x  ").Delete("\\weird name\\").Exit(125);
    scenario.On("Plain.exe", "").Wait(0);
    const std::string text = suite::FormatScenario(scenario);
    EXPECT_EQ(Parsed(text), scenario) << text;
}

TEST(ScenarioFormat, EscapesKeepGbkCharactersWhole) {
    const std::string withBackslashTrail = "乗";  // GBK 81 5C: its trail byte is '\'
    EXPECT_EQ(suite::EscapeField(withBackslashTrail + "\\ a", true),
              withBackslashTrail + "\\\\\\x20a");
    std::string bytes;
    std::string error;
    ASSERT_TRUE(suite::UnescapeField(withBackslashTrail + "\\x41\\s", bytes, error)) << error;
    EXPECT_EQ(bytes, withBackslashTrail + "A ");
    EXPECT_EQ(suite::EscapeField("\x81", false), "\\x81");  // a lead byte without its trail
}

TEST(ScenarioFormat, FaultsNameTheLine) {
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"create x.tmp\n", "line 1"},
        {"program A\nmake x\n", "line 2"},
        {"program A\nexit 3x\n", "line 2"},
        {"program A\nexit\n", "line 2"},
        {"program A\nexit 4294967296\n", "line 2"},
        {"program A\nwait -1\n", "line 2"},
        {"program A\ncreate x \\q\n", "line 2"},
        {"program A\ncreate x \\x4\n", "line 2"},
        {"program A\nargs a\nargs b\n", "line 3"},
        {"program A\nexit 1\nargs a\n", "line 3"},
    };
    for (const auto& [text, where] : faults) {
        suite::Scenario scenario;
        std::string error;
        EXPECT_FALSE(suite::ParseScenario(text, scenario, error)) << text;
        EXPECT_NE(error.find(where), std::string::npos) << error;
    }
}

TEST(ScenarioRules, ProgramNamesIgnoreCaseAndExeSuffix) {
    EXPECT_TRUE(suite::ProgramNameMatches("Modelin.exe", "MODELIN.EXE"));
    EXPECT_TRUE(suite::ProgramNameMatches("Modelin", "modelin.exe"));
    EXPECT_TRUE(suite::ProgramNameMatches("HH.exe", "hh"));
    EXPECT_FALSE(suite::ProgramNameMatches("Modelin.exe", "Modelin2.exe"));
    EXPECT_FALSE(suite::ProgramNameMatches("guide.chm", "guide"));
    EXPECT_FALSE(suite::ProgramNameMatches(".exe", ""));
}

TEST(ScenarioRules, WildcardsMatchWithoutCase) {
    struct Case {
        const char* pattern;
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        {"", "", true},
        {"", "x", false},
        {"*", "", true},
        {"-b", "-B", true},
        {"-b", "-B ", false},
        {"-?", "-B", true},
        {"*.chm", "D:\\H\\GUIDE.CHM", true},
        {"*.chm", "guide.chm.x", false},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYc d", false},
        {"* P", "x P", true},
        {"*??", "x", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(suite::WildcardMatches(c.pattern, c.text), c.matches)
            << c.pattern << " / " << c.text;
    }
}

TEST(ScenarioRules, FirstRuleForTheProgramAndItsArgumentsApplies) {
    suite::Scenario scenario;
    scenario.On("WIRE_3D.exe", "PCORE").Exit(1);
    scenario.On("WIRE_3D.exe", "").Exit(2);
    scenario.On("wire_3d").Exit(3);
    scenario.On("WIRE_3D.exe").Exit(4);
    auto chosen = [&](const std::string& file, const std::vector<std::string>& args) {
        const suite::ScenarioRule* rule = suite::SelectRule(scenario, file, args);
        return rule == nullptr ? 0u : rule->actions.at(0).code;
    };
    EXPECT_EQ(chosen("WIRE_3D.EXE", {"pcore"}), 1u);
    EXPECT_EQ(chosen("WIRE_3D.EXE", {}), 2u);
    EXPECT_EQ(chosen("WIRE_3D.EXE", {"PCORE", "x"}), 3u);
    EXPECT_EQ(chosen("OCCLUDE.exe", {"PCORE"}), 0u);
}

}  // namespace

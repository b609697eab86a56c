// The launch trace that TRUVAPP_TRACE asks for: what RunCommand writes for items with
// programs, a flow steered by work files and the failures support meets, and that a trace
// file that cannot be written changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/builders.h"
#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "model/trace.h"
#include "model/trace_line.h"
#include "plugin/entry.h"
#include "plugin/globals.h"
#include "support/file_lock.h"
#include "support/installation_fixture.h"
#include "support/temp_dir.h"

namespace {

using Texts = std::vector<std::string>;

constexpr char kTwoPrograms[] = "混凝土结构加固|加固前后对比计算";
constexpr char kDetailFlow[] = "三维建筑设计 BLDG|建筑大样图";
constexpr char kManager[] = "DMGT|DMGT";

class TraceTest : public InstallationTest {
protected:
    TraceTest() : traceFile(JoinPath(sandbox.Temp().Path(), "trace.log")) {
        if (TheCatalog().Count() == 0) BuildMenuGroups(TheCatalog());
        sandbox.Install({{"APPR", "appr", {"RetroCalc.exe"}},
                         {"BLDG", "bldg", {"DetailSel.exe", "ArchMain.exe"}},
                         {"DMGT", "dmgt", {}}});
    }

    /// Runs `key` from the project directory with the trace going to `file`.
    void Run(const std::string& key, const std::string& file) {
        const suite::ScopedEnv traced(trace::kVariable, file);
        const CurrentDirectoryScope project(sandbox.ProjectDir());
        RunCommand(const_cast<char*>(key.c_str()));
    }

    /// The trace of `key` as "event field | field" texts. The parts that vary from run to run
    /// are checked here and left out: the time, a program's duration, the value of "PATH", the
    /// system's text of an error box.
    Texts Events(const std::string& key) {
        Texts events;
        const std::string bytes = ReadWholeFile(traceFile);
        for (std::size_t start = 0; start < bytes.size();) {
            const std::size_t end = bytes.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "a line without its end";
            if (end == std::string::npos) break;
            TraceLine line;
            EXPECT_TRUE(ParseTraceLine(bytes.substr(start, end - start), line));
            EXPECT_EQ(line.key, key);
            events.push_back(Summary(line));
            start = end + 2;
        }
        return events;
    }

    std::string Dir(const std::string& folder) const { return sandbox.DirLine(folder); }

    std::string traceFile;

private:
    std::string Summary(TraceLine line) {
        std::vector<std::string>& fields = line.fields;
        if (line.event == trace::kEnd && fields.size() == 3) {
            EXPECT_TRUE(fields[2].ends_with(" ms")) << fields[2];
            fields.pop_back();
        }
        if (line.event == trace::kPath && fields.size() == 2) {
            EXPECT_TRUE(fields[0].starts_with(sandbox.Root())) << fields[0];
            fields.erase(fields.begin());
        }
        if (line.event == trace::kBox && !fields.empty() && fields[0] == "E") fields.resize(1);
        if (line.event == trace::kStart && fields.size() == 2) {
            EXPECT_EQ(fields[1], TheLauncher().workDir);
            fields.pop_back();
        }
        std::string text = line.event;
        for (std::size_t i = 0; i < fields.size(); ++i) text += (i == 0 ? " " : " | ") + fields[i];
        return text;
    }
};

std::string RowOf(const std::string& key) {
    for (int i = 0; i < TheCatalog().Count(); ++i) {
        const std::string_view row = TheCatalog().ItemAt(i).RowText();
        if (!row.starts_with(key)) continue;
        std::string shown;
        for (const char byte : row)
            shown += byte == '\t' ? std::string("^I") : std::string(1, byte);
        return shown;
    }
    return "(no row)";
}

TEST_F(TraceTest, ItemWithTwoProgramsAndTheFirstStart) {
    TheLauncher().pathPending = 1;
    Run(kTwoPrograms, traceFile);
    const std::string old = Dir("appr") + "RETROCALC.EXE -OLD";
    const std::string fresh = Dir("appr") + "RetroCalc.exe -NEW";
    EXPECT_EQ(Events(kTwoPrograms),
              (Texts{"call " + TheLauncher().workDir, "row " + RowOf(kTwoPrograms), "PATH set",
                     "start " + old, "end " + old + " | exit 0", "start " + fresh,
                     "end " + fresh + " | exit 0"}));
}

TEST_F(TraceTest, FlowWithWorkFiles) {
    WriteWholeFile(ProjectFile("CFG1.TMP"), "x");
    suite::Scenario scenario;
    scenario.On("DetailSel.exe").Create("XT1.tmp");
    sandbox.WriteScenario(scenario);
    Run(kDetailFlow, traceFile);
    const std::string select = Dir("bldg") + "DETAILSEL.EXE";
    const std::string mode = Dir("bldg") + "ARCHMAIN.EXE X";
    EXPECT_EQ(
        Events(kDetailFlow),
        (Texts{"call " + TheLauncher().workDir, "row " + RowOf(kDetailFlow),
               "delete CFG1.TMP | deleted", "delete CFG?.BLK | no file matches",
               "delete XT?.BLK | no file matches", "start " + select, "end " + select + " | exit 0",
               "test XT1.tmp | present", "start " + mode, "end " + mode + " | exit 0",
               "test XT2.tmp | absent", "delete XT1.tmp | deleted"}));
}

TEST_F(TraceTest, Failures) {
    struct Case {
        const char* name;
        const char* key;
        std::function<void(suite::Sandbox&)> breakIt;
        std::function<Texts(const suite::Sandbox&)> after;  // the events after "call" and "row"
    };
    const std::vector<Case> cases = {
        {"FailingProgram", kTwoPrograms,
         [](suite::Sandbox& box) {
             suite::Scenario scenario;
             scenario.On("RetroCalc.exe", "-OLD").Exit(3);
             box.WriteScenario(scenario);
         },
         [](const suite::Sandbox& box) {
             const std::string old = box.DirLine("appr") + "RETROCALC.EXE -OLD";
             const std::string fresh = box.DirLine("appr") + "RetroCalc.exe -NEW";
             return Texts{"start " + old, "end " + old + " | exit 3",
                          "box X | 运行该项时,程序异常中断!", "start " + fresh,
                          "end " + fresh + " | exit 0"};
         }},
        {"MissingProgram", kManager, [](suite::Sandbox&) {},
         [](const suite::Sandbox& box) {
             const std::string manager = box.DirLine("dmgt") + "SUITEMGR.EXE";
             return Texts{"start " + manager, "not started " + manager + " | error 2", "box E",
                          "box N | 找不到 " + manager};
         }},
        {"MissingCfgPath", kTwoPrograms, [](suite::Sandbox& box) { box.RemoveCfgPath(); },
         [](const suite::Sandbox&) {
             const std::string missing = "box F | 配置文件“CFGPATH”不存在，请检查!";
             return Texts{missing, missing};
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        os::DeleteFile(traceFile);
        test.breakIt(sandbox);
        Run(test.key, traceFile);
        Texts expected = {"call " + TheLauncher().workDir, std::string(kTwoPrograms) == test.key
                                                               ? "row " + RowOf(test.key)
                                                               : "row none"};
        for (const std::string& event : test.after(sandbox)) expected.push_back(event);
        EXPECT_EQ(Events(test.key), expected);
        sandbox.WriteScenario({});
        sandbox.Install({{"APPR", "appr", {"RetroCalc.exe"}}, {"DMGT", "dmgt", {}}});
    }
}

TEST_F(TraceTest, TraceFileThatCannotBeWrittenChangesNothing) {
    const std::string unwritable[] = {sandbox.Temp().Path(),
                                      JoinPath(sandbox.Temp() / "missing", "trace.log")};
    for (const std::string& file : unwritable) {
        SCOPED_TRACE(file);
        Run(kTwoPrograms, file);
        EXPECT_EQ(Started().size(), 2u);
        EXPECT_TRUE(BoxTexts().empty());
    }
    EXPECT_FALSE(os::PatternExists(sandbox.Temp() / "missing"));
}

// A log viewer holding the trace locked as a whole holds up neither export: each waits a
// moment for its line, drops it and goes on as without a trace.
TEST_F(TraceTest, LockedTraceFileHoldsUpNoCall) {
    const std::string menuFile = MenuFilePath(os::HostExecutablePath());
    WholeFileLock lock(traceFile);
    ASSERT_TRUE(lock.Held());
    os::DeleteFile(menuFile);
    EXPECT_TRUE(EndWhileLocked(lock, [this] {
        const suite::ScopedEnv traced(trace::kVariable, traceFile);
        InitTruvApp();
        Run(kTwoPrograms, traceFile);
    })) << "the calls waited for the trace's lock";
    lock.Release();
    EXPECT_EQ(Started().size(), 2u);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(ReadWholeFile(traceFile), "");
    EXPECT_TRUE(os::PatternExists(menuFile));
    os::DeleteFile(menuFile);
}

// The trace never goes into the menu file or one of its temporaries, whatever name reaches
// it: the menu is written whole and stays so, and no temporary name is taken.
TEST_F(TraceTest, NeverIntoTheMenuFile) {
    const std::string menuFile = MenuFilePath(os::HostExecutablePath());
    const std::string hostFolder = menuFile.substr(0, menuFile.size() - 8);
    os::DeleteFile(menuFile);
    InitTruvApp();
    const std::string menu = ReadWholeFile(menuFile);
    ASSERT_FALSE(menu.empty());
    const std::string link = hostFolder + "trace-link.log";
    const struct {
        std::string trace;
        std::string currentFolder;
        bool menuFirst;  // the menu file exists before the traced calls
    } cases[] = {
        {menuFile, sandbox.ProjectDir(), false},
        {hostFolder + "MENU.TXT", sandbox.ProjectDir(), true},
        {hostFolder + "menu.txt. ", sandbox.ProjectDir(), true},
        {"menu.txt", hostFolder, false},
        {hostFolder + "menu.~00", sandbox.ProjectDir(), false},
        {link, sandbox.ProjectDir(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trace);
        if (!c.menuFirst) os::DeleteFile(menuFile);
        std::filesystem::remove(link);
        if (c.trace == link) std::filesystem::create_hard_link(menuFile, link);
        {
            const suite::ScopedEnv traced(trace::kVariable, c.trace);
            const CurrentDirectoryScope current(c.currentFolder);
            InitTruvApp();
            RunCommand(const_cast<char*>(kTwoPrograms));
        }
        EXPECT_TRUE(ReadWholeFile(menuFile) == menu) << "menu.txt is no longer the menu";
        EXPECT_EQ(os::FindMatches(hostFolder + "menu.~??"), Texts{});
        EXPECT_TRUE(BoxTexts().empty());
    }
    std::filesystem::remove(link);
    os::DeleteFile(menuFile);
}

TEST(TraceScope, OnlyAFileNameTurnsTheTraceOn) {
    for (const std::optional<std::string>& value : {std::optional<std::string>(), {""}}) {
        const suite::ScopedEnv variable(trace::kVariable, value);
        const trace::CallScope call("K|K");
        EXPECT_FALSE(trace::Active());
    }
    const suite::ScopedEnv variable(trace::kVariable, "trace.log");
    {
        const trace::CallScope call("K|K");
        EXPECT_TRUE(trace::Active());
    }
    EXPECT_FALSE(trace::Active()) << "outside a call";
}

TEST(TraceLine, ControlCharactersStayOnTheLine) {
    const TraceLine line{
        "2026-12-08 10:15:00.123", "模块|项目", "box", {"第一行\n  第二行", "a\tb"}};
    const std::string text = ComposeTraceLine(line);
    EXPECT_EQ(text.find('\n'), text.size() - 1);
    TraceLine back;
    ASSERT_TRUE(ParseTraceLine(text, back));
    EXPECT_EQ(back.key, line.key);
    EXPECT_EQ(back.fields, (Texts{"第一行^J  第二行", "a^Ib"}));
    EXPECT_FALSE(ParseTraceLine("10:15 key box", back));
    EXPECT_FALSE(ParseTraceLine("2026-12-08 10:15:00.123\tkey", back));
}

TEST(TraceLine, ExitCodesAsTheSystemShowsThem) {
    const struct {
        std::uint32_t code;
        const char* text;
    } cases[] = {{0, "exit 0"},
                 {0xFFFF, "exit 65535"},
                 {0xC0000005, "exit 0xC0000005"},
                 {0x10000, "exit 0x00010000"}};
    for (const auto& c : cases) EXPECT_EQ(trace::ExitText(c.code), c.text);
}

}  // namespace

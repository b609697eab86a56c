// Every system call that the plug-in's entry points, the host's refresh of "menu.txt" and the
// trace append make, failed in turn: a counting pass learns the calls, then call 1, 2, ... N
// fails with each fault it can meet. Whatever fails, nothing crashes or hangs, "menu.txt" is
// whole or absent, no temporary is left, at most one box is shown, and a fault that means
// "try again" changes nothing at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/builders.h"
#include "host/checks/menu_refresh.h"
#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "model/trace.h"
#include "os/os.h"
#include "plugin/entry.h"
#include "plugin/globals.h"
#include "support/fault_plan.h"
#include "support/installation_fixture.h"
#include "support/temp_dir.h"

namespace {

struct Walk {
    const char* name;
    std::function<void()> prepare;  // the same start for every run
    std::function<void()> run;
    std::function<void(bool faulted, bool tryAgain)> check;
};

// The temporaries of the menu writer left in `folder`.
std::vector<std::string> Temporaries(const std::string& folder) {
    return os::FindMatches(JoinPath(folder, "menu.~*"));
}

class FaultWalkTest : public InstallationTest {
protected:
    FaultWalkTest()
        : menuPath(MenuFilePath(os::HostExecutablePath())),
          hostFolder(menuPath.substr(0, menuPath.size() - 8)),
          traceFile(JoinPath(sandbox.Temp().Path(), "trace.log")) {
        if (TheCatalog().Count() == 0) BuildMenuGroups(TheCatalog());
        sandbox.Install({{"BLDG", "bldg", {"DetailSel.exe", "ArchMain.exe"}}});
        os::DeleteFile(menuPath);
        InitTruvApp();
        expectedMenu = ReadWholeFile(menuPath);
    }
    ~FaultWalkTest() override { os::DeleteFile(menuPath); }

    /// Runs `walk` once counting, then once for each call and each fault that call can meet.
    void WalkEveryCall(const Walk& walk) {
        walk.prepare();
        std::vector<SystemCall> calls;
        {
            FaultPlan plan;
            walk.run();
            calls = plan.Calls();
        }
        walk.check(false, false);
        ASSERT_FALSE(calls.empty()) << walk.name;
        RecordProperty("calls", static_cast<int>(calls.size()));
        for (std::size_t number = 1; number <= calls.size(); ++number) {
            // Failed by its kind and place among its kind: a call of another kind that one run
            // makes more often (a wait polled, a lock tried again) shifts no other.
            const SystemCall kind = calls[number - 1];
            const auto sameKind = std::count(calls.begin(), calls.begin() + number, kind);
            for (const Fault fault : FaultsOf(kind)) {
                SCOPED_TRACE(std::string(walk.name) + ": call " + std::to_string(number) + " (" +
                             NameOf(kind) + ") " + NameOf(fault));
                walk.prepare();
                bool fired = false;
                {
                    FaultPlan plan;
                    plan.FailNth(kind, static_cast<std::size_t>(sameKind), fault);
                    walk.run();
                    fired = plan.Fired();
                }
                // A listing's calls (and its close) follow the folder's entries, which the
                // started programs change: a run may end before the chosen one of them.
                if (!fired && (kind == SystemCall::kList || kind == SystemCall::kClose)) continue;
                EXPECT_TRUE(fired);
                walk.check(true, fault == Fault::kTryAgain);
            }
        }
    }

    const std::string menuPath;
    const std::string hostFolder;
    const std::string traceFile;
    std::string expectedMenu;
};

// The entry that writes the menu file: the file whole and no box, or no file and one box
// that names it.
TEST_F(FaultWalkTest, InitTruvApp) {
    const char* result = nullptr;
    WalkEveryCall({"InitTruvApp",
                   [&] {
                       os::DeleteFile(menuPath);
                       BoxTexts();
                   },
                   [&] { result = InitTruvApp(); },
                   [&](bool, bool tryAgain) {
                       EXPECT_STREQ(result, "CFG");
                       const std::string menu = ReadWholeFile(menuPath);
                       const std::vector<std::string> shown = BoxTexts();
                       EXPECT_TRUE(Temporaries(hostFolder).empty());
                       if (menu == expectedMenu && !tryAgain) {
                           EXPECT_LE(shown.size(), 1u);
                           return;
                       }
                       EXPECT_EQ(menu, tryAgain ? expectedMenu : "");
                       ASSERT_EQ(shown.size(), tryAgain ? 0u : 1u);
                       // The host's own folder untold (its path not read), the box names the
                       // file without one.
                       if (!tryAgain && !shown[0].starts_with("menu.txt ")) {
                           EXPECT_NE(shown[0].find(menuPath), std::string::npos);
                       }
                   }});
}

// The boxes of RunCommand that a failed system call leads to, with the calls that lead there;
// each is reached wherever the backend's table can fail one of them.
struct BoxPath {
    const char* letter;
    const char* textStart;
    std::vector<SystemCall> causes;
};
const BoxPath kBoxPaths[] = {
    {"W", "初始化工作目录不存在或非法", {SystemCall::kGetDirectory, SystemCall::kSetDirectory}},
    {"X", "运行该项时,程序异常中断!", {SystemCall::kWait, SystemCall::kExitCode}},
    {"P", "设置CORE目录环境失败 !", {SystemCall::kSetVariable}},
    {"N", "找不到 ", {SystemCall::kSpawn}},  // after the system's box of the failed start
};

bool CanFail(const std::vector<SystemCall>& calls) {
    for (const SystemCall call : calls) {
        if (!FaultsOf(call).empty()) return true;
    }
    return false;
}

// A flow steered by work files, traced, with "PATH" still to be extended: at most the boxes of
// one failure, every box path that the table's failures lead to reached, and after a fault
// that means "try again" the same programs and boxes as without it.
TEST_F(FaultWalkTest, RunCommandOfAFlow) {
    const std::string key = "三维建筑设计 BLDG|建筑大样图";
    const std::string path = os::GetEnvironmentVariable("PATH").value_or("");
    std::vector<std::vector<std::string>> expectedStarts;
    std::vector<std::string> expectedBoxes;
    std::vector<std::string> everyBox;
    bool counted = false;
    WalkEveryCall({"RunCommand",
                   [&] {
                       WriteWholeFile(ProjectFile("CFG1.TMP"), "x");
                       suite::Scenario scenario;
                       scenario.On("DetailSel.exe").Create("XT1.tmp");
                       sandbox.WriteScenario(scenario);
                       os::SetCurrentDirectory(sandbox.ProjectDir());
                       os::SetEnvironmentVariable("PATH", path);
                       TheLauncher().pathPending = 1;
                       BoxTexts();
                       Started();
                   },
                   [&] {
                       const suite::ScopedEnv traced(trace::kVariable, traceFile);
                       RunCommand(const_cast<char*>(key.c_str()));
                   },
                   [&](bool faulted, bool tryAgain) {
                       const std::vector<std::string> shown = BoxTexts();
                       everyBox.insert(everyBox.end(), shown.begin(), shown.end());
                       const std::vector<std::vector<std::string>> starts = Started();
                       // A start that fails shows the system's box, then the one that names
                       // the command line.
                       EXPECT_LE(shown.size(), 2u);
                       if (shown.size() == 2) {
                           EXPECT_TRUE(shown[1].starts_with("找不到 "));
                       }
                       if (!counted) {
                           expectedStarts = starts;
                           expectedBoxes = shown;
                           counted = true;
                           EXPECT_FALSE(faulted);
                       } else if (tryAgain) {
                           EXPECT_EQ(starts, expectedStarts);
                           EXPECT_EQ(shown, expectedBoxes);
                       }
                   }});
    for (const BoxPath& box : kBoxPaths) {
        if (!CanFail(box.causes)) continue;
        const bool reached = std::any_of(everyBox.begin(), everyBox.end(), [&](const auto& text) {
            return text.starts_with(box.textStart);
        });
        EXPECT_TRUE(reached) << "message " << box.letter;
    }
}

// `truvhost menu --refresh`: "menu.txt" old or new and whole, the backup absent or the old
// file, no temporary; a failure said in words.
TEST_F(FaultWalkTest, MenuRefresh) {
    TempDir folder;
    const std::string path = folder / "menu.txt";
    const std::string backup = host::BackupName(path);
    bool refreshed = false;
    std::string error;
    WalkEveryCall({"menu --refresh",
                   [&] {
                       WriteWholeFile(path, "old");
                       os::DeleteFile(backup);
                       error.clear();
                   },
                   [&] {
                       const host::RefreshResult result = host::RefreshMenuFile(path, expectedMenu);
                       refreshed = result.outcome != host::RefreshOutcome::kFailed;
                       error = result.error;
                   },
                   [&](bool, bool tryAgain) {
                       const std::string menu = ReadWholeFile(path);
                       EXPECT_TRUE(menu == "old" || menu == expectedMenu);
                       EXPECT_TRUE(Temporaries(folder.Path()).empty());
                       EXPECT_EQ(refreshed, error.empty()) << error;
                       if (refreshed || tryAgain) {
                           EXPECT_TRUE(refreshed) << error;
                           EXPECT_EQ(menu, expectedMenu);
                           EXPECT_EQ(ReadWholeFile(backup), "old");
                       }
                       const os::NameInfo::Kind backupKind = os::LookAtName(backup).kind;
                       if (backupKind != os::NameInfo::Kind::kNothing) {
                           EXPECT_EQ(ReadWholeFile(backup), "old");
                       }
                   }});
}

// The trace append leaves the caller's last error as it was, and the file as it was or with
// the whole line added.
TEST_F(FaultWalkTest, TraceAppend) {
    const std::string before = "first\r\n";
    const std::string line = "second\r\n";
    os::Status status = os::kSuccess;
    os::Status lastError = os::kSuccess;
    os::Status callersError = os::kSuccess;
    WalkEveryCall({"trace append", [&] { WriteWholeFile(traceFile, before); },
                   [&] {
                       os::SetCurrentDirectory("");  // fails, whether the plan fails it or not
                       callersError = os::LastError();
                       status = os::AppendToFile(traceFile, line);
                       lastError = os::LastError();
                   },
                   [&](bool, bool tryAgain) {
                       EXPECT_NE(callersError, os::kSuccess);
                       EXPECT_EQ(lastError, callersError);
                       const std::string after = ReadWholeFile(traceFile);
                       if (status == os::kSuccess || tryAgain) {
                           EXPECT_EQ(status, os::kSuccess);
                           EXPECT_EQ(after, before + line);
                       } else {
                           EXPECT_EQ(after.substr(0, before.size()), before);
                           EXPECT_LT(after.size(), before.size() + line.size());
                       }
                   }});
}

}  // namespace

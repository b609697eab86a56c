// The window host under Wine: its menu bar read back with the menu API against the
// catalogue's own "menu.txt", a pick sent as a command and run on the window's worker while
// the window answers, the project folder, and the boxes that report a missing or broken
// library or menu file.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "catalogue/builders.h"
#include "host/console/auto_ok.h"
#include "host/items/item_plan.h"
#include "host/shared/host_system.h"
#include "host/window/window_host_win32.h"
// <commctrl.h> needs <windows.h> first.
#include <commctrl.h>

#include "model/menu_catalog.h"
#include "os/os.h"
#include "suite/sandbox.h"
#include "suite/system.h"
#include "support/box_capture.h"
#include "support/temp_dir.h"
#include "text/gbk_text.h"
#include "text/pinyin.h"

namespace {

constexpr int kLabelLimit = 512;
/// An item with two programs, started one after the other.
constexpr const char* kModule = "ORION";
constexpr const char* kEntry = "施工模拟与多模型比对";
constexpr std::uint32_t kLongRunMs = 5000;
constexpr UINT kAnswerTimeoutMs = 1000;
constexpr auto kSettleTime = std::chrono::milliseconds(500);
constexpr DWORD kPumpWaitMs = 100;
constexpr LONG kSizeGripWidth = 16;

std::string BinDir() {
    return suite::sys::DirName(os::HostExecutablePath());
}

/// A menu item's text as the user reads it ('&&' shows one '&').
std::string Label(HMENU menu, int position) {
    char text[kLabelLimit] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    std::string label;
    for (const char* c = text; *c != '\0'; ++c) {
        label += *c;
        if (*c == '&' && c[1] == '&') ++c;
    }
    return label;
}

/// A menu as lines: "group T", "module T", "entry T", "submenu T" in order, by depth.
void MenuLines(HMENU menu, int depth, std::vector<std::string>& lines) {
    static const char* const kKinds[] = {"group ", "module ", "entry "};
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU sub = GetSubMenu(menu, i);
        const bool subMenu = depth == 2 && sub != nullptr;
        lines.push_back((subMenu ? "submenu " : kKinds[std::min(depth, 2)]) + Label(menu, i));
        if (sub != nullptr) MenuLines(sub, depth + 1, lines);
    }
}

/// The same lines from the file.
std::vector<std::string> FileLines(const host::MenuTree& tree) {
    std::vector<std::string> lines;
    for (const host::MenuGroupBlock& group : tree.groups) {
        lines.push_back("group " + group.title);
        for (const host::MenuModule& module : group.modules) {
            lines.push_back("module " + module.title);
            for (const host::MenuNode& node : module.nodes) {
                if (node.isSubMenu) lines.push_back("submenu " + node.subMenu);
                for (const host::MenuEntry& entry : node.entries) {
                    lines.push_back("entry " + entry.title);
                }
            }
        }
    }
    return lines;
}

/// The command of the entry `entry` in the module submenu `module`; 0 when there is none.
UINT CommandOf(HMENU bar, const std::string& module, const std::string& entry) {
    for (int g = 0; g < GetMenuItemCount(bar); ++g) {
        HMENU group = GetSubMenu(bar, g);
        for (int m = 0; m < GetMenuItemCount(group); ++m) {
            if (Label(group, m) != module) continue;
            HMENU items = GetSubMenu(group, m);
            for (int e = 0; e < GetMenuItemCount(items); ++e) {
                if (Label(items, e) == entry) return GetMenuItemID(items, e);
            }
        }
    }
    return 0;
}

std::string StatusText(const host::HostWindow& window, int part) {
    char text[kLabelLimit] = {};
    SendMessageA(window.StatusBar(), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

/// Dispatches the thread's messages until `done` holds.
template <typename Done>
void PumpUntil(Done done) {
    while (!done()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPumpWaitMs, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

/// A pick as the menu sends it, and the window's messages until the item has ended.
void PickAndWait(const host::HostWindow& window, UINT command) {
    SendMessageA(window.Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    PumpUntil([&] { return !window.Running(); });
}

/// True when `control` is meant to show (its window, hidden in these tests, aside).
bool Shown(HWND control) {
    return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL ChangeFolder(const host::HostWindow& window, const std::string& folder) {
    COPYDATASTRUCT data{host::kChangeFolderData, static_cast<DWORD>(folder.size()),
                        const_cast<char*>(folder.data())};
    return static_cast<BOOL>(
        SendMessageA(window.Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
}

TEST(WindowHost, MenuBarIsTheMenuFileEntryForEntryAfterTheProjectMenu) {
    host::HostWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(BinDir(), error)) << error;
    host::MenuTree tree;
    ASSERT_TRUE(host::ReadMenuFile(host::sys::Join(BinDir(), "menu.txt"), tree, error)) << error;
    HMENU bar = GetMenu(window.Window());
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(tree.groups.size()) + 1);
    EXPECT_EQ(Label(bar, 0), "&Project");
    RemoveMenu(bar, 0, MF_BYPOSITION);  // only the plug-in's menus are compared
    std::vector<std::string> lines;
    MenuLines(bar, 0, lines);
    EXPECT_EQ(lines, FileLines(tree));
}

class WindowPickTest : public ::testing::Test {
protected:
    void SetUp() override {
        MenuCatalog catalog;
        BuildMenuGroups(catalog);
        for (int i = 0; i < catalog.Count(); ++i) {
            if (host::KeyOf(catalog.ItemAt(i)) == std::string(kModule) + "|" + kEntry) {
                plan = host::PlanItem(catalog.ItemAt(i));
            }
        }
        ASSERT_EQ(plan.runs.size(), 2u);
        std::vector<suite::CfgPathEntry> cfgPath{{"CORE", sandbox.AddModule("CORE")}};
        for (const host::PlannedRun& run : plan.runs) {
            cfgPath.push_back({run.dirKey, sandbox.AddModule(run.dirKey)});
            sandbox.InstallProgram(sandbox.DirLine(run.dirKey),
                                   run.program.substr(0, run.program.find(' ')));
        }
        sandbox.WriteCfgPath(cfgPath);
        sandbox.SetRegistryRoot();
        std::string error;
        ASSERT_TRUE(window.Open(BinDir(), error)) << error;
        command = CommandOf(GetMenu(window.Window()), kModule, kEntry);
        ASSERT_NE(command, 0u);
    }

    std::vector<std::string> StartedIn() const {
        std::vector<std::string> dirs;
        for (const suite::JournalRecord& record : sandbox.ReadJournal()) {
            dirs.push_back(record.currentDir);
        }
        sandbox.ClearJournal();
        return dirs;
    }

    CurrentDirectoryScope keepFolder{BinDir()};
    suite::Sandbox sandbox;
    host::ItemPlan plan;
    host::HostWindow window;
    UINT command = 0;
};

TEST_F(WindowPickTest, APickStartsTheItemsProgramsInTheProjectFolder) {
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    PickAndWait(window, command);
    const std::vector<suite::JournalRecord> records = sandbox.ReadJournal();
    ASSERT_EQ(records.size(), 2u);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string program = plan.runs[i].program.substr(0, plan.runs[i].program.find(' '));
        EXPECT_EQ(gbk::Upper(suite::sys::BaseName(records[i].program)), gbk::Upper(program));
        EXPECT_EQ(records[i].currentDir, sandbox.ProjectDir());
    }
    EXPECT_EQ(StatusText(window, host::kLastItemPart),
              std::string("last item: ") + kModule + "|" + kEntry + ": finished");
}

TEST_F(WindowPickTest, TheChangedFolderIsWhereTheNextProgramsStart) {
    const std::string other = suite::sys::Join(sandbox.ProjectDir(), "other");
    ASSERT_TRUE(suite::sys::MakeDirectories(other));
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    PickAndWait(window, command);
    EXPECT_EQ(StartedIn(), std::vector<std::string>(2, sandbox.ProjectDir()));

    ASSERT_TRUE(ChangeFolder(window, other));
    EXPECT_EQ(StatusText(window, host::kFolderPart), "project folder: " + other);
    PickAndWait(window, command);
    EXPECT_EQ(StartedIn(), std::vector<std::string>(2, other));
}

TEST_F(WindowPickTest, AFolderThatCannotBeEnteredIsReportedAndChangesNothing) {
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    BoxCapture boxes;
    EXPECT_FALSE(ChangeFolder(window, suite::sys::Join(sandbox.ProjectDir(), "missing")));
    const std::vector<CapturedBox> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("missing"), std::string::npos) << shown[0].text;
    PickAndWait(window, command);
    EXPECT_EQ(StartedIn(), std::vector<std::string>(2, sandbox.ProjectDir()));
}

// A pick is remembered in the window's folder: the next window on that folder shows it in a
// menu 最近使用 after the project menu, as an entry with the item's own command, and at the
// top of an empty search.
TEST_F(WindowPickTest, APickIsShownInTheRecentMenuOfTheNextWindow) {
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    TempDir state;
    std::string error;
    {
        host::HostWindow remembering;
        ASSERT_TRUE(remembering.Open(BinDir(), error, state.Path())) << error;
        EXPECT_EQ(Label(GetMenu(remembering.Window()), 1), Label(GetMenu(window.Window()), 1));
        PickAndWait(remembering, command);
    }
    host::HostWindow next;
    ASSERT_TRUE(next.Open(BinDir(), error, state.Path())) << error;
    HMENU bar = GetMenu(next.Window());
    EXPECT_EQ(Label(bar, 1), "最近使用");
    HMENU recent = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(recent), 1);
    EXPECT_EQ(Label(recent, 0), std::string(kModule) + "|" + kEntry);
    EXPECT_EQ(GetMenuItemID(recent, 0), command);

    ShowWindow(next.Window(), SW_SHOWNOACTIVATE);  // an empty search lists the recent picks
    SetFocus(next.SearchBox());
    ASSERT_TRUE(Shown(next.Results()));
    char path[kLabelLimit] = {};
    ASSERT_EQ(SendMessageA(next.Results(), LB_GETCOUNT, 0, 0), 1);
    SendMessageA(next.Results(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(path));
    EXPECT_TRUE(std::string(path).ends_with(std::string(" > ") + kEntry)) << path;
}

// An item whose programs are missing ends with a box (acknowledged here, as --auto-ok does);
// the status bar gives its outcome the width that its text needs, or all but a quarter of the
// bar when it needs more (the part's tooltip then shows it whole; Wine reads tooltips back
// only up to 80 bytes, so that is not checked here).
TEST_F(WindowPickTest, TheOutcomeAfterABoxShowsWhole) {
    static const host::Console console(false);
    host::AcknowledgeBoxes(console);
    const UINT other = CommandOf(GetMenu(window.Window()), "CORECAD", "平面荷载显示校核");
    ASSERT_NE(other, 0u);
    PickAndWait(window, other);
    const std::string outcome = StatusText(window, host::kLastItemPart);
    EXPECT_TRUE(
        outcome.starts_with("last item: CORECAD|平面荷载显示校核: finished after a message: "))
        << outcome;
    RECT part = {};
    SendMessageA(window.StatusBar(), SB_GETRECT, host::kLastItemPart,
                 reinterpret_cast<LPARAM>(&part));
    HDC context = GetDC(window.StatusBar());
    SelectObject(context,
                 reinterpret_cast<HFONT>(SendMessageA(window.StatusBar(), WM_GETFONT, 0, 0)));
    SIZE text = {};
    GetTextExtentPoint32A(context, outcome.data(), static_cast<int>(outcome.size()), &text);
    ReleaseDC(window.StatusBar(), context);
    RECT bar = {};
    GetClientRect(window.StatusBar(), &bar);
    EXPECT_GE(part.right - part.left, std::min(text.cx, bar.right * 3 / 4 - kSizeGripWidth));
}

// While the first program waits, another thread asks the window for a round trip and a
// second pick; the window answers both at once, starts nothing for the second and shows it
// refused, then shows the outcome.
TEST_F(WindowPickTest, TheWindowAnswersWhileAnItemRunsAndTakesOnePickAtATime) {
    suite::Scenario scenario;
    const std::string& first = plan.runs[0].program;
    scenario.On(first.substr(0, first.find(' '))).Wait(kLongRunMs);
    sandbox.WriteScenario(scenario);
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    std::atomic<bool> picking = false;
    std::atomic<bool> asked = false;
    bool answered = false;
    std::string whileRunning;
    std::thread other([&] {
        while (!picking) std::this_thread::yield();
        std::this_thread::sleep_for(kSettleTime);  // the pick is in its first program now
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutA(window.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                       kAnswerTimeoutMs, &result) != 0;
        SendMessageTimeoutA(window.Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0,
                            SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result);
        whileRunning = StatusText(window, host::kLastItemPart);
        asked = true;
    });
    picking = true;
    SendMessageA(window.Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    PumpUntil([&] { return asked && !window.Running(); });
    other.join();

    const std::string key = std::string(kModule) + "|" + kEntry;
    EXPECT_TRUE(answered);
    EXPECT_NE(whileRunning.find("running: " + key), std::string::npos) << whileRunning;
    EXPECT_NE(whileRunning.find("not started"), std::string::npos) << whileRunning;
    EXPECT_EQ(StartedIn().size(), plan.runs.size());
    EXPECT_EQ(StatusText(window, host::kLastItemPart), "last item: " + key + ": finished");
}

// Typing the initials lists the item by its path; Enter runs it as a pick would, and Escape
// empties the search and hides the results.
TEST_F(WindowPickTest, TheSearchListsItemsByPathAndEnterRunsTheSelectedOne) {
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    const std::string initials = gbk::PinyinInitials(kEntry);
    SetWindowTextA(window.SearchBox(), initials.c_str());
    ASSERT_TRUE(Shown(window.Results()));
    std::vector<std::string> paths;
    for (int i = 0; i < SendMessageA(window.Results(), LB_GETCOUNT, 0, 0); ++i) {
        char path[kLabelLimit] = {};
        SendMessageA(window.Results(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(path));
        paths.push_back(path);
    }
    ASSERT_EQ(paths.size(), 1u) << initials;
    EXPECT_TRUE(paths[0].ends_with(std::string(" > ") + kModule + " > " + kEntry)) << paths[0];

    SendMessageA(window.SearchBox(), WM_KEYDOWN, VK_RETURN, 0);
    PumpUntil([&] { return !window.Running(); });
    EXPECT_EQ(StartedIn(), std::vector<std::string>(2, sandbox.ProjectDir()));
    SendMessageA(window.SearchBox(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(GetWindowTextLengthA(window.SearchBox()), 0);
    EXPECT_FALSE(Shown(window.Results()));
}

struct BrokenHostDir {
    const char* name;
    const char* library;   ///< nullptr: none; "copy": the real one; else these bytes
    const char* menuFile;  ///< nullptr: none
    const char* reported;  ///< part of the error
};

void PrintTo(const BrokenHostDir& dir, std::ostream* out) {
    *out << dir.name;
}

class WindowOpenTest : public ::testing::TestWithParam<BrokenHostDir> {};

TEST_P(WindowOpenTest, RefusesAndSaysWhy) {
    const BrokenHostDir& dir = GetParam();
    TempDir temp;
    const std::string library = temp / host::sys::LibraryFileName();
    if (dir.library != nullptr && std::string(dir.library) == "copy") {
        ASSERT_TRUE(suite::sys::CopyExecutable(host::sys::Join(BinDir(), "truvApp.dll"), library));
    } else if (dir.library != nullptr) {
        WriteWholeFile(library, dir.library);
    }
    if (dir.menuFile != nullptr) WriteWholeFile(temp / "menu.txt", dir.menuFile);
    host::HostWindow window;
    std::string error;
    EXPECT_FALSE(window.Open(temp.Path(), error));
    EXPECT_NE(error.find(dir.reported), std::string::npos) << error;
    EXPECT_EQ(window.Window(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    BrokenDirs, WindowOpenTest,
    ::testing::Values(BrokenHostDir{"NoLibrary", nullptr, nullptr, "cannot load"},
                      BrokenHostDir{"NotALibrary", "MZ not a library", nullptr, "cannot load"},
                      BrokenHostDir{"NoMenuFile", "copy", nullptr, "menu.txt"},
                      BrokenHostDir{"BrokenMenuFile", "copy", "[no closing bracket\n", "menu.txt"}),
    [](const ::testing::TestParamInfo<BrokenHostDir>& param) { return param.param.name; });

}  // namespace

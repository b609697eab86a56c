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
#include "host/platform/box_watch_win32.h"
#include "host/platform/host_system.h"
#include "host/plugin/library_calls.h"
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

/// The status text of the example item run to its end with no box.
std::string Finished(const host::HostWindow& window) {
    const host::WindowTexts& texts = window.Texts();
    return host::Fill(texts.lastItem,
                      {std::string(kModule) + "|" + kEntry + ": " + texts.finished});
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
    EXPECT_EQ(Label(bar, 0), window.Texts().projectMenu);
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
    EXPECT_EQ(StatusText(window, host::kLastItemPart), Finished(window));
}

TEST_F(WindowPickTest, TheChangedFolderIsWhereTheNextProgramsStart) {
    const std::string other = suite::sys::Join(sandbox.ProjectDir(), "other");
    ASSERT_TRUE(suite::sys::MakeDirectories(other));
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    PickAndWait(window, command);
    EXPECT_EQ(StartedIn(), std::vector<std::string>(2, sandbox.ProjectDir()));

    ASSERT_TRUE(ChangeFolder(window, other));
    EXPECT_EQ(StatusText(window, host::kFolderPart),
              host::Fill(window.Texts().projectFolder, {other}));
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
    EXPECT_EQ(Label(bar, 1), next.Texts().recentMenu);
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

/// The width and height of `text` in the font of `control`; '&' marks an access key when
/// `format` is 0.
SIZE TextSizeIn(HWND control, const std::string& text, UINT format = DT_NOPREFIX) {
    HDC context = GetDC(control);
    HGDIOBJ previous =
        SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT area = {};
    DrawTextA(context, text.data(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_SINGLELINE | format);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    return {area.right - area.left, area.bottom - area.top};
}

LONG FontHeight(HWND control) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return std::abs(font.lfHeight);
}

/// Tells `window` that its DPI is now `dpi`, as the system does when it moves to another
/// monitor or the scale changes, with the size scaled as the system suggests it.
void ChangeDpi(const host::HostWindow& window, UINT dpi) {
    RECT frame = {};
    GetWindowRect(window.Window(), &frame);
    const UINT from = window.Dpi();
    RECT suggested = {frame.left, frame.top,
                      frame.left + MulDiv(frame.right - frame.left, dpi, from),
                      frame.top + MulDiv(frame.bottom - frame.top, dpi, from)};
    SendMessageA(window.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

struct Scale {
    const char* name;
    UINT dpi;
    host::WindowLanguage language;
};

void PrintTo(const Scale& scale, std::ostream* out) {
    *out << scale.name;
}

class WindowScaleTest : public WindowPickTest, public ::testing::WithParamInterface<Scale> {};

// At each scale and in each language: the font is the message font at the window's DPI, the
// search label and the box hold their text, and an item that ended with a box (acknowledged
// here, as --auto-ok does) shows its outcome in the width and height that its text needs, or
// all but a quarter of the bar when it needs more (the part's tooltip then shows it whole;
// Wine reads tooltips back only up to 80 bytes, so that is not checked here).
TEST_P(WindowScaleTest, NoTextOfTheStatusBarOrTheSearchLabelIsCut) {
    static const host::Console console(false);
    host::AcknowledgeBoxes(console);
    host::HostWindow scaled;
    std::string error;
    ASSERT_TRUE(scaled.Open(BinDir(), error, "", GetParam().language)) << error;
    const LONG designFont = FontHeight(scaled.SearchBox());
    ASSERT_EQ(scaled.Dpi(), 96u) << "the tests' prefix is at 96 dpi";
    ChangeDpi(scaled, GetParam().dpi);
    EXPECT_EQ(scaled.Dpi(), GetParam().dpi);
    for (HWND control : {scaled.SearchLabel(), scaled.SearchBox(), scaled.StatusBar()}) {
        EXPECT_NEAR(FontHeight(control), MulDiv(designFont, GetParam().dpi, 96), 1);
    }
    RECT label = {};
    GetClientRect(scaled.SearchLabel(), &label);
    const SIZE labelText = TextSizeIn(scaled.SearchLabel(), scaled.Texts().searchLabel, 0);
    EXPECT_GE(label.right, labelText.cx);
    EXPECT_GE(label.bottom, labelText.cy);
    RECT box = {};
    GetClientRect(scaled.SearchBox(), &box);
    EXPECT_GE(box.bottom, labelText.cy);

    const UINT other = CommandOf(GetMenu(scaled.Window()), "CORECAD", "平面荷载显示校核");
    ASSERT_NE(other, 0u);
    PickAndWait(scaled, other);
    const std::string outcome = StatusText(scaled, host::kLastItemPart);
    const host::WindowTexts& texts = scaled.Texts();
    EXPECT_TRUE(outcome.starts_with(host::Fill(
        texts.lastItem, {"CORECAD|平面荷载显示校核: " + host::Fill(texts.finishedAfterBox, {""})})))
        << outcome;
    RECT bar = {};
    GetClientRect(scaled.StatusBar(), &bar);
    const LONG grip = MulDiv(GetSystemMetrics(SM_CXVSCROLL), GetParam().dpi, 96);
    for (int part : {host::kFolderPart, host::kLastItemPart}) {
        RECT area = {};
        SendMessageA(scaled.StatusBar(), SB_GETRECT, part, reinterpret_cast<LPARAM>(&area));
        const SIZE text = TextSizeIn(scaled.StatusBar(), StatusText(scaled, part));
        const LONG room = part == host::kFolderPart ? bar.right / 4 : bar.right * 3 / 4 - grip;
        EXPECT_GE(area.right - area.left, std::min(text.cx, room)) << part;
        EXPECT_GE(area.bottom - area.top, text.cy) << part;
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, WindowScaleTest,
                         ::testing::Values(Scale{"English96", 96, host::WindowLanguage::English},
                                           Scale{"Chinese96", 96, host::WindowLanguage::Chinese},
                                           Scale{"English144", 144, host::WindowLanguage::English},
                                           Scale{"Chinese144", 144, host::WindowLanguage::Chinese}),
                         [](const ::testing::TestParamInfo<Scale>& param) {
                             return param.param.name;
                         });

// WM_DPICHANGED may come from another program: without the suggested place the window keeps
// its own, and a DPI out of the system's range is taken at its nearest end (50 % to 800 %).
TEST(WindowHost, AnOddDpiChangeKeepsTheWindowWhole) {
    struct Odd {
        const char* name;
        UINT dpi;
        UINT taken;
    };
    constexpr Odd kOdd[] = {{"no place", 144, 144}, {"none", 0, 48}, {"huge", 0xFFFF, 768}};
    host::HostWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(BinDir(), error)) << error;
    for (const Odd& odd : kOdd) {
        RECT before = {};
        GetWindowRect(window.Window(), &before);
        SendMessageA(window.Window(), WM_DPICHANGED, MAKEWPARAM(odd.dpi, odd.dpi), 0);
        EXPECT_EQ(window.Dpi(), odd.taken) << odd.name;
        RECT after = {};
        GetWindowRect(window.Window(), &after);
        EXPECT_TRUE(EqualRect(&before, &after)) << odd.name;
    }
}

// The window's own words come from the language it is opened in: the project menu, the
// search label and the status bar.
TEST(WindowHost, SpeaksTheLanguageItIsOpenedIn) {
    for (host::WindowLanguage language :
         {host::WindowLanguage::English, host::WindowLanguage::Chinese}) {
        const host::WindowTexts& texts = host::TextsOf(language);
        host::HostWindow window;
        std::string error;
        ASSERT_TRUE(window.Open(BinDir(), error, "", language)) << error;
        HMENU bar = GetMenu(window.Window());
        EXPECT_EQ(Label(bar, 0), texts.projectMenu);
        EXPECT_EQ(Label(GetSubMenu(bar, 0), 0), texts.changeFolder);
        EXPECT_EQ(host::WindowText(window.SearchLabel()), texts.searchLabel);
        EXPECT_EQ(StatusText(window, host::kLastItemPart),
                  host::Fill(texts.lastItem, {texts.noneYet}));
        EXPECT_TRUE(StatusText(window, host::kFolderPart)
                        .starts_with(host::Fill(texts.projectFolder, {""})));
    }
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
    const host::WindowTexts& texts = window.Texts();
    EXPECT_TRUE(whileRunning.starts_with(host::Fill(texts.running, {key, ""}))) << whileRunning;
    EXPECT_NE(whileRunning.find(host::Fill(texts.notStarted, {key})), std::string::npos)
        << whileRunning;
    EXPECT_EQ(StartedIn().size(), plan.runs.size());
    EXPECT_EQ(StatusText(window, host::kLastItemPart), Finished(window));
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

// While an item runs, the window's own dialogs are not the item's boxes: the close question
// (answered No here) is asked and the item still ends "finished"; the change-folder command,
// greyed but sent as a message, opens no dialog at all and leaves the folder as it was.
TEST_F(WindowPickTest, TheWindowsOwnDialogsDuringAPickAreNotTheItemsBoxes) {
    struct OwnDialog {
        const char* name;
        UINT message;
        WPARAM wParam;
        std::size_t dialogsShown;
    };
    const OwnDialog kDialogs[] = {
        {"the close question", WM_CLOSE, 0, 1},
        {"the folder dialog", WM_COMMAND, MAKEWPARAM(host::kChangeFolderCommand, 0), 0},
    };
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    for (const OwnDialog& dialog : kDialogs) {
        BoxCapture boxes;  // presses OK: No to the question, the folder as it is in the dialog
        SendMessageA(window.Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        ASSERT_TRUE(window.Running()) << dialog.name;
        SendMessageA(window.Window(), dialog.message, dialog.wParam, 0);
        EXPECT_EQ(boxes.Take().size(), dialog.dialogsShown) << dialog.name;
        PumpUntil([&] { return !window.Running(); });
        EXPECT_EQ(StatusText(window, host::kLastItemPart), Finished(window)) << dialog.name;
        EXPECT_EQ(StartedIn(), std::vector<std::string>(2, sandbox.ProjectDir())) << dialog.name;
        ASSERT_NE(window.Window(), nullptr) << dialog.name;
    }
}

// The worker's word that the item has ended may be forged by another program, with any
// lParam: the window takes it only from its worker, once the item has ended.
TEST_F(WindowPickTest, AForgedEndOfPickIsIgnored) {
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    for (bool running : {false, true}) {
        if (running) SendMessageA(window.Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        SendMessageA(window.Window(), host::kPickDoneMessage, 0, 0x12345678);
        EXPECT_EQ(window.Running(), running);
        PumpUntil([&] { return !window.Running(); });
    }
    EXPECT_EQ(StatusText(window, host::kLastItemPart), Finished(window));
    EXPECT_EQ(StartedIn(), std::vector<std::string>(2, sandbox.ProjectDir()));
}

/// What a pick sent while a real menu was open found: the window running, its menus, its
/// status bar.
struct PickInMenu {
    const host::HostWindow* host;
    UINT command;
    bool running = true;
    int menus = 0;
    std::string status;
};
PickInMenu* pickInMenu = nullptr;

/// Runs inside the menu's own loop: two picks sent as messages, then the menu is closed.
void CALLBACK PickInsideTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PickInMenu& pick = *pickInMenu;
    for (int twice = 0; twice < 2; ++twice) {  // the second one is refused
        SendMessageA(pick.host->Window(), WM_COMMAND, MAKEWPARAM(pick.command, 0), 0);
    }
    pick.running = pick.host->Running();
    pick.menus = GetMenuItemCount(GetMenu(pick.host->Window()));
    pick.status = StatusText(*pick.host, host::kLastItemPart);
    EndMenu();
}

// A pick that arrives while a menu is open (sent by message: the user's own picks come after
// the menu has closed) waits until the menu has closed, because it changes the menus: until
// then nothing starts and it is not a recent pick; a second one is refused. Then it runs and
// is one. A WM_ENTERMENULOOP that another program sends opens no menu and defers nothing.
TEST_F(WindowPickTest, APickWhileAMenuIsOpenStartsWhenTheMenuHasClosed) {
    TempDir state;
    host::HostWindow remembering;
    std::string error;
    ASSERT_TRUE(remembering.Open(BinDir(), error, state.Path())) << error;
    ASSERT_TRUE(ChangeFolder(remembering, sandbox.ProjectDir()));
    HMENU bar = GetMenu(remembering.Window());
    const int menus = GetMenuItemCount(bar);
    ShowWindow(remembering.Window(), SW_SHOWNOACTIVATE);
    PickInMenu pick{&remembering, command, true, 0, ""};
    pickInMenu = &pick;
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &PickInsideTheMenu);
    TrackPopupMenu(GetSubMenu(bar, 0), TPM_RETURNCMD, 0, 0, 0, remembering.Window(), nullptr);
    pickInMenu = nullptr;
    EXPECT_FALSE(pick.running);
    EXPECT_EQ(pick.menus, menus) << "no recent menu yet";
    const std::string key = std::string(kModule) + "|" + kEntry;
    EXPECT_NE(pick.status.find(host::Fill(remembering.Texts().notStarted, {key})),
              std::string::npos)
        << pick.status;
    PumpUntil(
        [&] { return StatusText(remembering, host::kLastItemPart) == Finished(remembering); });
    EXPECT_EQ(StartedIn(), std::vector<std::string>(2, sandbox.ProjectDir()));
    ASSERT_EQ(GetMenuItemCount(bar), menus + 1);
    EXPECT_EQ(Label(bar, 1), remembering.Texts().recentMenu);

    SendMessageA(remembering.Window(), WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(remembering.Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    EXPECT_TRUE(remembering.Running());
    PumpUntil([&] { return !remembering.Running(); });
}

// The keyboard alone reaches every control: Tab and Shift+Tab go round the search box and its
// results, Escape leaves the search, the label's access key (Alt+F) comes back to it, and
// Enter runs the selected result, all through the window's loop as a user's keys go.
TEST_F(WindowPickTest, TheKeyboardWalksEveryControl) {
    struct Step {
        const char* name;
        UINT message;
        WPARAM key;
        bool shift;
        HWND focus;
    };
    const HWND search = window.SearchBox();
    const HWND results = window.Results();
    const Step kSteps[] = {
        {"Tab from the window", WM_KEYDOWN, VK_TAB, false, search},
        {"Tab to the results", WM_KEYDOWN, VK_TAB, false, results},
        {"Tab round again", WM_KEYDOWN, VK_TAB, false, search},
        {"Shift+Tab back", WM_KEYDOWN, VK_TAB, true, results},
        {"Shift+Tab round again", WM_KEYDOWN, VK_TAB, true, search},
        {"Escape leaves the search", WM_KEYDOWN, VK_ESCAPE, false, window.Window()},
        {"Alt+F, the label's access key", WM_SYSCHAR, 'f', false, search},
    };
    ASSERT_TRUE(ChangeFolder(window, sandbox.ProjectDir()));
    ShowWindow(window.Window(), SW_SHOWNOACTIVATE);
    const std::string initials = gbk::PinyinInitials(kEntry);
    SetWindowTextA(search, initials.c_str());
    SetFocus(window.Window());
    BYTE keys[256] = {};
    for (const Step& step : kSteps) {
        GetKeyboardState(keys);
        keys[VK_SHIFT] = step.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message = {GetFocus(), step.message, step.key, 0, 0, {}};
        EXPECT_TRUE(window.TakeKeyboardMessage(message)) << step.name;
        EXPECT_EQ(GetFocus(), step.focus) << step.name;
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    SetWindowTextA(search, initials.c_str());
    MSG enter = {search, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(window.TakeKeyboardMessage(enter));
    EXPECT_TRUE(window.Running());
    PumpUntil([&] { return !window.Running(); });
    EXPECT_EQ(StartedIn(), std::vector<std::string>(2, sandbox.ProjectDir()));
}

// truvhost.exe as Windows sees it: a manifest for the visual styles, every scale and the
// systems from 7 to 11, an icon in both sizes and the release's version.
TEST(TruvhostExecutable, CarriesItsManifestIconAndVersion) {
    const std::string exe = host::sys::Join(BinDir(), "truvhost.exe");
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << exe;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    const char* const kManifestParts[] = {
        R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
        ">PerMonitorV2, PerMonitor</dpiAwareness>",
        ">true/pm</dpiAware>",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
    };
    for (const char* part : kManifestParts) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    for (int size : {16, 32}) {
        HANDLE icon = LoadImageA(module, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        BITMAP bitmap = {};
        if (icon != nullptr && GetIconInfo(static_cast<HICON>(icon), &info)) {
            GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        EXPECT_EQ(bitmap.bmWidth, size);
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
    FreeLibrary(module);

    DWORD ignored = 0;
    std::vector<char> version(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(
        GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    char* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(version.data(), R"(\StringFileInfo\040904B0\FileVersion)",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, TRUV_VERSION);
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
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

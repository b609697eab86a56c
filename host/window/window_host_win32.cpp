// The window host, Windows half: a top-level window whose menu bar is "menu.txt", a project
// menu and a status bar. A pick calls RunCommand on a worker thread, because RunCommand waits
// for the programs it starts (a CAD session may last hours): the window keeps painting,
// moving and answering. One pick at a time: while an item runs the plug-in's menus and the
// change of folder are greyed, and a pick that arrives anyway is refused in the status bar.
// Every size follows the window's DPI, and the texts are the user's language.
#include "host/window/window_host.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "host/platform/box_watch_win32.h"
#include "host/platform/host_system.h"
#include "host/platform/project_folder.h"
#include "host/window/window_dpi_win32.h"
#include "host/window/window_host_win32.h"
#include "plugin/inspect.h"
// <commctrl.h> and <shlobj.h> need <windows.h> first.
#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

namespace host {
namespace {

constexpr const char* kWindowClass = "TruvHostWindow";
constexpr const char* kTitle = "truvhost";
constexpr UINT_PTR kSearchSubclass = 1;
constexpr int kIconId = 1;       // truvhost.rc
constexpr int kHandledKey = -2;  // WM_VKEYTOITEM: the list box does nothing more
constexpr int kDefaultKey = -1;
// Sizes in layout units: pixels at 96 dpi.
constexpr int kWindowWidth = 760;
constexpr int kWindowHeight = 440;
constexpr int kMargin = 16;
constexpr int kSearchWidth = 320;
constexpr int kEditPadding = 8;             // the search box's borders and margins around its text
constexpr int kPartPadding = 24;            // a status part's borders and margins around its text
constexpr UINT kLeastDpi = kDesignDpi / 2;  // what WM_DPICHANGED may set: 50 % to 800 %
constexpr UINT kMostDpi = kDesignDpi * 8;
constexpr UINT kDeferredPickMessage = WM_APP + 2;  // a pick that waited for a menu to close
constexpr UINT_PTR kElapsedTimer = 1;
constexpr UINT kElapsedPeriodMs = 1000;
constexpr ULONGLONG kMsPerSecond = 1000;
constexpr ULONGLONG kSecondsPerMinute = 60;
constexpr int kClosed = 0;
constexpr int kProblemStatus = 1;

/// The boxes that open on a worker while it runs an item: how many, and the last one's text.
/// Each thread has its own; only a worker's count, which it reads itself, is an item's: the
/// window's own boxes and dialogs are never counted.
struct BoxWatch {
    bool isWorker = false;
    int count = 0;
    std::string lastText;
};
thread_local BoxWatch boxWatch;

void CountBox(HWND box) {
    if (!boxWatch.isWorker) return;
    ++boxWatch.count;
    boxWatch.lastText = BoxMessage(box);
}

/// What the host can tell of an item's outcome: the plug-in reports failures only in boxes.
std::string Outcome(const WindowTexts& texts) {
    if (boxWatch.count == 0) return texts.finished;
    std::string outcome = Fill(texts.finishedAfterBox, {boxWatch.lastText});
    if (boxWatch.count > 1) outcome += Fill(texts.boxCount, {std::to_string(boxWatch.count)});
    return outcome;
}

/// What a worker needs, all of it its own, and where it leaves the outcome.
struct WorkerStart {
    const Plugin* plugin;
    std::string key;
    const WindowTexts* texts;
    HostWindow* host;
};

/// A running time as the status bar shows it: "m:ss", or "h:mm:ss" from an hour on.
std::string Elapsed(ULONGLONG ms) {
    const ULONGLONG seconds = ms / kMsPerSecond;
    const ULONGLONG minutes = seconds / kSecondsPerMinute;
    auto twoDigits = [](ULONGLONG n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    if (minutes < kSecondsPerMinute) {
        return std::to_string(minutes) + ":" + twoDigits(seconds % kSecondsPerMinute);
    }
    return std::to_string(minutes / kSecondsPerMinute) + ":" +
           twoDigits(minutes % kSecondsPerMinute) + ":" + twoDigits(seconds % kSecondsPerMinute);
}

/// The size of `text` in `font`, in pixels; `&` marks an access key and takes no room.
SIZE TextSize(HWND window, HFONT font, const std::string& text, UINT format = DT_NOPREFIX) {
    HDC context = GetDC(window);
    HGDIOBJ previous = SelectObject(context, font);
    RECT area = {};
    DrawTextA(context, text.data(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_SINGLELINE | format);
    SelectObject(context, previous);
    ReleaseDC(window, context);
    return {area.right - area.left, area.bottom - area.top};
}

int CALLBACK OnFolderDialog(HWND dialog, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

bool RegisterWindowClass(WNDPROC procedure) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    // truvhost.exe's own icon, in the caption's size and Alt+Tab's (none in a test program).
    windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(kIconId));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageA(windowClass.hInstance, MAKEINTRESOURCEA(kIconId), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

WindowLanguage UserWindowLanguage() {
    return LanguageOfUiLanguage(GetUserDefaultUILanguage());
}

HostWindow::~HostWindow() {
    if (worker_ != nullptr) {  // the item ends on its own; its programs are never stopped
        WaitForSingleObject(worker_, INFINITE);
        CloseHandle(worker_);
    }
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
}

bool HostWindow::Open(const std::string& hostDir, std::string& error,
                      const std::string& recentFolder, WindowLanguage language) {
    texts_ = &TextsOf(language);
    lastItem_ = texts_->noneYet;
    if (!plugin_.Load(hostDir, error)) return false;
    plugin_.Init();
    const std::string menuFile = sys::Join(hostDir, kMenuFileName);
    std::string reason;
    if (!ReadMenuFile(menuFile, tree_, reason)) {
        error = menuFile + ": " + reason;
        return false;
    }
    bar_ = BuildMenuBar(tree_);
    recent_.emplace(recentFolder, tree_);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClass(&Procedure)) {
        error = "cannot register the window class: error " + std::to_string(GetLastError());
        return false;
    }
    window_ = CreateWindowExA(0, kWindowClass, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr, CreateMenuBar(),
                              GetModuleHandleA(nullptr), this);
    if (window_ == nullptr) {
        error = "cannot create the window: error " + std::to_string(GetLastError());
        return false;
    }
    status_ = CreateWindowExA(
        0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, 0, 0, 0,
        0, window_, reinterpret_cast<HMENU>(kStatusBarId), GetModuleHandleA(nullptr), nullptr);
    // In the order that Tab takes: the label's access key moves to the search box after it.
    const DWORD childStyle = WS_CHILD | WS_VISIBLE;
    label_ = CreateWindowExA(0, "STATIC", texts_->searchLabel, childStyle, 0, 0, 0, 0, window_,
                             reinterpret_cast<HMENU>(kSearchLabelId), GetModuleHandleA(nullptr),
                             nullptr);
    search_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", childStyle | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(kSearchId), GetModuleHandleA(nullptr), nullptr);
    results_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                               WS_CHILD | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                                   LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                               0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kResultsId),
                               GetModuleHandleA(nullptr), nullptr);
    SetWindowSubclass(search_, &SearchKeys, kSearchSubclass, reinterpret_cast<DWORD_PTR>(this));
    dpi_ = WindowDpi(window_);
    UseFont();
    SetWindowPos(window_, nullptr, 0, 0, Scaled(kWindowWidth, dpi_), Scaled(kWindowHeight, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MenuCatalog catalog;
    BuildMenuGroups(catalog);
    findable_ = FindableItems(tree_, catalog);
    ShowRecentMenu();
    Layout();
    ShowStatus();
    WatchBoxes(CountBox);
    return true;
}

void HostWindow::ShowAsMainWindow() {
    mainWindow_ = true;
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

HMENU HostWindow::CreateMenuBar() {
    HMENU menuBar = CreateMenu();
    HMENU project = CreatePopupMenu();
    AppendMenuA(project, MF_STRING, kChangeFolderCommand, texts_->changeFolder);
    AppendMenuA(project, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(project, MF_STRING, kExitCommand, texts_->exit);
    AppendMenuA(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(project), texts_->projectMenu);
    for (const MenuBarItem& group : bar_) {
        AppendMenuA(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopup(group)),
                    group.label.c_str());
    }
    return menuBar;
}

HMENU HostWindow::CreatePopup(const MenuBarItem& item) {
    HMENU popup = CreatePopupMenu();
    if (!item.caption.empty()) modulePopups_[popup] = &item;
    for (const MenuBarItem& child : item.children) {
        if (child.command == 0) {
            AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopup(child)),
                        child.label.c_str());
            continue;
        }
        AppendMenuA(popup, MF_STRING, child.command, child.label.c_str());
        commands_[child.key] = child.command;
        const std::size_t index = child.command - kFirstEntryCommand;
        if (entries_.size() <= index) entries_.resize(index + 1, nullptr);
        entries_[index] = &child;
    }
    return popup;
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* opening = static_cast<HostWindow*>(created->lpCreateParams);
        opening->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(opening));
    }
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self != nullptr && self->window_ == window
               ? self->OnMessage(message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT HostWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kSearchId &&
                (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_SETFOCUS)) {
                ShowResults();
            } else if (LOWORD(wParam) == kResultsId && HIWORD(wParam) == LBN_DBLCLK) {
                RunResult();
            } else if (LOWORD(wParam) == IDOK) {  // Enter in the search or its results
                RunResult();
            } else if (LOWORD(wParam) == IDCANCEL) {  // Escape
                EndSearch();
            } else if (LOWORD(wParam) == kChangeFolderCommand) {
                AskForFolder();
            } else if (LOWORD(wParam) == kExitCommand) {
                OnClose();
            } else {
                Pick(LOWORD(wParam));
            }
            return 0;
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data->dwData != kChangeFolderData) break;
            return ChangeFolder(std::string(static_cast<const char*>(data->lpData), data->cbData));
        }
        case WM_MENUSELECT:
            OnMenuSelect(wParam, lParam);
            return 0;
        case WM_EXITMENULOOP:
            SendMessageA(status_, SB_SIMPLE, FALSE, 0);
            // Started once the menu has gone: the pick changes the menus.
            if (deferredPick_ != 0) PostMessageA(window_, kDeferredPickMessage, 0, 0);
            return 0;
        case kDeferredPickMessage:
            if (!MenuTracked() && deferredPick_ != 0) Pick(std::exchange(deferredPick_, 0));
            return 0;
        case WM_GETDLGCODE:  // characters typed in the window start a search
            return DLGC_WANTCHARS;
        case WM_NEXTDLGCTL:  // from an access key of the search label, as a dialog does
            SetFocus(lParam != 0 ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(window_, GetFocus(), wParam != 0));
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SIZE:
            SendMessageA(status_, WM_SIZE, 0, 0);
            LayoutStatus();
            Layout();
            InvalidateRect(window_, nullptr, TRUE);
            return 0;
        case WM_VKEYTOITEM:
            return OnSearchKey(LOWORD(wParam)) ? kHandledKey : kDefaultKey;
        case WM_CHAR:  // typing anywhere in the window goes to the search box
            if (wParam >= ' ') {
                StartSearch();
                SendMessageA(search_, WM_CHAR, wParam, lParam);
            }
            return 0;
        case WM_TIMER:
            if (wParam == kElapsedTimer && Running()) ShowRunning();
            return 0;
        case kPickDoneMessage:
            OnPickDone();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CTLCOLORSTATIC:  // the search label on the window's background
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        case WM_DESTROY:
            window_ = nullptr;  // the window's last messages go to the default procedure
            if (mainWindow_) PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

/// A pick from a menu, the recent menu, the search or a message. One item at a time; while a
/// menu is open (a pick sent as a message) it waits until the menu has closed, because the
/// pick changes the menus that the system is tracking.
void HostWindow::Pick(unsigned command) {
    const std::size_t index = command - kFirstEntryCommand;
    if (command < kFirstEntryCommand || index >= entries_.size()) return;
    const std::string& key = entries_[index]->key;
    const bool menuTracked = MenuTracked();
    if (Running() || (menuTracked && deferredPick_ != 0)) {
        // The menus are greyed; a pick sent as a message still ends here.
        refused_ = Fill(texts_->notStarted, {key});
        Running() ? ShowRunning() : ShowStatus();
        return;
    }
    if (menuTracked) {
        deferredPick_ = command;
        return;
    }
    StartPick(command);
}

/// True while the system tracks a menu of this thread (the menu bar, a popup, the system
/// menu); asked of the system, so that a WM_ENTERMENULOOP sent by another program counts
/// for nothing.
bool HostWindow::MenuTracked() {
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    return GetGUIThreadInfo(GetCurrentThreadId(), &thread) &&
           (thread.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

/// Starts the item on a worker; it becomes a recent pick once it has started.
void HostWindow::StartPick(unsigned command) {
    const std::string& key = entries_[command - kFirstEntryCommand]->key;
    auto start = std::make_unique<WorkerStart>(WorkerStart{&plugin_, key, texts_, this});
    startedAt_ = GetTickCount64();
    worker_ = CreateThread(nullptr, 0, &RunOnWorker, start.get(), 0, nullptr);
    if (worker_ == nullptr) {
        lastItem_ = Fill(texts_->noThread, {key, std::to_string(GetLastError())});
        ShowStatus();
        return;
    }
    start.release();    // the worker's now
    runningKey_ = key;  // a pick refused while this one waited for its menu stays shown
    recent_->Note(key);
    ShowRecentMenu();
    EnablePicks(false);
    SetTimer(window_, kElapsedTimer, kElapsedPeriodMs, nullptr);
    ShowRunning();
}

DWORD WINAPI HostWindow::RunOnWorker(LPVOID start) {
    const std::unique_ptr<WorkerStart> pick(static_cast<WorkerStart*>(start));
    boxWatch = BoxWatch{};
    boxWatch.isWorker = true;
    WatchBoxesOnThisThread();  // the plug-in's boxes open on this thread
    pick->plugin->Run(pick->key);
    StopWatchingThisThread();
    pick->host->LeaveOutcome(Outcome(*pick->texts));
    return 0;
}

void HostWindow::LeaveOutcome(std::string outcome) {
    {
        const std::lock_guard<std::mutex> guard(outcomeGuard_);
        outcome_ = std::move(outcome);
    }
    PostMessageA(window_, kPickDoneMessage, 0, 0);
}

/// The worker's word that the item has ended; the same message from anyone else, before the
/// worker has left its outcome, is ignored.
void HostWindow::OnPickDone() {
    std::string told;
    {
        const std::lock_guard<std::mutex> guard(outcomeGuard_);
        if (!outcome_) return;
        told = *std::exchange(outcome_, std::nullopt);
    }
    WaitForSingleObject(worker_, INFINITE);  // it has left its last word: ends at once
    CloseHandle(worker_);
    worker_ = nullptr;
    KillTimer(window_, kElapsedTimer);
    EnablePicks(true);
    lastItem_ = runningKey_ + ": " + told;
    refused_.clear();
    ShowStatus();
    if (closeWhenDone_) DestroyWindow(window_);
}

void HostWindow::OnClose() {
    if (!Running()) {
        DestroyWindow(window_);
        return;
    }
    const std::string question = Fill(texts_->closeQuestion, {runningKey_});
    if (MessageBoxA(window_, question.c_str(), kTitle,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    if (!Running()) {  // it ended while the question was open
        DestroyWindow(window_);
        return;
    }
    closeWhenDone_ = true;
    ShowWindow(window_, SW_HIDE);
}

/// The recent picks as a menu 最近使用 after the project menu, their latest first; none while
/// there are no recent picks. An entry has its item's command, so picking it is that pick.
void HostWindow::ShowRecentMenu() {
    HMENU bar = GetMenu(window_);
    if (recentMenu_ != nullptr) DeleteMenu(bar, 1, MF_BYPOSITION);  // destroys the popup
    recentMenu_ = nullptr;
    if (recent_->Keys().empty()) {
        DrawMenuBar(window_);
        return;
    }
    recentMenu_ = CreatePopupMenu();
    for (const std::string& key : recent_->Keys()) {
        AppendMenuA(recentMenu_, MF_STRING, commands_.at(key), MenuLabel(key).c_str());
    }
    InsertMenuA(bar, 1, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(recentMenu_),
                texts_->recentMenu);
    DrawMenuBar(window_);
}

void HostWindow::EnablePicks(bool enabled) {
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
    HMENU bar = GetMenu(window_);
    for (int group = 1; group < GetMenuItemCount(bar); ++group) {  // 0 is the project menu
        EnableMenuItem(bar, group, MF_BYPOSITION | state);
    }
    EnableMenuItem(GetSubMenu(bar, 0), kChangeFolderCommand, MF_BYCOMMAND | state);
    DrawMenuBar(window_);
}

bool HostWindow::ChangeFolder(const std::string& folder) {
    if (Running()) {  // the programs still to come in the item start in the current folder
        refused_ = texts_->folderNotChanged;
        ShowRunning();
        return false;
    }
    std::string error;
    const bool changed = ChangeProjectFolder(folder, error);
    if (!changed) MessageBoxA(window_, error.c_str(), kTitle, MB_OK | MB_ICONERROR);
    ShowStatus();
    return changed;
}

/// The folder dialog; never while an item runs, whose programs still to come start in the
/// current folder (the command is greyed then, but may come as a message).
void HostWindow::AskForFolder() {
    if (Running()) {
        refused_ = texts_->folderNotChanged;
        ShowRunning();
        return;
    }
    const std::string current = ProjectFolder();
    char chosen[MAX_PATH] = {};
    BROWSEINFOA dialog = {};
    dialog.hwndOwner = window_;
    dialog.pszDisplayName = chosen;
    dialog.lpszTitle = texts_->folderDialogTitle;
    dialog.ulFlags = BIF_RETURNONLYFSDIRS;
    dialog.lpfn = OnFolderDialog;
    dialog.lParam = reinterpret_cast<LPARAM>(current.c_str());
    LPITEMIDLIST picked = SHBrowseForFolderA(&dialog);
    if (picked == nullptr) return;  // cancelled
    const bool isFolder = SHGetPathFromIDListA(picked, chosen) != FALSE;
    CoTaskMemFree(picked);
    if (isFolder) ChangeFolder(chosen);
}

void HostWindow::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    auto* menu = reinterpret_cast<HMENU>(lParam);
    std::string text;
    if (menu != nullptr && (flags & MF_POPUP) != 0) {
        const auto module = modulePopups_.find(GetSubMenu(menu, LOWORD(wParam)));
        if (module != modulePopups_.end()) text = module->second->caption;
    } else if (menu != nullptr && LOWORD(wParam) >= kFirstEntryCommand &&
               LOWORD(wParam) - kFirstEntryCommand < entries_.size()) {
        text = Fill(texts_->keyOf, {entries_[LOWORD(wParam) - kFirstEntryCommand]->key});
    }
    SendMessageA(status_, SB_SIMPLE, text.empty() ? FALSE : TRUE, 0);
    if (!text.empty()) {
        SendMessageA(status_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void HostWindow::ShowStatus() {
    statusItem_ = Fill(texts_->lastItem, {lastItem_});
    if (!refused_.empty()) statusItem_ += "  (" + refused_ + ")";
    LayoutStatus();
}

void HostWindow::ShowRunning() {
    statusItem_ = Fill(texts_->running, {runningKey_, Elapsed(GetTickCount64() - startedAt_)});
    if (!refused_.empty()) statusItem_ += "  (" + refused_ + ")";
    LayoutStatus();
}

/// The item and its outcome get the width their text needs, the folder the rest, but at
/// least a quarter of the bar and no more than its own text needs; a text cut all the same
/// shows whole in its part's tooltip.
void HostWindow::LayoutStatus() {
    const std::string folder = Fill(texts_->projectFolder, {ProjectFolder()});
    RECT bar = {};
    GetClientRect(status_, &bar);
    const int padding = Scaled(kPartPadding, dpi_);
    const int rest = std::max(static_cast<int>(bar.right) - TextWidthOf(statusItem_) - padding -
                                  SystemMetric(SM_CXVSCROLL, dpi_),
                              static_cast<int>(bar.right / 4));
    int parts[] = {std::min(TextWidthOf(folder) + padding, rest), -1};
    SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageA(status_, SB_SETTEXTA, kFolderPart, reinterpret_cast<LPARAM>(folder.c_str()));
    SendMessageA(status_, SB_SETTEXTA, kLastItemPart,
                 reinterpret_cast<LPARAM>(statusItem_.c_str()));
    SendMessageA(status_, SB_SETTIPTEXTA, kFolderPart, reinterpret_cast<LPARAM>(folder.c_str()));
    SendMessageA(status_, SB_SETTIPTEXTA, kLastItemPart,
                 reinterpret_cast<LPARAM>(statusItem_.c_str()));
}

void HostWindow::StartSearch() {
    SetFocus(search_);
    SendMessageA(search_, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK HostWindow::SearchKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR window) {
    auto* self = reinterpret_cast<HostWindow*>(window);
    if (message == WM_KEYDOWN && self->OnSearchKey(wParam)) return 0;
    if (message == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return 0;  // no beep
    return DefSubclassProc(edit, message, wParam, lParam);
}

bool HostWindow::TakeKeyboardMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == 'F' && GetKeyState(VK_CONTROL) < 0) {
        StartSearch();
        return true;
    }
    return IsDialogMessageA(window_, &message) != FALSE;
}

/// Enter runs the selected result, Escape ends the search, the arrows move the selection.
bool HostWindow::OnSearchKey(WPARAM key) {
    const auto selected = static_cast<int>(SendMessageA(results_, LB_GETCURSEL, 0, 0));
    const auto count = static_cast<int>(found_.size());
    switch (key) {
        case VK_RETURN:
            RunResult();
            return true;
        case VK_ESCAPE:
            EndSearch();
            return true;
        case VK_DOWN:
        case VK_UP:
            if (count == 0) return true;
            SendMessageA(results_, LB_SETCURSEL,
                         std::clamp(selected + (key == VK_DOWN ? 1 : -1), 0, count - 1), 0);
            return true;
        default:
            return false;
    }
}

/// The items that match the search box, by their paths; the first one selected.
/// An empty search box that has the keyboard lists the recent picks.
void HostWindow::ShowResults() {
    const std::string query = gbk::Trim(WindowText(search_));
    found_ = query.empty() && GetFocus() == search_ ? RecentItems() : FindItems(findable_, query);
    SendMessageA(results_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(results_, LB_RESETCONTENT, 0, 0);
    for (const FindableItem* item : found_) {
        SendMessageA(results_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item->path.c_str()));
    }
    if (found_.empty() && !query.empty()) {
        const std::string none = Fill(texts_->noMatch, {query});
        SendMessageA(results_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(none.c_str()));
    } else {
        SendMessageA(results_, LB_SETCURSEL, 0, 0);
    }
    SendMessageA(results_, WM_SETREDRAW, TRUE, 0);
    ShowWindow(results_, query.empty() && found_.empty() ? SW_HIDE : SW_SHOW);
    InvalidateRect(results_, nullptr, TRUE);
}

/// Runs the selected result as a pick from the menus would.
void HostWindow::RunResult() {
    if ((GetWindowLongA(results_, GWL_STYLE) & WS_VISIBLE) == 0) return;  // no search
    const auto selected = static_cast<std::size_t>(SendMessageA(results_, LB_GETCURSEL, 0, 0));
    if (selected >= found_.size()) return;
    const auto command = commands_.find(found_[selected]->key);
    if (command != commands_.end()) Pick(command->second);
}

std::vector<const FindableItem*> HostWindow::RecentItems() const {
    std::vector<const FindableItem*> items;
    for (const std::string& key : recent_->Keys()) {
        for (const FindableItem& item : findable_) {
            if (item.key == key) items.push_back(&item);
        }
    }
    return items;
}

void HostWindow::EndSearch() {
    SetFocus(window_);
    SetWindowTextA(search_, "");  // hides the results
}

int HostWindow::TextWidthOf(const std::string& text) const {
    return TextSize(window_, font_, text).cx;
}

/// The message font at the window's DPI for every control; the status bar takes its height
/// from it.
void HostWindow::UseFont() {
    HFONT previous = std::exchange(font_, CreateMessageFont(dpi_));
    for (HWND control : {status_, label_, search_, results_}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    if (previous != nullptr) DeleteObject(previous);
}

/// The window moved to a monitor of another scale, or the scale changed: a font and sizes
/// for the new DPI, in the place that the system suggests. The message may also come from
/// another program: a DPI out of the system's range is taken at its nearest end, and without
/// a place the window keeps its own.
void HostWindow::OnDpiChanged(UINT dpi, const RECT* suggested) {
    dpi_ = std::clamp(dpi, kLeastDpi, kMostDpi);
    UseFont();
    if (suggested != nullptr) {
        SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageA(status_, WM_SIZE, 0, 0);
    Layout();
    LayoutStatus();
    InvalidateRect(window_, nullptr, TRUE);
}

/// The label and the search box at the top, the results filling the rest above the status
/// bar; each as large as its text in the window's font needs.
void HostWindow::Layout() {
    RECT area = {};
    GetClientRect(window_, &area);
    RECT bar = {};
    GetWindowRect(status_, &bar);
    const int margin = Scaled(kMargin, dpi_);
    const SIZE label = TextSize(window_, font_, texts_->searchLabel, 0);
    const int searchHeight = label.cy + Scaled(kEditPadding, dpi_);
    MoveWindow(label_, margin, margin / 2 + (searchHeight - label.cy) / 2, label.cx, label.cy,
               TRUE);
    MoveWindow(search_, margin + label.cx + margin / 2, margin / 2, Scaled(kSearchWidth, dpi_),
               searchHeight, TRUE);
    const int top = margin + searchHeight;
    const int bottom = area.bottom - (bar.bottom - bar.top);
    MoveWindow(results_, margin, top, std::max(0, static_cast<int>(area.right) - 2 * margin),
               std::max(0, bottom - top - margin / 2), TRUE);
}

void HostWindow::Paint() {
    PAINTSTRUCT paint;
    HDC context = BeginPaint(window_, &paint);
    RECT area;
    GetClientRect(window_, &area);
    const int margin = Scaled(kMargin, dpi_);
    RECT search = {};
    GetWindowRect(search_, &search);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&search), 2);
    InflateRect(&area, -margin, 0);
    area.top = search.bottom + margin;
    SetBkMode(context, TRANSPARENT);
    HGDIOBJ previous = SelectObject(context, font_);
    DrawTextA(context, texts_->hint, -1, &area, DT_WORDBREAK);
    SelectObject(context, previous);
    EndPaint(window_, &paint);
}

int RunWindowHost(const std::string& hostDir, const std::string& projectFolder,
                  const std::string& recentFolder, std::optional<WindowLanguage> language,
                  const Console&) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the folder dialog is a shell object
    HostWindow window;
    std::string error;
    if (!window.Open(hostDir, error, recentFolder, language.value_or(UserWindowLanguage()))) {
        MessageBoxA(nullptr, ("truvhost: " + error).c_str(), kTitle, MB_OK | MB_ICONERROR);
        return kProblemStatus;
    }
    if (!projectFolder.empty()) window.ChangeFolder(projectFolder);
    window.ShowAsMainWindow();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (window.TakeKeyboardMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return kClosed;
}

}  // namespace host

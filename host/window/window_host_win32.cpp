// The window host, Windows half: a top-level window whose menu bar is "menu.txt", a project
// menu and a status bar. A pick calls RunCommand on a worker thread, because RunCommand waits
// for the programs it starts (a CAD session may last hours): the window keeps painting,
// moving and answering. One pick at a time: while an item runs the plug-in's menus and the
// change of folder are greyed, and a pick that arrives anyway is refused in the status bar.
#include "host/window/window_host.h"

#include <algorithm>
#include <cstring>

#include "host/shared/box_watch_win32.h"
#include "host/shared/host_system.h"
#include "host/shared/project_folder.h"
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
constexpr int kStatusBarId = 1;
constexpr int kSearchId = 2;
constexpr int kResultsId = 3;
constexpr int kSearchWidth = 320;
constexpr int kSearchHeight = 24;
constexpr const char* kSearchLabel = "Find (Ctrl+F):";
WNDPROC editProcedure = nullptr;  // the edit class's own, which the search box calls on
constexpr int kHandledKey = -2;   // WM_VKEYTOITEM: the list box does nothing more
constexpr int kDefaultKey = -1;
constexpr int kWindowWidth = 760;
constexpr int kWindowHeight = 440;
constexpr int kMargin = 16;
constexpr int kPartPadding = 24;  // a status part's borders and margins around its text
constexpr int kSizeGripWidth = 16;
constexpr UINT kPickDoneMessage = WM_APP + 1;
constexpr UINT_PTR kElapsedTimer = 1;
constexpr UINT kElapsedPeriodMs = 1000;
constexpr ULONGLONG kMsPerSecond = 1000;
constexpr ULONGLONG kSecondsPerMinute = 60;
constexpr int kClosed = 0;
constexpr int kProblemStatus = 1;

constexpr const char* kHint =
    "Pick an item from the menu bar: the plug-in starts its programs in the project folder "
    "shown below.\n\nOr type a part of its title, its module or program, or the pinyin "
    "initials of its title (jzpmt for the floor plan): Enter or a double click runs the "
    "selected result, Escape returns to the menus.\n\nProject > Change folder... chooses "
    "another project folder.";

/// The boxes that open on the worker while an item runs: how many, and the last one's text.
/// The window reads them after the worker has ended.
struct BoxWatch {
    int count = 0;
    std::string lastText;
};
BoxWatch boxWatch;

void CountBox(HWND box) {
    ++boxWatch.count;
    boxWatch.lastText = BoxMessage(box);
}

/// What the host can tell of an item's outcome: the plug-in reports failures only in boxes.
std::string Outcome() {
    if (boxWatch.count == 0) return "finished";
    std::string outcome = "finished after a message: " + boxWatch.lastText;
    if (boxWatch.count > 1) outcome += " (" + std::to_string(boxWatch.count) + " messages)";
    return outcome;
}

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

/// The width of `text` in the font of `control`, in pixels.
int TextWidth(HWND control, const std::string& text) {
    HDC context = GetDC(control);
    HGDIOBJ previous =
        SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(context, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    return size.cx;
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
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HostWindow::~HostWindow() {
    if (worker_ != nullptr) {  // the item ends on its own; its programs are never stopped
        WaitForSingleObject(worker_, INFINITE);
        CloseHandle(worker_);
    }
    if (window_ != nullptr) DestroyWindow(window_);
}

bool HostWindow::Open(const std::string& hostDir, std::string& error,
                      const std::string& recentFolder) {
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

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
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
    const DWORD childStyle = WS_CHILD | WS_VISIBLE;
    search_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", childStyle | ES_AUTOHSCROLL, 0, 0, 0, 0,
                              window_, reinterpret_cast<HMENU>(kSearchId),
                              GetModuleHandleA(nullptr), nullptr);
    results_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, "LISTBOX", "",
        WS_CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT, 0, 0, 0,
        0, window_, reinterpret_cast<HMENU>(kResultsId), GetModuleHandleA(nullptr), nullptr);
    for (HWND control : {status_, search_, results_}) {  // status_: measured in that font
        SendMessageA(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    // Subclassed by hand: SetWindowSubclass is exported by name only from version 6 of the
    // common controls, which a host without a manifest does not get.
    editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(search_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SearchKeys)));
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
    AppendMenuA(project, MF_STRING, kChangeFolderCommand, "&Change folder...");
    AppendMenuA(project, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(project, MF_STRING, kExitCommand, "E&xit");
    AppendMenuA(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(project), "&Project");
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
        case WM_DESTROY:
            window_ = nullptr;  // the window's last messages go to the default procedure
            if (mainWindow_) PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void HostWindow::Pick(unsigned command) {
    const std::size_t index = command - kFirstEntryCommand;
    if (command < kFirstEntryCommand || index >= entries_.size()) return;
    const std::string& key = entries_[index]->key;
    if (Running()) {  // the menus are greyed; a pick sent as a message still ends here
        refused_ = key + " not started: one item at a time";
        ShowRunning();
        return;
    }
    runningKey_ = key;
    recent_->Note(key);
    ShowRecentMenu();
    boxWatch = {};
    startedAt_ = GetTickCount64();
    worker_ = CreateThread(nullptr, 0, &RunOnWorker, this, 0, nullptr);
    if (worker_ == nullptr) {
        lastItem_ =
            key + ": not started, no thread for it: error " + std::to_string(GetLastError());
        ShowStatus();
        return;
    }
    EnablePicks(false);
    SetTimer(window_, kElapsedTimer, kElapsedPeriodMs, nullptr);
    ShowRunning();
}

DWORD WINAPI HostWindow::RunOnWorker(LPVOID window) {
    auto* self = static_cast<HostWindow*>(window);
    WatchBoxesOnThisThread();  // the plug-in's boxes open on this thread
    self->plugin_.Run(self->runningKey_);
    StopWatchingThisThread();
    PostMessageA(self->window_, kPickDoneMessage, 0, 0);
    return 0;
}

void HostWindow::OnPickDone() {
    if (!Running()) return;
    WaitForSingleObject(worker_, INFINITE);  // it has posted its last word: ends at once
    CloseHandle(worker_);
    worker_ = nullptr;
    KillTimer(window_, kElapsedTimer);
    EnablePicks(true);
    lastItem_ = runningKey_ + ": " + Outcome();
    refused_.clear();
    ShowStatus();
    if (closeWhenDone_) DestroyWindow(window_);
}

void HostWindow::OnClose() {
    if (!Running()) {
        DestroyWindow(window_);
        return;
    }
    const std::string question =
        runningKey_ +
        " is still running.\n\nClose the window anyway? Its programs keep running and are not "
        "stopped; truvhost ends when the item has ended.";
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
                "最近使用");
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
        refused_ = "project folder not changed: an item runs";
        ShowRunning();
        return false;
    }
    std::string error;
    const bool changed = ChangeProjectFolder(folder, error);
    if (!changed) MessageBoxA(window_, error.c_str(), kTitle, MB_OK | MB_ICONERROR);
    ShowStatus();
    return changed;
}

void HostWindow::AskForFolder() {
    const std::string current = ProjectFolder();
    char chosen[MAX_PATH] = {};
    BROWSEINFOA dialog = {};
    dialog.hwndOwner = window_;
    dialog.pszDisplayName = chosen;
    dialog.lpszTitle = "The project folder: the programs start there";
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
        text = "key: " + entries_[LOWORD(wParam) - kFirstEntryCommand]->key;
    }
    SendMessageA(status_, SB_SIMPLE, text.empty() ? FALSE : TRUE, 0);
    if (!text.empty()) {
        SendMessageA(status_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void HostWindow::ShowStatus() {
    statusItem_ = "last item: " + lastItem_;
    LayoutStatus();
}

void HostWindow::ShowRunning() {
    statusItem_ = "running: " + runningKey_ + "  " + Elapsed(GetTickCount64() - startedAt_);
    if (!refused_.empty()) statusItem_ += "  (" + refused_ + ")";
    LayoutStatus();
}

/// The item and its outcome get the width their text needs, the folder the rest, but at
/// least a quarter of the bar and no more than its own text needs; a text cut all the same
/// shows whole in its part's tooltip.
void HostWindow::LayoutStatus() {
    const std::string folder = "project folder: " + ProjectFolder();
    RECT bar = {};
    GetClientRect(status_, &bar);
    const int rest = std::max(static_cast<int>(bar.right) - TextWidth(status_, statusItem_) -
                                  kPartPadding - kSizeGripWidth,
                              static_cast<int>(bar.right / 4));
    int parts[] = {std::min(TextWidth(status_, folder) + kPartPadding, rest), -1};
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

LRESULT CALLBACK HostWindow::SearchKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(GetParent(edit), GWLP_USERDATA));
    if (message == WM_KEYDOWN && self != nullptr && self->OnSearchKey(wParam)) return 0;
    if (message == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return 0;  // no beep
    return CallWindowProcA(editProcedure, edit, message, wParam, lParam);
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
        const std::string none = "no item matches " + query;
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

/// The search box under the label at the top; the results fill the rest above the status bar.
void HostWindow::Layout() {
    RECT area = {};
    GetClientRect(window_, &area);
    RECT bar = {};
    GetWindowRect(status_, &bar);
    HDC context = GetDC(window_);
    HGDIOBJ previous = SelectObject(context, GetStockObject(DEFAULT_GUI_FONT));
    SIZE label = {};
    GetTextExtentPoint32A(context, kSearchLabel, static_cast<int>(std::strlen(kSearchLabel)),
                          &label);
    SelectObject(context, previous);
    ReleaseDC(window_, context);
    const int left = kMargin + label.cx + kMargin / 2;
    MoveWindow(search_, left, kMargin / 2, kSearchWidth, kSearchHeight, TRUE);
    const int top = kMargin + kSearchHeight;
    const int bottom = area.bottom - (bar.bottom - bar.top);
    MoveWindow(results_, kMargin, top, std::max(0L, area.right - 2 * kMargin),
               std::max(0, bottom - top - kMargin / 2), TRUE);
}

void HostWindow::Paint() {
    PAINTSTRUCT paint;
    HDC context = BeginPaint(window_, &paint);
    RECT area;
    GetClientRect(window_, &area);
    InflateRect(&area, -kMargin, -kMargin);
    SetBkMode(context, TRANSPARENT);
    SelectObject(context, GetStockObject(DEFAULT_GUI_FONT));
    RECT label = area;
    label.top = kMargin / 2 + kSearchHeight / 4;
    DrawTextA(context, kSearchLabel, -1, &label, DT_SINGLELINE);
    area.top = kMargin + kSearchHeight + kMargin;
    DrawTextA(context, kHint, -1, &area, DT_WORDBREAK);
    EndPaint(window_, &paint);
}

int RunWindowHost(const std::string& hostDir, const std::string& projectFolder,
                  const std::string& recentFolder, const Console&) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the folder dialog is a shell object
    HostWindow window;
    std::string error;
    if (!window.Open(hostDir, error, recentFolder)) {
        MessageBoxA(nullptr, ("truvhost: " + error).c_str(), kTitle, MB_OK | MB_ICONERROR);
        return kProblemStatus;
    }
    if (!projectFolder.empty()) window.ChangeFolder(projectFolder);
    window.ShowAsMainWindow();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == 'F' && GetKeyState(VK_CONTROL) < 0) {
            window.StartSearch();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return kClosed;
}

}  // namespace host

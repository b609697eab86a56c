// The window host, Windows half: a top-level window whose menu bar is "menu.txt", a project
// menu and a status bar. Picks call RunCommand on this (the window's) thread; while an item
// runs the window is disabled, so the plug-in's boxes are modal over it and calls never
// overlap.
#include "host/window_host.h"

#include "host/box_watch_win32.h"
#include "host/host_system.h"
#include "host/project_folder.h"
#include "host/window_host_win32.h"
#include "model/menu_file.h"
// <commctrl.h> and <shlobj.h> need <windows.h> first.
#include <commctrl.h>
#include <shlobj.h>

namespace host {
namespace {

constexpr const char* kWindowClass = "TruvHostWindow";
constexpr const char* kTitle = "truvhost";
constexpr int kStatusBarId = 1;
constexpr int kWindowWidth = 760;
constexpr int kWindowHeight = 440;
constexpr int kFolderPartWidth = 360;
constexpr int kMargin = 16;
constexpr int kClosed = 0;
constexpr int kProblemStatus = 1;

constexpr const char* kHint =
    "Pick an item from the menu bar: the plug-in starts its programs in the project folder "
    "shown below.\n\nProject > Change folder... chooses another project folder.";

/// The boxes that open on this thread while an item runs: how many, and the last one's text.
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
    if (window_ != nullptr) DestroyWindow(window_);
}

bool HostWindow::Open(const std::string& hostDir, std::string& error) {
    if (!plugin_.Load(hostDir, error)) return false;
    plugin_.Init();
    const std::string menuFile = sys::Join(hostDir, kMenuFileName);
    std::string reason;
    if (!ReadMenuFile(menuFile, tree_, reason)) {
        error = menuFile + ": " + reason;
        return false;
    }
    bar_ = BuildMenuBar(tree_);

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
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                              0, 0, window_, reinterpret_cast<HMENU>(kStatusBarId),
                              GetModuleHandleA(nullptr), nullptr);
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
            if (LOWORD(wParam) == kChangeFolderCommand) {
                AskForFolder();
            } else if (LOWORD(wParam) == kExitCommand) {
                DestroyWindow(window_);
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
            InvalidateRect(window_, nullptr, TRUE);
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
    if (running_ || command < kFirstEntryCommand || index >= entries_.size()) return;
    const std::string key = entries_[index]->key;
    running_ = true;
    boxWatch.count = 0;
    EnableWindow(window_, FALSE);
    SendMessageA(status_, SB_SETTEXTA, kLastItemPart,
                 reinterpret_cast<LPARAM>(("running: " + key).c_str()));
    UpdateWindow(status_);
    plugin_.Run(key);
    EnableWindow(window_, TRUE);
    running_ = false;
    lastItem_ = key + ": " + Outcome();
    ShowStatus();
}

bool HostWindow::ChangeFolder(const std::string& folder) {
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
    int parts[] = {kFolderPartWidth, -1};
    SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    const std::string folder = "project folder: " + ProjectFolder();
    const std::string last = "last item: " + lastItem_;
    SendMessageA(status_, SB_SETTEXTA, kFolderPart, reinterpret_cast<LPARAM>(folder.c_str()));
    SendMessageA(status_, SB_SETTEXTA, kLastItemPart, reinterpret_cast<LPARAM>(last.c_str()));
}

void HostWindow::Paint() {
    PAINTSTRUCT paint;
    HDC context = BeginPaint(window_, &paint);
    RECT area;
    GetClientRect(window_, &area);
    InflateRect(&area, -kMargin, -kMargin);
    SetBkMode(context, TRANSPARENT);
    SelectObject(context, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(context, kHint, -1, &area, DT_WORDBREAK);
    EndPaint(window_, &paint);
}

int RunWindowHost(const std::string& hostDir, const std::string& projectFolder, const Console&) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the folder dialog is a shell object
    HostWindow window;
    std::string error;
    if (!window.Open(hostDir, error)) {
        MessageBoxA(nullptr, ("truvhost: " + error).c_str(), kTitle, MB_OK | MB_ICONERROR);
        return kProblemStatus;
    }
    if (!projectFolder.empty()) window.ChangeFolder(projectFolder);
    window.ShowAsMainWindow();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return kClosed;
}

}  // namespace host

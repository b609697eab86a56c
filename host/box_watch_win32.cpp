// Message boxes as they open on a thread of the host: a WH_CBT hook finds each one.
#include "host/box_watch_win32.h"

namespace host {
namespace {

constexpr const char* kDialogClass = "#32770";
constexpr int kStaticTextId = 0xFFFF;  // the static control that holds a box's message
constexpr std::size_t kTextLimit = 2048;

HHOOK boxHook = nullptr;
void (*boxHandler)(HWND box) = nullptr;

LRESULT CALLBACK OnWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == kDialogClass) boxHandler(window);
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

}  // namespace

void WatchBoxes(void (*onBox)(HWND box)) {
    if (boxHook != nullptr) return;
    boxHandler = onBox;
    boxHook = SetWindowsHookExA(WH_CBT, OnWindowEvent, nullptr, GetCurrentThreadId());
}

std::string WindowText(HWND window) {
    char text[kTextLimit] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string BoxMessage(HWND box) {
    return WindowText(GetDlgItem(box, kStaticTextId));
}

}  // namespace host

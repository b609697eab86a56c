// Message boxes as they open on the host's threads: a WH_CBT hook per thread finds each one.
#include "host/platform/box_watch_win32.h"

#include <algorithm>
#include <vector>

namespace host {
namespace {

constexpr const char* kDialogClass = "#32770";
constexpr int kStaticTextId = 0xFFFF;  // the static control that holds a box's message
constexpr std::size_t kTextLimit = 2048;

thread_local HHOOK boxHook = nullptr;
std::vector<void (*)(HWND box)> boxHandlers;  // filled before any watched worker starts

LRESULT CALLBACK OnWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == kDialogClass) {
            for (auto* handler : boxHandlers) handler(window);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

}  // namespace

void WatchBoxes(void (*onBox)(HWND box)) {
    if (std::find(boxHandlers.begin(), boxHandlers.end(), onBox) == boxHandlers.end()) {
        boxHandlers.push_back(onBox);
    }
    WatchBoxesOnThisThread();
}

void WatchBoxesOnThisThread() {
    if (boxHook != nullptr) return;
    boxHook = SetWindowsHookExA(WH_CBT, OnWindowEvent, nullptr, GetCurrentThreadId());
}

void StopWatchingThisThread() {
    if (boxHook != nullptr) UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
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

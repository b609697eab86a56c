// Message boxes without a person, Windows half: a WH_CBT hook reads and closes each box.
#include "host/auto_ok.h"

#include <string>

#include "host/windows_api.h"

namespace host {
namespace {

constexpr const char* kDialogClass = "#32770";
constexpr int kStaticTextId = 0xFFFF;

const Console* boxConsole = nullptr;
HHOOK boxHook = nullptr;

std::string WindowText(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LRESULT CALLBACK OnWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        GetClassNameA(box, className, sizeof className);
        if (std::string(className) == kDialogClass) {
            boxConsole->Line("[" + WindowText(box) + "] " +
                             WindowText(GetDlgItem(box, kStaticTextId)));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

}  // namespace

void AcknowledgeBoxes(const Console& console) {
    boxConsole = &console;
    boxHook = SetWindowsHookExA(WH_CBT, OnWindowEvent, nullptr, GetCurrentThreadId());
}

}  // namespace host

// Message boxes without a person.
#include "host/auto_ok.h"

#ifdef _WIN32
#include <windows.h>

#include <string>
#else
#include <cstdlib>
#endif

namespace host {

#ifdef _WIN32
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
#else
void AcknowledgeBoxes(const Console&) {
    setenv("TRUV_BOX_NOWAIT", "1", 1);
}
#endif

}  // namespace host

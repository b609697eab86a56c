// Windows half of BoxCapture: a WH_CBT hook on the calling thread reads each box and presses OK.
#include "support/box_capture.h"

#include <cstring>
#include <stdexcept>
#include <utility>

#include "os/win32/windows_support.h"

namespace {

constexpr char kDialogClass[] = "#32770";      // the system's dialog class, message boxes included
constexpr int kBoxTextId = 0xFFFF;             // the static control that holds a box's text
constexpr char kSeenMark[] = "truv.box.seen";  // set on a box once read: activation may repeat

// One capture at a time, so the hook procedure finds its state here.
HHOOK activeHook = nullptr;
std::vector<CapturedBox>* activeBoxes = nullptr;

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

bool IsDialog(HWND window) {
    char className[sizeof kDialogClass + 1] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, kDialogClass) == 0;
}

LRESULT CALLBACK OnCbtEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeBoxes != nullptr) {
        HWND box = reinterpret_cast<HWND>(wParam);
        if (IsDialog(box) && GetPropA(box, kSeenMark) == nullptr) {
            SetPropA(box, kSeenMark, box);
            activeBoxes->push_back({WindowText(box), WindowText(GetDlgItem(box, kBoxTextId))});
            // Posted, not sent: the box handles it once its own message loop runs.
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(activeHook, code, wParam, lParam);
}

}  // namespace

BoxCapture::BoxCapture() {
    if (activeBoxes != nullptr) {
        throw std::logic_error("only one BoxCapture may live at a time");
    }
    activeBoxes = new std::vector<CapturedBox>();
    activeHook = SetWindowsHookExA(WH_CBT, OnCbtEvent, /*hmod=*/nullptr, GetCurrentThreadId());
    if (activeHook == nullptr) {
        delete std::exchange(activeBoxes, nullptr);
        throw std::runtime_error("SetWindowsHookExA(WH_CBT) failed");
    }
}

BoxCapture::~BoxCapture() {
    UnhookWindowsHookEx(std::exchange(activeHook, nullptr));
    delete std::exchange(activeBoxes, nullptr);
}

std::vector<CapturedBox> BoxCapture::Take() {
    return std::exchange(*activeBoxes, {});
}

// The plug-in's message boxes as the host sees them, Windows half: a WH_CBT hook counts each
// box, and reads and closes it when asked.
#include "host/console/auto_ok.h"

#include "host/platform/box_watch_win32.h"

namespace host {
namespace {

const Console* boxConsole = nullptr;  // set: boxes are printed and closed
int boxesShown = 0;

void OnBox(HWND box) {
    ++boxesShown;
    if (boxConsole == nullptr) return;
    // The system's error texts end with a line break of their own: one line per box.
    std::string message = BoxMessage(box);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    boxConsole->Line("[" + WindowText(box) + "] " + message);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace

void AcknowledgeBoxes(const Console& console) {
    boxConsole = &console;
    WatchBoxes(OnBox);
}

void CountBoxes() {
    boxesShown = 0;
    WatchBoxes(OnBox);
}

int BoxesShown() {
    return boxesShown;
}

}  // namespace host

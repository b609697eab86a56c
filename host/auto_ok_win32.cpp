// Message boxes without a person, Windows half: a WH_CBT hook reads and closes each box.
#include "host/auto_ok.h"

#include "host/box_watch_win32.h"

namespace host {
namespace {

const Console* boxConsole = nullptr;

void PrintAndClose(HWND box) {
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
    WatchBoxes(PrintAndClose);
}

}  // namespace host

// Message boxes without a person, Windows half: a WH_CBT hook reads and closes each box.
#include "host/auto_ok.h"

#include "host/box_watch_win32.h"

namespace host {
namespace {

const Console* boxConsole = nullptr;

void PrintAndClose(HWND box) {
    boxConsole->Line("[" + WindowText(box) + "] " + BoxMessage(box));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace

void AcknowledgeBoxes(const Console& console) {
    boxConsole = &console;
    WatchBoxes(PrintAndClose);
}

}  // namespace host

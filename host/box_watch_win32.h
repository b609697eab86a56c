// Message boxes as they open on a thread of the host, Windows only: a WH_CBT hook finds each
// one when it is activated.
#ifndef TRUV_HOST_BOX_WATCH_WIN32_H
#define TRUV_HOST_BOX_WATCH_WIN32_H

#include <string>

#include "host/windows_api.h"

namespace host {

/// From now on, calls `onBox(box)` whenever a message box opens on the calling thread. Only
/// the first call sets the hook; later calls change nothing.
void WatchBoxes(void (*onBox)(HWND box));

/// The title of a window: a box's caption.
std::string WindowText(HWND window);

/// The message text of box `box`.
std::string BoxMessage(HWND box);

}  // namespace host

#endif  // TRUV_HOST_BOX_WATCH_WIN32_H

// Message boxes as they open on the host's threads, Windows only: a WH_CBT hook on each
// watched thread finds each one when it is activated.
#ifndef TRUV_HOST_PLATFORM_BOX_WATCH_WIN32_H
#define TRUV_HOST_PLATFORM_BOX_WATCH_WIN32_H

#include <windows.h>

#include <string>

namespace host {

/// From now on, calls `onBox(box)` whenever a message box opens on the calling thread or on a
/// thread that calls WatchBoxesOnThisThread. Handlers are added before any such thread
/// starts; a handler added twice is called once.
void WatchBoxes(void (*onBox)(HWND box));

/// Hooks the calling thread (a worker that calls the plug-in) for the handlers WatchBoxes
/// added; StopWatchingThisThread removes the hook before the thread ends.
void WatchBoxesOnThisThread();
void StopWatchingThisThread();

/// The title of a window: a box's caption.
std::string WindowText(HWND window);

/// The message text of box `box`.
std::string BoxMessage(HWND box);

}  // namespace host

#endif  // TRUV_HOST_PLATFORM_BOX_WATCH_WIN32_H

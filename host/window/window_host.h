// The window host: truvhost's menus in a real window, as the suite's users see them.
#ifndef TRUV_HOST_WINDOW_WINDOW_HOST_H
#define TRUV_HOST_WINDOW_WINDOW_HOST_H

#include <optional>
#include <string>

#include "host/platform/console_text.h"
#include "host/window/window_texts.h"

namespace host {

/// Loads the plug-in from `hostDir`, calls InitTruvApp once, builds the menu bar from the
/// "menu.txt" there and runs the window until it is closed; returns the exit status. A
/// missing or broken library or menu file is reported in a box (status 1). A non-empty
/// `projectFolder` becomes the project folder first, as the change-folder command would
/// make it. Picks are remembered in `recentFolder` (none: not between runs). The window
/// speaks `language`, by default the user's. POSIX: there is no window host; says so on
/// `console` and returns 2.
int RunWindowHost(const std::string& hostDir, const std::string& projectFolder,
                  const std::string& recentFolder, std::optional<WindowLanguage> language,
                  const Console& console);

}  // namespace host

#endif  // TRUV_HOST_WINDOW_WINDOW_HOST_H

// "menu.txt": the file beside the host's executable from which the host builds its menus.
#ifndef TRUV_MODEL_MENU_FILE_H
#define TRUV_MODEL_MENU_FILE_H

#include <string>

#include "os/os.h"

class MenuCatalog;

inline constexpr int kGroupCount = 7;

/// Item positions of the global catalogue: group k spans [groupStart[k-1], groupStart[k]).
struct GroupBounds {
    int groupStart[kGroupCount + 1] = {};
};

/// The group titles in menu order.
extern const char* const kGroupTitles[kGroupCount];

/// Drive and directory of `executablePath` followed by "menu.txt".
std::string MenuFilePath(const std::string& executablePath);

/// The message for a menu file that could not be created, chosen by the system error.
std::string OpenFailureText(os::Status error, const std::string& path);

/// The message for a menu file that could not be written or closed.
std::string WriteFailureText(const std::string& path);

/// The text of the menu file: the eight group blocks, lines ended by CR LF.
std::string MenuFileText(const MenuCatalog& catalog, const GroupBounds& bounds);

/// Writes the menu file `path` from `catalog`, unless anything, file or directory, exists under
/// that name. The file appears whole or not at all: it is written in one piece under a new
/// temporary name beside it ("menu.~NN", never an existing name) and moved into place once
/// complete; temporaries of earlier failed writes found on the way are then deleted. Failures
/// are shown in message boxes.
void WriteMenuFile(const std::string& path, const MenuCatalog& catalog, const GroupBounds& bounds);

#endif  // TRUV_MODEL_MENU_FILE_H

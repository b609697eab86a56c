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

/// The menu file's name beside the host's executable.
inline constexpr const char* kMenuFileName = "menu.txt";

/// Drive and directory of `executablePath` followed by "menu.txt".
std::string MenuFilePath(const std::string& executablePath);

/// The message for a menu file that could not be created, chosen by the system error.
std::string OpenFailureText(os::Status error, const std::string& path);

/// The message for a menu file that could not be written or closed.
std::string WriteFailureText(const std::string& path);

/// The text of the menu file: the eight group blocks, lines ended by CR LF.
std::string MenuFileText(const MenuCatalog& catalog, const GroupBounds& bounds);

/// True when writing `path` would write the menu file `menuFile` or one of its temporaries:
/// `path` reaches the same file (through another name, a link), or names a file of the same
/// folder that the system takes for "menu.txt" or "menu.~NN" (in any case, with trailing dots
/// and blanks). Files the plug-in appends to (the trace) must never be one of them.
bool IsMenuFileOrTemporary(const std::string& path, const std::string& menuFile);

/// Writes the menu file `path` from `catalog`, unless something other than an empty file
/// exists under that name (an empty file is never a menu, and is written anew), with
/// os::WriteFileAtomically. Shows no box: returns the text of the box the failure calls for, empty
/// when there is none. A move beaten by another writer's complete file is no failure. A path
/// without a folder (the host's folder could not be told) is refused: the file would land in
/// the current folder.
std::string WriteMenuFile(const std::string& path, const MenuCatalog& catalog,
                          const GroupBounds& bounds);

#endif  // TRUV_MODEL_MENU_FILE_H

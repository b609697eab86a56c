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

/// The step of WriteFileAtomically that failed.
enum class WriteStep { kCreate, kWrite, kMove };

/// What WriteFileAtomically returns when every temporary name is in use, by writers at work
/// or by folders: ERROR_CANNOT_MAKE, "the directory or file cannot be created".
inline constexpr os::Status kNoTemporaryName = 82;

/// Writes `text` as the file `path`, atomically and durably, and shows no box: the bytes go in
/// one piece into a new temporary file beside it ("menu.~00" to "menu.~99", never an existing
/// name, never longer than "menu.txt"), are flushed to the disk, and the file is then moved into
/// place, the move itself made durable. `path` never holds a part of the text, nor, after a
/// power loss, an empty file. Without `replaceExisting` anything under `path` stays and the
/// result is kAlreadyExists. Sharing, access and lock violations of the create and the move, as
/// a virus scanner or indexer that holds the new file for a moment causes them, are tried again
/// with short growing pauses (under half a second in all). A temporary name taken by an earlier
/// write that did not finish is deleted and used when stale: a link at once, a file when
/// nobody has written it for a minute (or its time lies a minute or more in the future); a
/// directory never. The temporary is gone on every way out.
/// Returns kSuccess or the system's code for the step that failed, named in `failedStep` when
/// given.
os::Status WriteFileAtomically(const std::string& path, const std::string& text,
                               bool replaceExisting, WriteStep* failedStep = nullptr);

/// True when writing `path` would write the menu file `menuFile` or one of its temporaries:
/// `path` reaches the same file (through another name, a link), or names a file of the same
/// folder that the system takes for "menu.txt" or "menu.~NN" (in any case, with trailing dots
/// and blanks). Files the plug-in appends to (the trace) must never be one of them.
bool IsMenuFileOrTemporary(const std::string& path, const std::string& menuFile);

/// Writes the menu file `path` from `catalog`, unless something other than an empty file
/// exists under that name (an empty file is never a menu, and is written anew), with
/// WriteFileAtomically. Shows no box: returns the text of the box the failure calls for, empty
/// when there is none. A move beaten by another writer's complete file is no failure. A path
/// without a folder (the host's folder could not be told) is refused: the file would land in
/// the current folder.
std::string WriteMenuFile(const std::string& path, const MenuCatalog& catalog,
                          const GroupBounds& bounds);

#endif  // TRUV_MODEL_MENU_FILE_H

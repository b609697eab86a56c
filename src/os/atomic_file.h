// Writing a whole file atomically and durably: the text goes into a new temporary file beside
// the target, reaches the disk, and is then moved into place.
#ifndef TRUV_OS_ATOMIC_FILE_H
#define TRUV_OS_ATOMIC_FILE_H

#include <string>

#include "os/os.h"

namespace os {

/// The step of WriteFileAtomically that failed.
enum class WriteStep { kCreate, kWrite, kMove };

/// What WriteFileAtomically returns when every temporary name is in use, by writers at work
/// or by folders: ERROR_CANNOT_MAKE, "the directory or file cannot be created".
inline constexpr Status kNoTemporaryName = 82;

/// How many temporary names a target has: numbers 00 to 99.
inline constexpr int kTemporaryNames = 100;

/// The `number`-th temporary name of the target `path`: in its folder, its name up to the last
/// '.' (all of it without one), then ".~" and two digits: "menu.~07" for "menu.txt", so that
/// for a target with an extension of three characters the name is no longer than the target's.
std::string TemporaryNameFor(const std::string& path, int number);

/// Writes `text` as the file `path`, atomically and durably, and shows no box: the bytes go in
/// one piece into a new temporary file beside it (TemporaryNameFor, never an existing name),
/// are flushed to the disk, and the file is then moved into place, the move itself made
/// durable. `path` never holds a part of the text, nor, after a power loss, an empty file.
/// Without `replaceExisting` anything under `path` stays and the result is kAlreadyExists.
/// Sharing, access and lock violations of the create and the move, as a virus scanner or
/// indexer that holds the new file for a moment causes them, are tried again with short
/// growing pauses (under half a second in all). A temporary name taken by an earlier write that
/// did not finish is deleted and used when stale: a link at once, a file when nobody has
/// written it for a minute (or its time lies a minute or more in the future); a directory
/// never. The temporary is gone on every way out.
/// Returns kSuccess or the system's code for the step that failed, named in `failedStep` when
/// given.
Status WriteFileAtomically(const std::string& path, const std::string& text, bool replaceExisting,
                           WriteStep* failedStep = nullptr);

}  // namespace os

#endif  // TRUV_OS_ATOMIC_FILE_H

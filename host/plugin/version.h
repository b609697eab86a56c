// Versions for `truvhost --version`: the host's own, and the one a library file states.
#ifndef TRUV_HOST_PLUGIN_VERSION_H
#define TRUV_HOST_PLUGIN_VERSION_H

#include <cstddef>
#include <string>
#include <string_view>

#include "host/platform/console_text.h"

namespace host {

/// The host's version: the project's version number it was built with.
std::string HostVersion();

/// The longest version a library may state.
inline constexpr std::size_t kVersionLimit = 32;

/// `mark` as a stated version: itself when it is short printable text (1 to kVersionLimit
/// bytes, each a printable ASCII character or a blank); empty otherwise, so that a damaged or
/// hostile mark is never printed.
std::string StatedVersion(std::string_view mark);

/// The version that a library file states: Windows: the file version of its version resource
/// (GetFileVersionInfoA, VerQueryValueA), as "major.minor.patch" (".build" when not 0);
/// POSIX: the text after the file's "@(#)truvApp " mark up to its NUL. Empty when the file
/// states none that StatedVersion takes.
std::string LibraryVersion(const std::string& path);

/// Whether the library file at `path` is the build whose rules the host was compiled with:
/// empty when it states the host's own version, or when there is no file (nothing to judge
/// against); otherwise the sentence that says which versions differ, or that the library is
/// damaged (LibraryDamage).
std::string RulesMismatch(const std::string& path);

/// `truvhost --version`: the host's version, and that of the library it loads from `hostDir`
/// with its path, on `console`. kExitProblem when it cannot be loaded or states no version.
int VersionCommand(const Console& console, const std::string& hostDir);

}  // namespace host

#endif  // TRUV_HOST_PLUGIN_VERSION_H

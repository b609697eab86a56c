// Versions for `truvhost --version`: the host's own, and the one a library file states.
#ifndef TRUV_HOST_VERSION_H
#define TRUV_HOST_VERSION_H

#include <string>

namespace host {

/// The host's version: the project's version number it was built with.
std::string HostVersion();

/// The version that a library file states: Windows: the file version of its version resource
/// (GetFileVersionInfoA, VerQueryValueA), as "major.minor.patch" (".build" when not 0);
/// POSIX: the text after the file's "@(#)truvApp " mark. Empty when the file states none.
std::string LibraryVersion(const std::string& path);

/// Whether the library file at `path` is the build whose rules the host was compiled with:
/// empty when it states the host's own version, or when there is no file (nothing to judge
/// against); otherwise the sentence that says which versions differ.
std::string RulesMismatch(const std::string& path);

}  // namespace host

#endif  // TRUV_HOST_VERSION_H

// The system's calls for a library: its file name, its entry points' decorated names, loading
// it and finding a symbol. One header, a Windows half (library_calls_win32.cpp) and a POSIX
// half (library_calls_posix.cpp) chosen by the build.
#ifndef TRUV_HOST_PLUGIN_LIBRARY_CALLS_H
#define TRUV_HOST_PLUGIN_LIBRARY_CALLS_H

#include <string>

namespace host::sys {

/// The plug-in's file name on this platform ("truvApp.dll" or "truvApp.so").
const char* LibraryFileName();

/// The entry points' names as the suite's host looks them up: the decorated names of the
/// platform's compiler for `const char* InitTruvApp()` and `void RunCommand(char*)`.
const char* InitExportName();
const char* RunExportName();

/// Loads a library; nullptr with `error` set (the system's code or text) on failure.
void* OpenLibrary(const std::string& path, std::string& error);
/// An exported symbol of a loaded library; nullptr when it has none of that name.
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);

}  // namespace host::sys

#endif  // TRUV_HOST_PLUGIN_LIBRARY_CALLS_H

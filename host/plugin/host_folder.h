// Where the host stands, and with it the plug-in it loads and the menu file written for it.
#ifndef TRUV_HOST_PLUGIN_HOST_FOLDER_H
#define TRUV_HOST_PLUGIN_HOST_FOLDER_H

#include <string>

namespace host {

inline constexpr const char* kNoHostFolder =
    "the host's own folder cannot be told (is /proc mounted? can GBK spell its name?): the "
    "plug-in then writes no menu.txt, and nothing is read from or written to the current "
    "folder in its place";

/// The folder of the host's executable; empty when the system cannot tell it (POSIX without
/// /proc), for the current folder, which is the project's, must never stand in for it.
std::string HostDirectory();

/// Where the plug-in writes the menu file for this host; empty when it writes none because
/// the host's folder cannot be told (the plug-in's own rule: a path without a folder).
std::string HostMenuFile();

}  // namespace host

#endif  // TRUV_HOST_PLUGIN_HOST_FOLDER_H

// Where the suite lives: the installation root, the "CFGPATH" file and the project directory.
#ifndef TRUV_LAUNCH_INSTALL_PATHS_H
#define TRUV_LAUNCH_INSTALL_PATHS_H

#include <string>

namespace os {
class File;
}

/// The registry value "CFG" of HKEY_LOCAL_MACHINE\SOFTWARE\TRUV\MAIN\PATH, read afresh;
/// the empty text on any failure.
std::string GetInstallRoot();

/// Path of "CFGPATH" under `root`: root, '\', "CFGPATH".
std::string CfgPathFile(const std::string& root);

/// False for an empty directory or one the process cannot enter; otherwise the process's
/// current directory becomes `dir`.
bool ValidateWorkDir(const std::string& dir);

enum class KeyMatch { First, Last };

/// Scans an open "CFGPATH" for the line that, upper-cased, equals `key`; the line after it
/// is the directory (empty at the end of the file). In Last mode a later match replaces it.
bool FindKeyDir(os::File& file, const std::string& key, KeyMatch mode, std::string& dir);

/// True when some line of "CFGPATH", upper-cased, equals `key` upper-cased.
bool CfgPathHasKey(const std::string& key);

#endif  // TRUV_LAUNCH_INSTALL_PATHS_H

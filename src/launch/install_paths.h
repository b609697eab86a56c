// Where the suite lives: the installation root, the "CFGPATH" file and the project directory.
#ifndef TRUV_LAUNCH_INSTALL_PATHS_H
#define TRUV_LAUNCH_INSTALL_PATHS_H

#include <optional>
#include <string>
#include <vector>

/// Where the installation root is registered: the value kRootValueName of the key
/// kRootKeyPath under kRootHive.
inline constexpr const char* kRootHive = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kRootKeyPath = "SOFTWARE\\TRUV\\MAIN\\PATH";
inline constexpr const char* kRootValueName = "CFG";

/// The registry value "CFG" of HKEY_LOCAL_MACHINE\SOFTWARE\TRUV\MAIN\PATH, read afresh;
/// the empty text on any failure.
std::string GetInstallRoot();

/// Path of "CFGPATH" under `root`: root, '\', "CFGPATH".
std::string CfgPathFile(const std::string& root);

/// False for an empty directory or one the process cannot enter; otherwise the process's
/// current directory becomes `dir`.
bool ValidateWorkDir(const std::string& dir);

/// Every line of "CFGPATH" under `root`, each up to its first NUL byte, read with the file
/// opened for this process alone; nullopt when it cannot be opened or read, is no regular
/// file, or is larger than 1 MiB.
std::optional<std::vector<std::string>> ReadCfgPath(const std::string& root);

/// True when some line of "CFGPATH", upper-cased, equals `key` upper-cased.
bool CfgPathHasKey(const std::string& key);

#endif  // TRUV_LAUNCH_INSTALL_PATHS_H

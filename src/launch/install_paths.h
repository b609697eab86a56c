// Where the suite lives: the installation root, the "CFGPATH" file and the project directory.
#ifndef TRUV_LAUNCH_INSTALL_PATHS_H
#define TRUV_LAUNCH_INSTALL_PATHS_H

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

/// Where the installation root is registered: the value kRootValueName of the key
/// kRootKeyPath under kRootHive.
inline constexpr const char* kRootHive = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kRootKeyPath = "SOFTWARE\\TRUV\\MAIN\\PATH";
inline constexpr const char* kRootValueName = "CFG";
/// The longest root the value can hold: it is read through a buffer of this many bytes and one
/// more for its terminating NUL; a longer value reads as none.
inline constexpr std::size_t kInstallRootLimit = 199;

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

/// An open "CFGPATH", read line by line from its start. The file is opened for this process
/// alone and read whole at once (ReadCfgPath), so that no other program waits on it while the
/// lines are looked at; a reader may also go over lines read before.
class CfgPathReader {
public:
    /// Opens "CFGPATH" under `root`; nullopt when ReadCfgPath cannot read it.
    static std::optional<CfgPathReader> Open(const std::string& root);
    /// Reads `lines`, which must outlive the reader.
    explicit CfgPathReader(std::span<const std::string> lines_) : lines(lines_) {}
    CfgPathReader(CfgPathReader&&) = default;
    CfgPathReader& operator=(CfgPathReader&&) = default;
    CfgPathReader(const CfgPathReader&) = delete;
    CfgPathReader& operator=(const CfgPathReader&) = delete;
    virtual ~CfgPathReader() = default;

    /// The next line into `line`; false at the end of the file.
    bool ReadLine(std::string& line);

private:
    explicit CfgPathReader(std::vector<std::string>&& owned_)
        : owned(std::move(owned_)), lines(owned) {}

    std::vector<std::string> owned;  // the lines read when the file was opened
    std::span<const std::string> lines;
    std::size_t next = 0;
};

/// True when some line of "CFGPATH", upper-cased, equals `key` upper-cased.
bool CfgPathHasKey(const std::string& key);

#endif  // TRUV_LAUNCH_INSTALL_PATHS_H

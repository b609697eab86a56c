// A throw-away installation of the suite for tests: an installation root with "CFGPATH",
// module folders holding stand-ins under program names, the registry value that names the
// root, a project directory, and the stand-ins' journal and scenario.
#ifndef TRUV_SUITE_SANDBOX_H
#define TRUV_SUITE_SANDBOX_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "suite/journal.h"
#include "suite/scenario.h"

namespace suite {

/// A new, empty directory in the system's temporary folder, removed with everything in it
/// when the object goes.
class TempDir {
public:
    /// Throws std::runtime_error when no directory can be made.
    explicit TempDir(const std::string& prefix = "truv");
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    /// Its full path, without a trailing separator.
    const std::string& Path() const { return path_; }

    /// Path() and `name` joined by the platform's separator.
    std::string Join(const std::string& name) const;
    std::string operator/(const std::string& name) const { return Join(name); }

private:
    std::string path_;
};

/// One key of "CFGPATH": the key line and the directory line after it, both written as given.
struct CfgPathEntry {
    std::string key;
    std::string dir;
};

/// A module folder of the root, the key that names it and the programs it holds.
struct ModuleSpec {
    std::string key;                    // the key line in "CFGPATH"
    std::string folder;                 // a folder under the root (one level or more)
    std::vector<std::string> programs;  // program names, e.g. "Modelin.exe" or "GrafEdit"
};

/// Sets an environment variable while it lives and restores the previous state afterwards.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv();

private:
    std::string name_;
    std::optional<std::string> saved_;
};

class RegistryOverride;

/// The installation: <temp>/<rootName> is the root, <temp>/project the project directory.
/// While it lives, TRUV_SUITE_JOURNAL and TRUV_SUITE_SCENARIO name its journal and scenario
/// (in the root), and on POSIX TRUV_REGISTRY names its own registry store (in <temp>).
/// The registry is left alone until a Set/Remove call; on Windows the value as it was then
/// is put back when the sandbox goes. Failures throw std::runtime_error.
class Sandbox {
public:
    explicit Sandbox(const std::string& rootName = "truv");
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;
    ~Sandbox();

    /// The installation root, without a trailing separator (the registry value's form).
    const std::string& Root() const { return root_; }
    /// An existing, empty project directory, without a trailing separator.
    const std::string& ProjectDir() const { return project_; }
    /// The sandbox's temporary directory, for files of the test's own.
    const TempDir& Temp() const { return temp_; }

    /// The directory line of a folder under the root: root, separator, folder, separator.
    std::string DirLine(const std::string& folder) const;

    // "CFGPATH" in the root -------------------------------------------------------------

    /// Writes "CFGPATH" as key and directory lines (LF endings), replacing it.
    void WriteCfgPath(const std::vector<CfgPathEntry>& entries) const;
    /// Writes "CFGPATH" as the given lines, each ended by LF, replacing it.
    void WriteCfgPathLines(const std::vector<std::string>& lines) const;
    /// Writes "CFGPATH" with exactly these bytes.
    void WriteCfgPathBytes(const std::string& bytes) const;
    void RemoveCfgPath() const;
    std::string CfgPathFile() const;

    // Modules and programs ---------------------------------------------------------------

    /// Creates the folder under the root; returns its directory line.
    std::string AddModule(const std::string& folder) const;

    /// Copies the stand-in into `dir` (created when missing) as `program` (see
    /// ProgramFileName); returns the copy's full path.
    std::string InstallProgram(const std::string& dir, const std::string& program) const;

    /// Lays out every module with its programs and writes "CFGPATH" listing the keys in
    /// order, each with its directory line.
    void Install(const std::vector<ModuleSpec>& modules) const;

    // Registry: the value "CFG" of HKEY_LOCAL_MACHINE\SOFTWARE\TRUV\MAIN\PATH --------------

    /// The value is Root().
    void SetRegistryRoot();
    /// A string value of these bytes, with its terminating NUL.
    void SetRegistryString(const std::string& bytes);
    /// Windows: a string value of exactly these bytes, stored without a terminating NUL.
    /// POSIX: throws std::logic_error, since every string of the store has its NUL.
    void SetRegistryUnterminated(const std::string& bytes);
    void SetRegistryDword(std::uint32_t value);
    /// The key exists but holds no "CFG".
    void RemoveRegistryValue();
    /// The key does not exist.
    void RemoveRegistryKey();
    /// POSIX: the registry store file (TRUV_REGISTRY) of this sandbox.
    std::string RegistryStorePath() const;

    // Journal and scenario -----------------------------------------------------------------

    std::string JournalPath() const;
    std::string ScenarioPath() const;
    /// Every record so far; none when the journal does not exist. Throws when malformed.
    std::vector<JournalRecord> ReadJournal() const;
    void ClearJournal() const;
    void WriteScenario(const Scenario& scenario) const;

private:
    TempDir temp_;
    std::string root_;
    std::string project_;
    ScopedEnv journalEnv_;
    ScopedEnv scenarioEnv_;
    std::unique_ptr<ScopedEnv> registryEnv_;
    std::unique_ptr<RegistryOverride> registry_;
};

/// A program's file name on this platform: on Windows a name without an extension gets
/// ".exe"; otherwise the name as given.
std::string ProgramFileName(const std::string& program);

/// The stand-in built beside the running executable (truv-standin, .exe on Windows).
std::string StandinPath();

/// Installs the stand-in beside the running executable as `program` (e.g. "HH.exe", which
/// Wine finds there before its own viewer) unless such a file exists; returns its path.
/// The copy stays for later tests of the same build.
std::string InstallBesideExecutable(const std::string& program);

}  // namespace suite

#endif  // TRUV_SUITE_SANDBOX_H

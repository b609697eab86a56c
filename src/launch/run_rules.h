// The rules of the four run operations, declared once: the plug-in's launcher follows them,
// and the reference host explains and checks items with them.
#ifndef TRUV_LAUNCH_RUN_RULES_H
#define TRUV_LAUNCH_RUN_RULES_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/command_line.h"
#include "launch/install_paths.h"

class Launcher;

/// Which "CFGPATH" key line counts when the key appears more than once.
enum class KeyMatch { First, Last };

/// One of the launcher's run operations.
using RunOperation = void (Launcher::*)(std::string, std::string);

/// How the four run operations differ.
struct RunMode {
    const char* verb;  ///< as the catalogue rows name it, upper case, compared whole
    const char* name;  ///< the operation's name
    RunOperation run;
    KeyMatch match;
    bool upperCaseProgram;  ///< and ".CHM" documents open in the help viewer
    bool dataCheckByShell;  ///< the INSPECT programs start through the shell's "open"
    bool namesMissingKey;   ///< message K1 rather than K2; message N after a failed start
    bool judgesAcad;        ///< ACAD.EXE's exit code is judged too
};

inline constexpr int kRunModeCount = 4;

/// RunExeFile, RunExeFileMin, RunExeFileMax and RunExeFileNor, in that order.
extern const RunMode kRunModes[kRunModeCount];

/// The mode of an upper-cased, trimmed verb; nullptr for a verb that is none of the four.
const RunMode* FindRunMode(std::string_view verb);

/// The mode whose operation is `run`.
const RunMode& RunModeOf(RunOperation run);

/// The programs that RunExeFile hands to the shell's "open", tested in this order.
inline constexpr int kDataCheckProgramCount = 4;
extern const char* const DataCheckPrograms[kDataCheckProgramCount];

/// Reads the open "CFGPATH" `file` on to the key line that, upper-cased, equals `key`, and the
/// line after it as the directory (empty at the end). In Last mode the scan goes on after the
/// directory line, and a later key line replaces the directory.
bool FindKeyDir(CfgPathReader& file, const std::string& key, KeyMatch mode, std::string& dir);

/// What a run operation does with one directory key and program text.
enum class RunOutcome {
    kStart,          ///< starts `command`
    kBadWorkDir,     ///< message W: the project directory cannot be entered
    kNoCfgPath,      ///< message F: "CFGPATH" cannot be read
    kKeyMissing,     ///< message K1: names the key and "CFGPATH"
    kNoApplication,  ///< message K2
};

struct ResolvedRun {
    RunOutcome outcome = RunOutcome::kStart;
    std::string message;  ///< the message shown, unless the outcome is kStart
    std::string dir;      ///< the program's directory: the key's line, or root and '\'
    std::string program;  ///< the program text as the operation uses it (upper-cased or not)
    ComposedCommand command;
    bool byShell = false;         ///< a data-check program, handed to the shell
    bool judgesExitCode = false;  ///< a non-zero exit code is reported
};

/// The installation as a run operation finds it.
struct InstallationView {
    std::string root;     ///< the registry value
    std::string rootKey;  ///< the directory key that means the root itself
    /// The lines of "CFGPATH"; nullopt when it cannot be opened.
    std::optional<std::vector<std::string>> cfgLines;
    bool workDirValid = true;  ///< the project directory could be entered
};

/// Decides, without touching the system, what `mode` does with `dirKey` and `program`.
ResolvedRun ResolveRun(const RunMode& mode, const std::string& dirKey, std::string program,
                       const InstallationView& installation);

/// The same, with the launcher's `cfgFound`: 0 on entry, 1 once "CFGPATH" is open and the
/// project directory was entered; the message for a command that cannot be composed is chosen
/// by it (K1 or K2 when set, F when not).
ResolvedRun ResolveRun(const RunMode& mode, const std::string& dirKey, std::string program,
                       const InstallationView& installation, std::int32_t& cfgFound);

/// The key of the structural module, whose directory the first start puts on "PATH".
inline constexpr const char* kCoreKey = "CORE";

/// The directory line after the first "CORE" key line, up to a NUL byte in it, without its
/// last byte (the trailing backslash of a well-formed line); empty when there is none.
std::string CoreDirectory(const std::vector<std::string>& cfgLines);

inline constexpr const char* kPathVariable = "PATH";

/// A new "PATH" this long or longer is reported, although it stays set.
inline constexpr std::size_t kPathLimit = 1024;

/// The "PATH" after the one-time extension: root, CORE directory, old value.
std::string ExtendedPath(const std::string& root, const std::string& coreDir,
                         const std::string& oldPath, char separator);

#endif  // TRUV_LAUNCH_RUN_RULES_H

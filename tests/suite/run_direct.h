// Starts a program directly (not through the plug-in) and waits for it to end.
#ifndef TRUV_TESTS_SUITE_RUN_DIRECT_H
#define TRUV_TESTS_SUITE_RUN_DIRECT_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// Starts `program` with `args` (argv[1..]; argv[0] is `program`) in `currentDir`, with this
/// process's environment, and waits. The exit code, or nothing when it could not start.
/// On Windows the command line quotes each argument by the C runtime's rules.
std::optional<std::uint32_t> RunDirect(const std::string& program,
                                       const std::vector<std::string>& args,
                                       const std::string& currentDir);

/// The command line that RunDirect passes on Windows (argv joined by blanks on POSIX).
std::string DirectCommandLine(const std::string& program, const std::vector<std::string>& args);

/// Windows only (defined in the Win32 half): starts `commandLine` exactly as given (CreateProcessA without an
/// application name) in `currentDir` and waits.
std::optional<std::uint32_t> RunCommandLine(const std::string& commandLine,
                                            const std::string& currentDir);

#endif  // TRUV_TESTS_SUITE_RUN_DIRECT_H

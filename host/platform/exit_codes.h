// truvhost's exit codes, which every command returns and the usage text explains.
#ifndef TRUV_HOST_PLATFORM_EXIT_CODES_H
#define TRUV_HOST_PLATFORM_EXIT_CODES_H

namespace host {

// clang-format off
inline constexpr int kExitDone      = 0;
inline constexpr int kExitProblem   = 1;  // the host could not do what was asked
inline constexpr int kExitUsage     = 2;  // the command line is not understood
inline constexpr int kExitBox       = 3;  // run: the item showed a message box
inline constexpr int kExitNoOutput  = 4;  // standard output could not be written
// clang-format on

}  // namespace host

#endif  // TRUV_HOST_PLATFORM_EXIT_CODES_H

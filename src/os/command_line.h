// Windows command lines split into arguments by the rules of the Microsoft C runtime.
#ifndef TRUV_OS_COMMAND_LINE_H
#define TRUV_OS_COMMAND_LINE_H

#include <string>
#include <string_view>
#include <vector>

namespace os {

/// Splits a whole command line into argv. The program name (argv[0]) runs to the first blank
/// or tab outside double quotes; its quotes are dropped and its backslashes are literal.
/// Leading blanks and tabs are skipped; an empty line gives no arguments at all. The rest is
/// split as SplitArguments does.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

/// Splits arguments (a command line without its program name): blanks and tabs separate
/// outside double quotes; a double quote opens or closes quoting, and inside quotes a doubled
/// quote stands for one; 2n backslashes before a quote give n backslashes and a quoting quote,
/// 2n+1 give n backslashes and a literal quote; other backslashes are literal; "" is an empty
/// argument. A GBK double-byte character is taken whole, so a trail byte 0x5C is no backslash.
std::vector<std::string> SplitArguments(std::string_view arguments);

}  // namespace os

#endif  // TRUV_OS_COMMAND_LINE_H

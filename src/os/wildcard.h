// Windows file-name wildcards ('*' and '?'), matched without regard to case, character by
// character in the file names' encoding.
#ifndef TRUV_OS_WILDCARD_H
#define TRUV_OS_WILDCARD_H

#include <string_view>

#include "os/os.h"

namespace os {

/// True when `name` matches `pattern`: '*' stands for any run of characters (also none),
/// '?' for exactly one character (a GBK double-byte or UTF-8 multi-byte character counts as
/// one, by `encoding`), every other character for itself, ASCII letters without regard to
/// case. The whole name must match.
/// The system's own search on Windows (and under Wine from version 10 on) also lets a '?'
/// just before a dot or at the end of the pattern stand for no character ("CFG?.TMP" finds
/// "CFG.TMP"); the POSIX emulation keeps to exactly one, which is all the flows' patterns ask.
bool WildcardMatch(std::string_view pattern, std::string_view name, NameEncoding encoding);

}  // namespace os

#endif  // TRUV_OS_WILDCARD_H

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
bool WildcardMatch(std::string_view pattern, std::string_view name, NameEncoding encoding);

}  // namespace os

#endif  // TRUV_OS_WILDCARD_H

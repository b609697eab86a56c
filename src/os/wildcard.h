// Windows file-name wildcards ('*' and '?'), matched without regard to case and GBK-aware.
#ifndef TRUV_OS_WILDCARD_H
#define TRUV_OS_WILDCARD_H

#include <string_view>

namespace os {

/// True when `name` matches `pattern`: '*' stands for any run of characters (also none),
/// '?' for exactly one character (a GBK double-byte character counts as one), every other
/// character for itself, ASCII letters without regard to case. The whole name must match.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace os

#endif  // TRUV_OS_WILDCARD_H

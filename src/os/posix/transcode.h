// Between the plug-in's GBK texts and the UTF-8 of terminals and file names on POSIX: the
// message boxes of the POSIX backend, the reference host's POSIX console and the translation
// of path names at the backend's seam use it.
#ifndef TRUV_OS_POSIX_TRANSCODE_H
#define TRUV_OS_POSIX_TRANSCODE_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace os::posix {

/// `text` converted by iconv from the encoding `from` to `to`; an input unit (`unit` bytes) that
/// does not convert becomes `unknown`. Without such a converter the text is returned as it is.
std::string Transcode(const std::string& text, const char* from, const char* to,
                      std::size_t unit = 1, std::string_view unknown = "?");

// Path names. The plug-in's names are GBK, as a Windows program's ANSI names are; the file
// system's are UTF-8. Each function of the backend's seam that takes a name translates it
// with NativeName before anything else, and each that hands one back translates it with
// GbkName last; everything between (the path emulation, the program search, the spawn, the
// table of system calls) works on the file system's own bytes. A name that cannot be
// translated exactly is refused with kInvalidName, never passed on with a character changed.
// A name of ASCII bytes only is the same in both and is not converted.

/// The file system's spelling of the GBK name `gbk`; nothing, with kInvalidName as the last
/// error, when it holds bytes that are no GBK text.
std::optional<std::string> NativeName(std::string_view gbk);

/// The GBK spelling of the file system's name `native`; nothing, with kInvalidName as the
/// last error, when it is no UTF-8 or holds a character that GBK cannot spell.
std::optional<std::string> GbkName(std::string_view native);

/// Translates each of `names` with NativeName in place; false at the first that cannot be.
bool TranslateNames(std::vector<std::string>& names);

}  // namespace os::posix

#endif  // TRUV_OS_POSIX_TRANSCODE_H

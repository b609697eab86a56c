// Between the plug-in's GBK texts and the UTF-8 of terminals on POSIX: the message boxes of the
// POSIX backend and the reference host's POSIX console use it.
#ifndef TRUV_OS_POSIX_TRANSCODE_H
#define TRUV_OS_POSIX_TRANSCODE_H

#include <string>

namespace os::posix {

/// `text` converted by iconv from the encoding `from` to `to`; a byte that does not convert
/// becomes '?'. Without such a converter the text is returned as it is.
std::string Transcode(const std::string& text, const char* from, const char* to);

}  // namespace os::posix

#endif  // TRUV_OS_POSIX_TRANSCODE_H

// Between the plug-in's GBK texts and the UTF-8 of terminals on POSIX.
#include "os/posix/transcode.h"

#include "os/os.h"

#include <iconv.h>

#include <cerrno>

namespace os::posix {

std::string Transcode(const std::string& text, const char* from, const char* to) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char buffer[256];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    return out;
}

}  // namespace os::posix

namespace os {

std::string GbkToUtf8(const std::string& gbk) {
    return posix::Transcode(gbk, "GBK", "UTF-8");
}

std::string Utf8ToGbk(const std::string& utf8) {
    return posix::Transcode(utf8, "UTF-8", "GBK");
}

}  // namespace os

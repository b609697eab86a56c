// Texts between the plug-in's GBK and the terminal, POSIX half: iconv, bytes on stdout.
#include <errno.h>
#include <iconv.h>

#include <cstdio>
#include <iostream>

#include "host/console_text.h"

namespace host {
namespace {

std::string Convert(const std::string& text, const char* from, const char* to) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return text;
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

}  // namespace

std::string GbkToUtf8(const std::string& gbk) {
    return Convert(gbk, "GBK", "UTF-8");
}

std::string Utf8ToGbk(const std::string& utf8) {
    return Convert(utf8, "UTF-8", "GBK");
}

void Console::Write(const std::string& gbk) const {
    const std::string bytes = rawGbk_ ? gbk : GbkToUtf8(gbk);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

bool Console::ReadLine(std::string& gbk) const {
    std::string line;
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    gbk = rawGbk_ ? line : Utf8ToGbk(line);
    return true;
}

}  // namespace host

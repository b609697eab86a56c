// Texts between the plug-in's GBK and the terminal.
#include "host/console_text.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace host {
namespace {

#ifdef _WIN32

constexpr unsigned kGbkCodePage = 936;

std::string Convert(const std::string& text, unsigned from, unsigned to) {
    if (text.empty()) return text;
    const int wideLength =
        MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        wideLength);
    const int length =
        WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
    return out;
}

#else

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

#endif

}  // namespace

#ifdef _WIN32
std::string GbkToUtf8(const std::string& gbk) {
    return Convert(gbk, kGbkCodePage, CP_UTF8);
}
std::string Utf8ToGbk(const std::string& utf8) {
    return Convert(utf8, CP_UTF8, kGbkCodePage);
}
#else
std::string GbkToUtf8(const std::string& gbk) {
    return Convert(gbk, "GBK", "UTF-8");
}
std::string Utf8ToGbk(const std::string& utf8) {
    return Convert(utf8, "UTF-8", "GBK");
}
#endif

void Console::Write(const std::string& gbk) const {
    const std::string bytes = rawGbk_ ? gbk : GbkToUtf8(gbk);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void Console::Line(const std::string& gbk) const {
    Write(gbk + "\n");
    std::fflush(stdout);
}

bool Console::ReadLine(std::string& gbk) const {
    std::string line;
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    gbk = rawGbk_ ? line : Utf8ToGbk(line);
    return true;
}

}  // namespace host

// Texts between the plug-in's GBK and the terminal, Windows half. A console takes wide
// characters (WriteConsoleW, ReadConsoleW): bytes written to it are read in the console's
// code page, so UTF-8 would arrive as '?'. A pipe or file gets bytes, as on POSIX.
#include <windows.h>

#include <cstdio>
#include <iostream>

#include "host/platform/console_text.h"
#include "os/os.h"

namespace host {
namespace {

constexpr DWORD kReadChunk = 256;

/// The standard handle when it is a console, else nullptr.
HANDLE ConsoleHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

void Console::Write(const std::string& gbk) const {
    HANDLE console = rawGbk_ ? nullptr : ConsoleHandle(STD_OUTPUT_HANDLE);
    if (console == nullptr) {
        const std::string bytes = rawGbk_ ? gbk : os::GbkToUtf8(gbk);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return;
    }
    std::fflush(stdout);  // what went through the C library first stays first
    const std::wstring wide = os::GbkToWide(gbk);
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

bool Console::ReadLine(std::string& gbk) const {
    HANDLE console = rawGbk_ ? nullptr : ConsoleHandle(STD_INPUT_HANDLE);
    if (console == nullptr) {
        std::string line;
        if (!std::getline(std::cin, line)) return false;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        gbk = rawGbk_ ? line : os::Utf8ToGbk(line);
        return true;
    }
    std::wstring line;
    for (;;) {
        wchar_t chunk[kReadChunk];
        DWORD read = 0;
        if (!ReadConsoleW(console, chunk, kReadChunk, &read, nullptr) || read == 0) {
            if (line.empty()) return false;
            break;
        }
        line.append(chunk, read);
        if (line.back() == L'\n') break;
    }
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
    gbk = os::WideToGbk(line);
    return true;
}

}  // namespace host

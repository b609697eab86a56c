// Texts between the plug-in's GBK and the terminal, POSIX half: UTF-8 bytes on stdout.
#include <cstdio>
#include <iostream>

#include "host/shared/console_text.h"

namespace host {

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

// Texts between the plug-in's GBK and the terminal, POSIX half: UTF-8 bytes on stdout.
#include <cstdio>
#include <iostream>

#include "host/platform/console_text.h"
#include "os/os.h"

namespace host {

void Console::Write(const std::string& gbk) const {
    const std::string bytes = rawGbk_ ? gbk : os::GbkToUtf8(gbk);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

bool Console::ReadLine(std::string& gbk) const {
    std::string line;
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    gbk = rawGbk_ ? line : os::Utf8ToGbk(line);
    return true;
}

}  // namespace host

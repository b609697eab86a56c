// Texts between the plug-in's GBK and the terminal: what both platforms share.
#include "host/console_text.h"

#include <cstdio>

namespace host {

void Console::Line(const std::string& gbk) const {
    Write(gbk + "\n");
    std::fflush(stdout);
}

}  // namespace host

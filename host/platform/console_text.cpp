// Texts between the plug-in's GBK and the terminal: what both platforms share.
#include "host/platform/console_text.h"

#include <cerrno>
#include <cstdio>

#include "host/platform/host_system.h"
#include "plugin/inspect.h"

namespace host {
namespace {

bool readerClosed = false;

}  // namespace

bool FlushStandardOutput() {
    const bool flushed = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    if (!flushed && sys::LastErrorIsClosedPipe()) readerClosed = true;
    return flushed;
}

bool ReaderClosedStandardOutput() {
    return readerClosed;
}

void Console::Line(const std::string& gbk) const {
    errno = 0;
    Write(gbk + "\n");
    FlushStandardOutput();
}

}  // namespace host

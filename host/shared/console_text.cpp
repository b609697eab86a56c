// Texts between the plug-in's GBK and the terminal: what both platforms share.
#include "host/shared/console_text.h"

#include <cerrno>
#include <cstdio>

#include "host/shared/host_system.h"
#include "plugin/inspect.h"

namespace host {
namespace {

bool readerClosed = false;

}  // namespace

std::string GbkToUtf8(const std::string& gbk) {
    return os::GbkToUtf8(gbk);
}

std::string Utf8ToGbk(const std::string& utf8) {
    return os::Utf8ToGbk(utf8);
}

bool FlushStandardOutput() {
    const bool flushed = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    if (!flushed && sys::ReaderClosedOutput()) readerClosed = true;
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

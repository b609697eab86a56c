// The plug-in's message boxes as the host sees them, POSIX half: the boxes already go to the
// terminal; the host stops them from waiting for Enter, and counts the records the plug-in
// appends to its message log (caption, 0x1F, text, 0x1E).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "host/console/auto_ok.h"

namespace host {
namespace {

constexpr const char* kLogVariable = "TRUV_MESSAGE_LOG";
constexpr char kRecordSeparator = '\x1E';

// The log the boxes go to, and its size when counting began. A log of the host's own is
// removed when the host ends.
struct BoxLog {
    std::string path;
    std::streamoff start = 0;
    bool own = false;
    ~BoxLog() {
        if (own) std::remove(path.c_str());
    }
} boxLog;

std::string LogBytes(std::streamoff from) {
    std::ifstream in(boxLog.path, std::ios::binary);
    in.seekg(from);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

void AcknowledgeBoxes(const Console&) {
    setenv("TRUV_BOX_NOWAIT", "1", 1);
}

void CountBoxes() {
    const char* named = std::getenv(kLogVariable);
    if (named == nullptr || *named == '\0') {
        const char* tmp = std::getenv("TMPDIR");
        std::string path = std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/truvhost.XXXXXX";
        const int fd = mkstemp(path.data());
        if (fd < 0) return;
        close(fd);
        setenv(kLogVariable, path.c_str(), 1);
        boxLog.path = path;
        boxLog.start = 0;
        boxLog.own = true;
        return;
    }
    boxLog.path = named;
    const std::streamoff size = std::ifstream(named, std::ios::binary | std::ios::ate).tellg();
    boxLog.start = size > 0 ? size : 0;
}

int BoxesShown() {
    if (boxLog.path.empty()) return 0;
    const std::string added = LogBytes(boxLog.start);
    return static_cast<int>(std::count(added.begin(), added.end(), kRecordSeparator));
}

}  // namespace host

// The plug-in's message boxes as the host sees them, POSIX half: the boxes already go to the
// terminal; the host stops them from waiting for Enter, and counts the records the plug-in
// appends to its message log (caption, 0x1F, text, 0x1E).
//
// The plug-in always logs to a file of the host's own, in memory where the system has such
// files (else in a temporary folder), so that the count, and the exit code that follows it,
// never depends on the file the user named (one that cannot be written, a pipe, a device) nor
// on a full disk. The records are then copied to the user's file, opened without waiting and
// only when it is a regular file. A file-size limit that leaves the log no room makes the
// count unknown, said as such, and never ends the host with SIGXFSZ.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "host/console/auto_ok.h"

namespace host {
namespace {

constexpr const char* kLogVariable = "TRUV_MESSAGE_LOG";
constexpr char kRecordSeparator = '\x1E';

// Room the host's log must have for the records of one item, under a file-size limit: a
// record is a box's caption and text, and an item shows a few boxes at most.
constexpr rlim_t kLogRoom = 64 << 10;

// The host's own log, where counting began, and the user's log with how much of the host's
// log has been copied to it. A log in a temporary folder is removed when the host ends.
struct BoxLog {
    std::string own;
    bool ownIsFile = false;
    std::streamoff start = 0;
    std::string named;
    std::streamoff copied = 0;
    ~BoxLog() {
        if (ownIsFile) std::remove(own.c_str());
    }
} boxLog;

/// A file in memory, named through /proc: no full disk and no missing folder keeps the
/// plug-in from appending to it. Open until the host ends.
std::string MakeMemoryLog() {
    const int fd = memfd_create("truvhost-boxes", MFD_CLOEXEC);
    if (fd < 0) return {};
    const std::string path = "/proc/" + std::to_string(getpid()) + "/fd/" + std::to_string(fd);
    if (access(path.c_str(), W_OK) == 0) return path;
    close(fd);
    return {};
}

std::string LogBytes(std::streamoff from) {
    std::ifstream in(boxLog.own, std::ios::binary);
    in.seekg(from);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::streamoff LogSize() {
    const std::streamoff size = std::ifstream(boxLog.own, std::ios::binary | std::ios::ate).tellg();
    return size > 0 ? size : 0;
}

/// A file in memory; else a new file of the host's own in the first of these folders that
/// takes one: TMPDIR, then the system's temporary folders.
std::string MakeOwnLog() {
    if (std::string path = MakeMemoryLog(); !path.empty()) return path;
    const char* named = std::getenv("TMPDIR");
    for (const char* folder : {named, "/tmp", "/var/tmp", "/dev/shm"}) {
        if (folder == nullptr || *folder == '\0') continue;
        std::string path = std::string(folder) + "/truvhost.XXXXXX";
        const int fd = mkstemp(path.data());
        if (fd < 0) continue;
        close(fd);
        boxLog.ownIsFile = true;
        return path;
    }
    std::fprintf(stderr, "truvhost: cannot make a file to count message boxes in: %s\n",
                 std::strerror(errno));
    return {};
}

/// Appends `bytes` to the user's log: opened without waiting, written only when it is a
/// regular file; false (errno set) otherwise.
bool AppendToNamedLog(const std::string& bytes) {
    const int fd = open(boxLog.named.c_str(),
                        O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat info {};
    bool written = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!written && errno == 0) errno = EINVAL;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t count = write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) continue;
        written = count > 0;
        done += written ? static_cast<std::size_t>(count) : 0;
    }
    const int error = errno;
    close(fd);
    errno = error;
    return written;
}

/// Copies the records not yet copied to the user's log; says so once when it cannot.
void CopyToNamedLog(const std::string& added) {
    if (boxLog.named.empty() || added.empty()) return;
    boxLog.copied += static_cast<std::streamoff>(added.size());
    errno = 0;
    if (AppendToNamedLog(added)) return;
    std::fprintf(stderr, "truvhost: the message log %s cannot be written (%s); it is left out\n",
                 boxLog.named.c_str(),
                 errno == EINVAL ? "not a regular file" : std::strerror(errno));
    boxLog.named.clear();
}

/// Whether a file-size limit leaves the log too little room to take an item's records: the
/// appends would fail (EFBIG) and the boxes go uncounted.
bool TooLittleRoom() {
    struct rlimit limit {};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return false;
    return limit.rlim_cur < static_cast<rlim_t>(boxLog.start) + kLogRoom;
}

/// A write beyond a file-size limit fails with EFBIG instead of ending the host with SIGXFSZ.
/// A handler, not SIG_IGN, so that the programs the plug-in starts get the default again.
void SurviveFileSizeLimit() {
    struct sigaction current {};
    if (sigaction(SIGXFSZ, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction survive {};
    survive.sa_handler = [](int) {};
    sigemptyset(&survive.sa_mask);
    sigaction(SIGXFSZ, &survive, nullptr);
}

}  // namespace

void AcknowledgeBoxes(const Console&) {
    setenv("TRUV_BOX_NOWAIT", "1", 1);
}

void CountBoxes() {
    SurviveFileSizeLimit();
    if (boxLog.own.empty()) {
        const char* named = std::getenv(kLogVariable);
        const std::string own = MakeOwnLog();
        if (own.empty()) return;
        boxLog.named = named != nullptr ? named : "";
        boxLog.own = own;
        setenv(kLogVariable, own.c_str(), 1);
    }
    boxLog.start = LogSize();
    if (TooLittleRoom()) {
        std::fputs(
            "truvhost: a file-size limit (ulimit -f) leaves the message log too little "
            "room: the item's boxes cannot be counted\n",
            stderr);
        boxLog.start = -1;
    }
}

int BoxesShown() {
    if (boxLog.own.empty() || boxLog.start < 0) return -1;
    CopyToNamedLog(LogBytes(boxLog.copied));
    const std::string added = LogBytes(boxLog.start);
    return static_cast<int>(std::count(added.begin(), added.end(), kRecordSeparator));
}

}  // namespace host

// POSIX half of the OS seam: message boxes in a terminal.
//
// A box is written to standard error as "[caption] text" in UTF-8, for a person. When
// TRUV_MESSAGE_LOG names a file, the raw GBK caption and text are appended to it as
// caption, 0x1F, text, 0x1E, for tests. When standard input is a terminal and TRUV_BOX_NOWAIT
// is not set, the box waits for Enter, as a modal box waits for OK. The answer is always IDOK.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "os/os.h"
#include "os/posix/file_size_signal.h"
#include "os/posix/transcode.h"

namespace os {
namespace {

constexpr int kIdOk = 1;
constexpr char kUnitSeparator = '\x1F';
constexpr char kRecordSeparator = '\x1E';

void WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;
        }
        done += static_cast<std::size_t>(count);
    }
}

// Only a regular file is a log: a FIFO without reader would hold the box for ever (O_NONBLOCK
// keeps its open from waiting), and a device might take the records without end.
void AppendToLog(const char* logPath, const std::string& caption, const std::string& text) {
    // Composed before the open: nothing between the open and the close can fail.
    const std::string record = caption + kUnitSeparator + text + kRecordSeparator;
    const int fd =
        open(logPath, O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const posix::FileSizeSignalHeld held;
        WriteAll(fd, record);
    }
    close(fd);
}

void WaitForEnter() {
    WriteAll(STDERR_FILENO, "(Enter)");
    char c = 0;
    while (read(STDIN_FILENO, &c, 1) == 1 && c != '\n') {
    }
}

}  // namespace

int ShowMessageBox(const std::string& caption, const std::string& text, std::uint32_t /*style*/) {
    WriteAll(STDERR_FILENO, "[" + posix::Transcode(caption, "GBK", "UTF-8") + "] " +
                                posix::Transcode(text, "GBK", "UTF-8") + "\n");
    if (const char* logPath = std::getenv("TRUV_MESSAGE_LOG"); logPath != nullptr && *logPath) {
        AppendToLog(logPath, caption, text);
    }
    if (isatty(STDIN_FILENO) && std::getenv("TRUV_BOX_NOWAIT") == nullptr) {
        WaitForEnter();
    }
    return kIdOk;
}

}  // namespace os

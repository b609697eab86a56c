// Appending to a trace under a file-size limit (ulimit -f): the limit ends no host with
// SIGXFSZ, and a line it would cut short is taken back whole.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "os/os.h"
#include "support/temp_dir.h"

namespace {

// What the child that appended under the limit found, as its exit status.
enum Finding { kAsExpected = 0, kWrongStatus = 1, kSignalLeftPending = 2, kMaskChanged = 3 };

// Sets the limit, appends `line` and checks what can only be seen inside: the status and the
// signal state of the thread.
int AppendUnderLimit(const std::string& path, rlim_t limit, const std::string& line, bool fits) {
    rlimit size{};
    getrlimit(RLIMIT_FSIZE, &size);
    size.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &size);
    sigset_t before{};
    pthread_sigmask(SIG_SETMASK, nullptr, &before);
    const os::Status status = os::AppendToFile(path, line);
    sigset_t after{};
    sigset_t pending{};
    pthread_sigmask(SIG_SETMASK, nullptr, &after);
    sigpending(&pending);
    if ((status == os::kSuccess) != fits) return kWrongStatus;
    if (sigismember(&pending, SIGXFSZ)) return kSignalLeftPending;
    if (sigismember(&after, SIGXFSZ) != sigismember(&before, SIGXFSZ)) return kMaskChanged;
    return kAsExpected;
}

TEST(AppendToFileTest, FileSizeLimitEndsNothingAndCutsNoLine) {
    const struct {
        const char* name;
        std::size_t existing;  // bytes in the trace before
        rlim_t limit;
        std::size_t line;
        bool fits;
    } cases[] = {
        {"the trace is already over the limit", 200, 100, 20, false},
        {"the line would cross the limit", 90, 100, 30, false},
        {"the line fits", 10, 100, 30, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir / "trace.log";
        const std::string before(c.existing, 'o');
        const std::string line = std::string(c.line - 2, 'n') + "\r\n";
        WriteWholeFile(path, before);
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) _exit(AppendUnderLimit(path, c.limit, line, c.fits));
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, kAsExpected);
        EXPECT_EQ(ReadWholeFile(path), c.fits ? before + line : before);
    }
}

}  // namespace

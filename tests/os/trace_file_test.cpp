// Appending to a trace file: whole lines from writers at the same time, failures that leave
// the caller's last error alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "os/os.h"
#include "os/status_printing.h"
#include "support/file_lock.h"
#include "support/temp_dir.h"

namespace {

TEST(AppendToFileTest, WritersAtTheSameTimeKeepTheirLinesWhole) {
    TempDir dir;
    const std::string path = dir / "trace.log";
    constexpr int kWriters = 4;
    constexpr int kLines = 200;
    std::vector<std::thread> writers;
    for (int writer = 0; writer < kWriters; ++writer) {
        writers.emplace_back([&path, writer] {
            const std::string line = std::string(300, static_cast<char>('a' + writer)) + "\r\n";
            for (int i = 0; i < kLines; ++i)
                EXPECT_EQ(Code{os::AppendToFile(path, line)}, Code{os::kSuccess});
        });
    }
    for (std::thread& writer : writers) writer.join();
    const std::string bytes = ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), std::size_t{kWriters * kLines * 302});
    for (std::size_t start = 0; start < bytes.size(); start += 302) {
        const std::string line = bytes.substr(start, 302);
        ASSERT_EQ(std::count(line.begin(), line.end(), line[0]), 300) << "at byte " << start;
        ASSERT_EQ(line.substr(300), "\r\n") << "at byte " << start;
    }
}

TEST(AppendToFileTest, FailureLeavesTheLastErrorAlone) {
    TempDir dir;
    const std::string unwritable[] = {dir.Path(), JoinPath(dir / "missing", "trace.log")};
    for (const std::string& path : unwritable) {
        EXPECT_EQ(Code{os::DeleteFile(dir / "absent")}, Code{os::kFileNotFound});
        EXPECT_NE(Code{os::AppendToFile(path, "x\r\n")}, Code{os::kSuccess}) << path;
        EXPECT_EQ(Code{os::LastError()}, Code{os::kFileNotFound}) << path;
    }
    EXPECT_EQ(Code{os::DeleteFile(dir / "absent")}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{os::AppendToFile(dir / "trace.log", "x\r\n")}, Code{os::kSuccess});
    EXPECT_EQ(Code{os::LastError()}, Code{os::kFileNotFound}) << "after a success too";
}

// A log viewer or backup tool holding a lock over the whole file is waited for a moment only:
// the line is dropped with ERROR_LOCK_VIOLATION, the file and the caller's last error stay as
// they were; once the lock is gone, lines go in again.
TEST(AppendToFileTest, FileLockedByAnotherProgramIsNotWaitedFor) {
    TempDir dir;
    const std::string path = dir / "trace.log";
    WriteWholeFile(path, "old\r\n");
    WholeFileLock lock(path);
    ASSERT_TRUE(lock.Held());
    os::Status status = os::kSuccess;
    os::Status lastError = os::kSuccess;
    EXPECT_TRUE(EndWhileLocked(lock, [&] {
        os::DeleteFile(dir / "absent");
        status = os::AppendToFile(path, "new\r\n");
        lastError = os::LastError();
    })) << "the append waited for the lock";
    EXPECT_EQ(Code{status}, Code{os::kLockViolation});
    EXPECT_EQ(Code{lastError}, Code{os::kFileNotFound});
    lock.Release();
    EXPECT_EQ(ReadWholeFile(path), "old\r\n");
    EXPECT_EQ(Code{os::AppendToFile(path, "new\r\n")}, Code{os::kSuccess});
    EXPECT_EQ(ReadWholeFile(path), "old\r\nnew\r\n");
}

}  // namespace

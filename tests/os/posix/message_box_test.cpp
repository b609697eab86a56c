// Message boxes on a terminal: the person's UTF-8 line and the test log of raw GBK records.
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "os/os.h"
#include "support/box_capture.h"
#include "support/temp_dir.h"

namespace {

TEST(MessageBoxTest, LogKeepsRawCaptionAndTextInOrder) {
    BoxCapture capture;
    EXPECT_EQ(os::ShowMessageBox("truvApp", "配置文件“CFGPATH”不存在，请检查!",
                                 os::kBoxOk | os::kBoxIconExclamation),
              1);
    EXPECT_EQ(os::ShowMessageBox("错误", "line one\nline two", os::kBoxOk), 1);
    const std::vector<CapturedBox> boxes = capture.Take();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "truvApp");
    EXPECT_EQ(boxes[0].text, "配置文件“CFGPATH”不存在，请检查!");
    EXPECT_EQ(boxes[1].caption, "错误");
    EXPECT_EQ(boxes[1].text, "line one\nline two");
    EXPECT_TRUE(capture.Take().empty());
}

TEST(MessageBoxTest, CaptureRestoresThePreviousLog) {
    setenv("TRUV_MESSAGE_LOG", "/nonexistent/outer.log", 1);
    {
        BoxCapture capture;
        EXPECT_STRNE(getenv("TRUV_MESSAGE_LOG"), "/nonexistent/outer.log");
    }
    EXPECT_STREQ(getenv("TRUV_MESSAGE_LOG"), "/nonexistent/outer.log");
    unsetenv("TRUV_MESSAGE_LOG");
}

// Each box is shown by a child: a box that hangs is ended by its alarm, and a signal that
// would end a host shows as the child's end.
TEST(MessageBoxTest, OnlyARegularFileIsALogAndNoLogHoldsOrEndsTheHost) {
    const struct {
        const char* name;
        bool fifo;
        rlim_t sizeLimit;  // 0: none
    } cases[] = {
        {"a FIFO without reader", true, 0},
        {"a file over the file-size limit", false, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string log = dir / "boxes.log";
        if (c.fifo) {
            ASSERT_EQ(mkfifo(log.c_str(), 0600), 0);
        } else {
            WriteWholeFile(log, std::string(200, 'o'));
        }
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            alarm(5);
            if (c.sizeLimit != 0) {
                const rlimit size{c.sizeLimit, c.sizeLimit};
                setrlimit(RLIMIT_FSIZE, &size);
            }
            setenv("TRUV_MESSAGE_LOG", log.c_str(), 1);
            setenv("TRUV_BOX_NOWAIT", "1", 1);
            _exit(os::ShowMessageBox("truvApp", "text", os::kBoxOk) == 1 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
    }
}

TEST(MessageBoxTest, TerminalLineIsUtf8) {
    testing::internal::CaptureStderr();
    os::ShowMessageBox("错误", "找不到指定的应用程序!", os::kBoxOk);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(written,
              "[\xE9\x94\x99\xE8\xAF\xAF] "
              "\xE6\x89\xBE\xE4\xB8\x8D\xE5\x88\xB0\xE6\x8C\x87\xE5\xAE\x9A\xE7\x9A\x84"
              "\xE5\xBA\x94\xE7\x94\xA8\xE7\xA8\x8B\xE5\xBA\x8F!\n");
}

}  // namespace

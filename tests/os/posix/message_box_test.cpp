// Message boxes on a terminal: the person's UTF-8 line and the test log of raw GBK records.
#include <stdlib.h>

#include <gtest/gtest.h>

#include "os/os.h"
#include "support/box_capture.h"

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

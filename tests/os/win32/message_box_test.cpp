// Real message boxes under the win32 backend, seen and dismissed by the test's hook.
#include <gtest/gtest.h>

#include "os/os.h"
#include "support/box_capture.h"

namespace {

TEST(Win32MessageBox, BoxShowsCaptionAndGbkTextAndReturnsOk) {
    BoxCapture capture;
    const std::string text = "\xC9\xE8\xD6\xC3 CORE\n  second line";  // GBK "设置"
    EXPECT_EQ(os::ShowMessageBox("truvApp", text, os::kBoxOk | os::kBoxIconExclamation), 1);
    const std::vector<CapturedBox> boxes = capture.Take();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "truvApp");
    EXPECT_EQ(boxes[0].text, text);
}

TEST(Win32MessageBox, EachBoxIsSeenOnceInOrder) {
    BoxCapture capture;
    os::ShowMessageBox("first", "one", os::kBoxOk);
    os::ShowMessageBox("second", "two", os::kBoxOk);
    const std::vector<CapturedBox> boxes = capture.Take();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "one");
    EXPECT_EQ(boxes[1].caption, "second");
    EXPECT_TRUE(capture.Take().empty());
}

}  // namespace

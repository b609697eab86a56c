// Texts for Win32 status codes from the system, in plain ASCII whatever the locale.
#include <clocale>
#include <cstring>

#include <gtest/gtest.h>

#include "os/os.h"

namespace {

bool IsAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

TEST(ErrorTextTest, KnownCodesHaveTheSystemsText) {
    EXPECT_EQ(os::ErrorText(os::kFileNotFound), "No such file or directory");
    EXPECT_EQ(os::ErrorText(os::kAccessDenied), "Permission denied");
    EXPECT_EQ(os::ErrorText(os::kDiskFull), "No space left on device");
    EXPECT_FALSE(os::ErrorText(193).empty());
}

TEST(ErrorTextTest, UnknownCodesHaveNone) {
    EXPECT_EQ(os::ErrorText(0), "");
    EXPECT_EQ(os::ErrorText(1400), "");  // ERROR_INVALID_WINDOW_HANDLE: no such thing here
}

TEST(ErrorTextTest, StaysAsciiInAChineseLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "zh_CN.UTF-8"), nullptr)
        << "no zh_CN.UTF-8 locale: scripts/setup.sh generates it";
    const std::string text = os::ErrorText(os::kAccessDenied);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(IsAscii(text)) << text;
}

}  // namespace

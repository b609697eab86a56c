// The Windows tests run with the ANSI code page 936, or their GBK texts prove nothing.
#include <gtest/gtest.h>

#include "os/win32/windows_support.h"

namespace {

TEST(Win32CodePage, AnsiCodePageIsGbk) {
    EXPECT_EQ(GetACP(), 936u) << "run under LANG=zh_CN.UTF-8 with that locale generated";
    // A GBK pair converts to the character it stands for: "建" is U+5EFA.
    wchar_t wide[2] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xBD\xA8", 2, wide, 2), 1);
    EXPECT_EQ(wide[0], L'\x5EFA');
}

}  // namespace

// The win32 backend's environment, current directory, module paths and error texts.
#include <gtest/gtest.h>

#include <cstring>

#include "os/os.h"
#include "os/win32/windows_support.h"
#include "support/temp_dir.h"

namespace {

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE,
                          text.c_str() + text.size() - tail.size(), static_cast<int>(tail.size()),
                          tail.c_str(), static_cast<int>(tail.size())) == CSTR_EQUAL;
}

TEST(Win32Environment, VariablesAreReadWholeAndMissingDiffersFromEmpty) {
    const std::string longValue(5000, 'p');
    ASSERT_TRUE(os::SetEnvironmentVariable("TRUV_LONG", longValue));
    EXPECT_EQ(os::GetEnvironmentVariable("TRUV_LONG"), longValue);
    ASSERT_TRUE(os::SetEnvironmentVariable("TRUV_EMPTY", ""));
    EXPECT_EQ(os::GetEnvironmentVariable("TRUV_EMPTY"), std::string());
    EXPECT_EQ(os::GetEnvironmentVariable("TRUV_NEVER_SET"), std::nullopt);
    // Double-byte characters: more bytes than characters, read whole all the same.
    ASSERT_TRUE(os::SetEnvironmentVariable("TRUV_GBK", "结构设备 a=b;c"));
    EXPECT_EQ(os::GetEnvironmentVariable("TRUV_GBK"), "结构设备 a=b;c");
    EXPECT_EQ(os::PathListSeparator(), ';');
}

TEST(Win32Environment, BlockIsTheAnsiListOfNameValuePairs) {
    ASSERT_TRUE(os::SetEnvironmentVariable("TRUV_BLOCK", "in the block"));
    const os::EnvironmentBlock block;
    bool found = false;
    for (const char* entry = static_cast<const char*>(block.Native()); *entry != '\0';
         entry += std::strlen(entry) + 1) {
        found = found || std::string(entry) == "TRUV_BLOCK=in the block";
    }
    EXPECT_TRUE(found);
}

TEST(Win32Directory, CurrentDirectoryIsReadWholeAfterAChange) {
    TempDir dir;
    const std::string deep = dir.Path() + "\\" + std::string(100, 'd') + "结构";  // > 127 bytes
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    const std::optional<std::string> before = os::CurrentDirectory();
    ASSERT_TRUE(before.has_value());
    ASSERT_TRUE(os::SetCurrentDirectory(deep));
    EXPECT_TRUE(
        EndsWithIgnoringCase(os::CurrentDirectory().value_or(""), std::string(100, 'd') + "结构"));
    EXPECT_FALSE(os::SetCurrentDirectory(dir / "missing"));
    EXPECT_EQ(os::LastError(), os::kFileNotFound);
    ASSERT_TRUE(os::SetCurrentDirectory(*before));
}

TEST(Win32Directory, ModulePathsNameThisTestProgram) {
    const std::string host = os::HostExecutablePath();
    EXPECT_TRUE(EndsWithIgnoringCase(host, "\\os_tests.exe")) << host;
    EXPECT_EQ(os::OwnModulePath(), host);  // the backend is linked into the test program
}

TEST(Win32Error, SystemTextForKnownCodesAndNothingForUnknownOnes) {
    EXPECT_FALSE(os::ErrorText(os::kFileNotFound).empty());
    EXPECT_TRUE(os::ErrorText(0x2FFFFFFF).empty());
}

}  // namespace

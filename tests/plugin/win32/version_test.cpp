// The DLL's version resource as Windows reads it: the version API on the built truvApp.dll.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "os/os.h"

namespace {

std::string BesideExecutable(const std::string& name) {
    const std::string exe = os::HostExecutablePath();
    return exe.substr(0, exe.find_last_of('\\') + 1) + name;
}

/// The DLL's version information block, read once.
class VersionResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string dll = BesideExecutable("truvApp.dll");
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(dll.c_str(), &ignored);
        ASSERT_NE(size, 0u) << dll << " has no version resource (error " << GetLastError() << ")";
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(dll.c_str(), 0, size, block_.data()));
    }

    /// A value of the block; null when it is missing.
    const void* Query(const std::string& path, UINT& length) {
        void* value = nullptr;
        length = 0;
        return VerQueryValueA(block_.data(), path.c_str(), &value, &length) ? value : nullptr;
    }

    /// A text of the string table of the block's first translation.
    std::string Text(const std::string& name) {
        UINT length = 0;
        const auto* translation =
            static_cast<const WORD*>(Query("\\VarFileInfo\\Translation", length));
        if (translation == nullptr || length < 2 * sizeof(WORD)) return "(no translation)";
        char table[32];
        std::snprintf(table, sizeof table, "%04x%04x", translation[0], translation[1]);
        const auto* text = static_cast<const char*>(
            Query(std::string("\\StringFileInfo\\") + table + "\\" + name, length));
        return text == nullptr ? "(missing)" : std::string(text);
    }

private:
    std::vector<char> block_;
};

TEST_F(VersionResourceTest, FixedFileAndProductVersionAreTheProjectVersion) {
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::sscanf(TRUV_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
    UINT length = 0;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(Query("\\", length));
    ASSERT_NE(info, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_DLL));
    const DWORD high = MAKELONG(minor, major);
    const DWORD low = MAKELONG(0, patch);
    EXPECT_EQ(info->dwFileVersionMS, high);
    EXPECT_EQ(info->dwFileVersionLS, low);
    EXPECT_EQ(info->dwProductVersionMS, high);
    EXPECT_EQ(info->dwProductVersionLS, low);
}

TEST_F(VersionResourceTest, StringTableNamesTheProductAndTheFile) {
    const struct {
        const char* name;
        std::string expected;
    } cases[] = {
        {"FileVersion", TRUV_VERSION},
        {"ProductVersion", TRUV_VERSION},
        {"ProductName", "truvApp"},
        {"OriginalFilename", "truvApp.dll"},
        {"FileDescription", "truvApp menu plug-in of the building-design suite"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text(c.name), c.expected) << c.name;
    }
}

}  // namespace

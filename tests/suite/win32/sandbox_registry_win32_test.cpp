// The sandbox's registry on Windows: both views of HKEY_LOCAL_MACHINE, put back afterwards.
#include <gtest/gtest.h>

#include "suite/sandbox.h"

#include <windows.h>

namespace {

constexpr const char* kKeyPath = "SOFTWARE\\TRUV\\MAIN\\PATH";

/// The value "CFG" as one view of the registry holds it.
struct Seen {
    bool key = false;
    bool value = false;
    DWORD type = 0;
    std::string data;

    bool operator==(const Seen&) const = default;
};

Seen Look(REGSAM view) {
    Seen seen;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS) {
        return seen;
    }
    seen.key = true;
    // The plug-in's buffer size: Wine adds a NUL after an unterminated value when there is
    // room, so a larger buffer would not show how the value was stored.
    char buffer[200];
    DWORD size = sizeof buffer;
    if (::RegQueryValueExA(key, "CFG", nullptr, &seen.type, reinterpret_cast<BYTE*>(buffer),
                           &size) == ERROR_SUCCESS) {
        seen.value = true;
        seen.data.assign(buffer, size);
    }
    ::RegCloseKey(key);
    return seen;
}

void ExpectBothViews(const Seen& expected) {
    EXPECT_EQ(Look(KEY_WOW64_32KEY), expected);
    EXPECT_EQ(Look(KEY_WOW64_64KEY), expected);
}

Seen StringValue(const std::string& data) {
    return {true, true, REG_SZ, data};
}

TEST(SandboxRegistry, ChangesReachBothViews) {
    suite::Sandbox sandbox;
    sandbox.SetRegistryRoot();
    ExpectBothViews(StringValue(sandbox.Root() + '\0'));
    sandbox.SetRegistryString("模型");
    ExpectBothViews(StringValue(std::string("模型") + '\0'));
    sandbox.SetRegistryUnterminated(std::string(200, 'r'));
    ExpectBothViews(StringValue(std::string(200, 'r')));
    sandbox.SetRegistryDword(0x00414141);
    ExpectBothViews({true, true, REG_DWORD, std::string("AAA\0", 4)});
    sandbox.RemoveRegistryValue();
    ExpectBothViews({true, false, 0, ""});
    sandbox.RemoveRegistryKey();
    ExpectBothViews({});
}

TEST(SandboxRegistry, PreviousStateIsPutBack) {
    {
        suite::Sandbox outer;
        outer.SetRegistryString("before");
        {
            suite::Sandbox inner;
            inner.RemoveRegistryKey();
            ExpectBothViews({});
        }
        ExpectBothViews(StringValue(std::string("before") + '\0'));
        {
            suite::Sandbox inner;
            inner.SetRegistryDword(1);
        }
        ExpectBothViews(StringValue(std::string("before") + '\0'));
        outer.RemoveRegistryKey();
        {
            suite::Sandbox inner;
            inner.SetRegistryRoot();
        }
        ExpectBothViews({});
    }
}

}  // namespace

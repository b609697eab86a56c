// The header shipped to host developers agrees with the DLL: its names and ordinals find the
// two functions, and its declarations are the plug-in's own (a mismatch does not compile).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <type_traits>

// Both declarations in one translation unit: they must agree.
#include "plugin/entry.h"
#include "truvApp.h"

#include "os/os.h"

namespace {

static_assert(std::is_same_v<decltype(&InitTruvApp), TruvAppInitFunction>);
static_assert(std::is_same_v<decltype(&RunCommand), TruvAppRunFunction>);

TEST(PublicHeader, NamesAndOrdinalsFindTheSameTwoFunctions) {
    const std::string exe = os::HostExecutablePath();
    const std::string dll = exe.substr(0, exe.find_last_of('\\') + 1) + TRUVAPP_DLL_NAME;
    HMODULE module = LoadLibraryA(dll.c_str());
    ASSERT_NE(module, nullptr) << dll;
    const FARPROC init = GetProcAddress(module, TRUVAPP_INIT_NAME);
    const FARPROC run = GetProcAddress(module, TRUVAPP_RUN_NAME);
    EXPECT_NE(init, nullptr) << TRUVAPP_INIT_NAME;
    EXPECT_NE(run, nullptr) << TRUVAPP_RUN_NAME;
    EXPECT_NE(init, run);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(TRUVAPP_INIT_ORDINAL)), init);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(TRUVAPP_RUN_ORDINAL)), run);
    FreeLibrary(module);
}

}  // namespace

// The sandbox's registry on POSIX: the store file that TRUV_REGISTRY names.
#include <gtest/gtest.h>

#include "suite/sandbox.h"
#include "suite/system.h"

namespace {

namespace sys = suite::sys;

constexpr const char* kSection = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\n";

std::string Store(const suite::Sandbox& sandbox) {
    std::string bytes;
    EXPECT_EQ(sys::ReadWholeFile(sandbox.RegistryStorePath(), bytes), sys::ReadResult::Read);
    return bytes;
}

TEST(SandboxRegistry, StoreIsNamedWhileTheSandboxLives) {
    const auto before = sys::GetEnv("TRUV_REGISTRY");
    {
        suite::Sandbox sandbox;
        EXPECT_EQ(sys::GetEnv("TRUV_REGISTRY"), sandbox.RegistryStorePath());
        EXPECT_FALSE(sys::Exists(sandbox.RegistryStorePath()));  // untouched: no key at all
    }
    EXPECT_EQ(sys::GetEnv("TRUV_REGISTRY"), before);
}

TEST(SandboxRegistry, EachChangeRewritesTheStore) {
    suite::Sandbox sandbox;
    sandbox.SetRegistryRoot();
    EXPECT_EQ(Store(sandbox), kSection + std::string("CFG=") + sandbox.Root() + "\n");
    sandbox.SetRegistryString(" 模型 ");
    EXPECT_EQ(Store(sandbox), kSection + std::string("CFG= 模型 \n"));
    sandbox.SetRegistryDword(0x00414141);
    EXPECT_EQ(Store(sandbox), kSection + std::string("CFG:dword=0x00414141\n"));
    sandbox.RemoveRegistryValue();
    EXPECT_EQ(Store(sandbox), kSection);
    sandbox.RemoveRegistryKey();
    EXPECT_EQ(Store(sandbox).find("[HKEY"), std::string::npos);
}

TEST(SandboxRegistry, ValuesTheStoreCannotHoldAreRefused) {
    suite::Sandbox sandbox;
    EXPECT_THROW(sandbox.SetRegistryString("a\nb"), std::invalid_argument);
    EXPECT_THROW(sandbox.SetRegistryString("a\r"), std::invalid_argument);
    EXPECT_THROW(sandbox.SetRegistryUnterminated(std::string(200, 'r')), std::logic_error);
}

}  // namespace

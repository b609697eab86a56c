// The POSIX library as a host loads it: only the two entry points bind, and unloading it
// really unloads it, so a later load starts afresh.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <string>

#include "os/os.h"

namespace {

std::string LibraryPath() {
    const std::string exe = os::HostExecutablePath();
    return exe.substr(0, exe.find_last_of('/') + 1) + "truvApp.so";
}

TEST(Unload, UnloadingReallyUnloadsAndAReloadStartsAfresh) {
    for (int load = 0; load < 2; ++load) {
        void* library = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        EXPECT_NE(dlsym(library, "_Z11InitTruvAppv"), nullptr);
        EXPECT_NE(dlsym(library, "_Z10RunCommandPc"), nullptr);
        EXPECT_EQ(dlsym(library, "_Z10TheCatalogv"), nullptr);  // an internal function
        ASSERT_EQ(dlclose(library), 0);
        EXPECT_EQ(dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr)
            << "the library stayed loaded after its last dlclose";
    }
}

}  // namespace

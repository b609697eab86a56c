// The POSIX library as a host loads it: only the two entry points bind, and unloading it
// really unloads it, so a later load starts afresh, also after a pick in a folder whose name
// had to be translated.
#include <dlfcn.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "os/os.h"
#include "support/box_capture.h"
#include "support/temp_dir.h"

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
        {
            TempDir temp;
            const std::string project = temp.Path() + "/\xE9\xA1\xB9\xE7\x9B\xAE";  // UTF-8
            ASSERT_EQ(mkdir(project.c_str(), 0700), 0);
            const CurrentDirectoryScope inProject(project);
            char key[] = "NONE|NONE";  // no such item: nothing runs, nothing is shown
            reinterpret_cast<void (*)(char*)>(dlsym(library, "_Z10RunCommandPc"))(key);
        }
        ASSERT_EQ(dlclose(library), 0);
        EXPECT_EQ(dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr)
            << "the library stayed loaded after its last dlclose";
    }
}

// A box of a library in a folder whose name GBK cannot spell (an emoji) keeps its caption.
TEST(Unload, ALibraryInAFolderGbkCannotSpellStillCaptionsItsBoxes) {
    TempDir temp;
    const std::string folder = temp.Path() + "/\xF0\x9F\x98\x80";  // UTF-8, no GBK for it
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string copy = folder + "/truvApp.so";
    WriteWholeFile(copy, ReadWholeFile(LibraryPath()));
    void* library = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    BoxCapture capture;
    reinterpret_cast<void (*)(char*)>(dlsym(library, "_Z10RunCommandPc"))(nullptr);
    const std::vector<CapturedBox> boxes = capture.Take();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "truvApp");
    dlclose(library);
}

}  // namespace

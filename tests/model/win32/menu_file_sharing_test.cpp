// What virus scanners and indexers do on real machines: they open a new file for a moment,
// without sharing its deletion, and so make its exclusive create or its move fail for that
// moment. The writer waits it out.
#include <gtest/gtest.h>

#include <thread>

#include "model/menu_file.h"
#include "os/win32/windows_support.h"
#include "support/temp_dir.h"

namespace {

/// Holds `path` open for reading and writing, but not for deleting, for 200 ms; with
/// `deleted` the file is marked for deletion first, so that its name stays taken until then.
class Holder {
public:
    Holder(const std::string& path, bool deleted)
        : file_(CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | (deleted ? FILE_SHARE_DELETE : 0),
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (deleted) DeleteFileA(path.c_str());
        thread_ = std::thread([this] {
            Sleep(200);
            CloseHandle(file_);
        });
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    ~Holder() { thread_.join(); }
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
    std::thread thread_;
};

TEST(MenuFileSharingTest, AMomentaryHolderIsWaitedOut) {
    struct Case {
        const char* held;
        bool deleted;
    };
    const Case cases[] = {
        {"menu.txt", false},  // the move onto it
        {"menu.~00", true},   // the create of the temporary under a name still taken
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteWholeFile(dir / c.held, "held");
        const Holder holder(dir / c.held, c.deleted);
        ASSERT_TRUE(holder.IsOpen());
        EXPECT_EQ(WriteFileAtomically(dir / "menu.txt", "new", true), os::kSuccess) << c.held;
        EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), "new") << c.held;
    }
}

}  // namespace

// What virus scanners and indexers do on real machines: they open a new file for a moment,
// without sharing its deletion, and so make its exclusive create or its move fail for that
// moment. The writer waits it out.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "model/menu_file.h"
#include "os/atomic_file.h"
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
        EXPECT_EQ(os::WriteFileAtomically(dir / "menu.txt", "new", true), os::kSuccess) << c.held;
        EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), "new") << c.held;
    }
}

// The host system's path of a Windows path under Wine; empty elsewhere.
std::string UnixPath(const std::string& path) {
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr) return {};
    const std::wstring wide(path.begin(), path.end());  // ASCII paths only
    char* converted = convert(wide.c_str());
    const std::string result = converted != nullptr ? converted : "";
    HeapFree(GetProcessHeap(), 0, converted);
    return result;
}

// A link to nothing under a temporary name, made by the host system (Wine lists the links it
// makes itself): the exclusive create refuses the name, although the listing does not show
// it. The name is passed over.
TEST(MenuFileSharingTest, HostSystemLinkToNothingIsPassedOver) {
    TempDir dir;
    const std::string folder = UnixPath(dir.Path());
    if (folder.empty()) GTEST_SKIP() << "not under Wine";
    std::string command = "Z:\\bin\\ln -s nothing " + folder + "/menu.~00";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(os::WriteFileAtomically(dir / "menu.txt", "new", false), os::kSuccess);
    EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), "new");
}

}  // namespace

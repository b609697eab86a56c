// A host's timer that calls the exports from the message loop of a box InitTruvApp shows: the
// calls return, since no box is up while a lock is held.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/menu_file.h"
#include "os/os.h"
#include "os/win32/windows_support.h"
#include "plugin/entry.h"
#include "plugin/failing_allocation.h"
#include "suite/sandbox.h"

namespace {

HHOOK hook = nullptr;
HWND outerBox = nullptr;
bool reentered = false;
std::vector<std::string> nestedTexts;  // of the boxes shown by the calls from the timer

VOID CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    FailAllocationAt(0);
    RunCommand(const_cast<char*>("no such module|no such item"));
    InitTruvApp();
    reentered = true;
    PostMessageA(outerBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// The first box stays up until the timer has called in; boxes shown meanwhile are closed.
LRESULT CALLBACK OnCbtEvent(int code, WPARAM wParam, LPARAM lParam) {
    char className[8] = {};
    HWND box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && GetClassNameA(box, className, sizeof className) > 0 &&
        std::strcmp(className, "#32770") == 0 && GetPropA(box, "truv.seen") == nullptr) {
        SetPropA(box, "truv.seen", box);
        if (outerBox == nullptr) {
            outerBox = box;
            SetTimer(nullptr, 0, 10, OnTimer);
        } else {
            char text[256] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            nestedTexts.emplace_back(text);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

TEST(ReentryTest, ExportsCalledFromEveryBoxOfInitReturn) {
    suite::Sandbox sandbox;
    sandbox.SetRegistryRoot();
    sandbox.WriteCfgPathLines({});
    const std::string menuPath = MenuFilePath(os::HostExecutablePath());
    const std::string folder = menuPath.substr(0, menuPath.size() - 8);
    struct Case {
        const char* box;
        std::function<void()> cause;
    };
    const Case cases[] = {
        // Every temporary name is taken by a directory: the menu file cannot be written.
        {"menu file",
         [&] {
             for (int n = 0; n < 100; ++n) {
                 std::filesystem::create_directory(folder + "menu.~" + std::to_string(n / 10) +
                                                   std::to_string(n % 10));
             }
         }},
        {"out of memory", [] { FailAllocationAt(AllocationCount() + 1); }},
    };
    hook = SetWindowsHookExA(WH_CBT, OnCbtEvent, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (const Case& c : cases) {
        os::DeleteFile(menuPath);
        outerBox = nullptr;
        reentered = false;
        nestedTexts.clear();
        c.cause();
        InitTruvApp();
        EXPECT_TRUE(reentered) << c.box;
        // The nested call, on the same thread, went through and met the same full folder.
        EXPECT_EQ(nestedTexts, std::vector<std::string>{"该目录已满，无法创建 " + menuPath + "。"})
            << c.box;
    }
    UnhookWindowsHookEx(hook);
    for (int n = 0; n < 100; ++n) {
        std::filesystem::remove(folder + "menu.~" + std::to_string(n / 10) +
                                std::to_string(n % 10));
    }
    os::DeleteFile(menuPath);
}

}  // namespace

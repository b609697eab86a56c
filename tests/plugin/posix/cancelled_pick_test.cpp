// A host thread cancelled while its pick waits for a program (pthread_cancel), natively.
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/wait.h>

#include <string>
#include <thread>

#include "catalogue/builders.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "os/os.h"
#include "plugin/entry.h"
#include "plugin/globals.h"
#include "support/fault_plan.h"
#include "support/installation_fixture.h"
#include "support/temp_dir.h"

namespace {

class CancelledPickTest : public InstallationTest {};

void* Pick(void* key) {
    RunCommand(static_cast<char*>(key));
    return nullptr;
}

void* Init(void*) {
    InitTruvApp();  // ends the thread itself, once the menu file is whole
    return nullptr;
}

// The cancellation goes through the pick (the process lives on), the pick's lock is released,
// and a pick from another thread then runs whole.
TEST_F(CancelledPickTest, CancellationEndsThePickAndFreesItsLock) {
    std::string key = "箱形基础设计 TUB|墙体配筋选择";  // five starts
    sandbox.Install({{"TUB", "tub", {"TUB72.exe", "WALLRF.exe", "TUB73.exe", "TUB82.exe"}}});
    if (TheCatalog().Count() == 0) BuildMenuGroups(TheCatalog());
    const CurrentDirectoryScope inProject(sandbox.ProjectDir());
    pthread_t picker;
    {
        // The host cancels the picking thread as it starts its first program: the cancellation
        // takes effect where the pick next waits, for that program.
        FaultPlan plan;
        plan.BeforeNth(SystemCall::kSpawn, 1, [] { pthread_cancel(pthread_self()); });
        ASSERT_EQ(pthread_create(&picker, nullptr, Pick, key.data()), 0);
        void* result = nullptr;
        ASSERT_EQ(pthread_join(picker, &result), 0);
        EXPECT_EQ(result, PTHREAD_CANCELED);
    }
    // The program started, unwatched: reaped here, unless it had ended by the time the
    // unwinding closed its handle, which reaps an ended child.
    waitpid(-1, nullptr, 0);
    EXPECT_EQ(sandbox.ReadJournal().size(), 1u);
    sandbox.ClearJournal();

    std::thread later([&] { RunCommand(key.data()); });
    later.join();
    EXPECT_EQ(sandbox.ReadJournal().size(), 5u);
    EXPECT_TRUE(BoxTexts().empty());
}

// A thread cancelled as InitTruvApp writes the menu file is cancelled once the file is whole,
// before the call returns: no temporary is left, which the system cannot promise for a call
// it cancels.
TEST_F(CancelledPickTest, CancellationWaitsUntilTheMenuFileIsWhole) {
    const std::string menuPath = MenuFilePath(os::HostExecutablePath());
    const std::string folder = menuPath.substr(0, menuPath.size() - 8);
    os::DeleteFile(menuPath);
    InitTruvApp();
    const std::string expected = ReadWholeFile(menuPath);
    os::DeleteFile(menuPath);
    {
        FaultPlan plan;
        plan.BeforeNth(SystemCall::kWrite, 1, [] { pthread_cancel(pthread_self()); });
        pthread_t thread;
        ASSERT_EQ(pthread_create(&thread, nullptr, Init, nullptr), 0);
        void* result = nullptr;
        ASSERT_EQ(pthread_join(thread, &result), 0);
        EXPECT_EQ(result, PTHREAD_CANCELED);
    }
    EXPECT_EQ(ReadWholeFile(menuPath), expected);
    EXPECT_TRUE(os::FindMatches(folder + "menu.~*").empty());
    EXPECT_TRUE(BoxTexts().empty());
    os::DeleteFile(menuPath);
}

}  // namespace

// The durable writer under failing system calls: each step that can fail leaves the old file
// or the new one whole, never a temporary, and reports the step. A folder whose entry list
// cannot be synchronised (EINVAL, ENOTSUP: network and FUSE file systems) does not fail a move
// that has happened.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "model/menu_file.h"
#include "os/atomic_file.h"
#include "support/fault_plan.h"
#include "support/temp_dir.h"

namespace {

struct Failing {
    SystemCall call;
    std::size_t occurrence;
    Fault fault;
};

struct Case {
    const char* what;
    bool replace;  // "old" stands under the name, and is to be replaced
    Failing first;
    Failing second;  // occurrence 0: none
    bool succeeds;
    os::WriteStep step;  // of a failure
    const char* after;   // under the name afterwards; "" for nothing
};

constexpr Failing kNone{SystemCall::kOpen, 0, Fault::kError};

// clang-format off
const Case kCases[] = {
    {"create",             true,  {SystemCall::kOpen,  1, Fault::kNoSpace},     kNone, false, os::WriteStep::kCreate, "old"},
    {"write",              true,  {SystemCall::kWrite, 1, Fault::kError},       kNone, false, os::WriteStep::kWrite,  "old"},
    {"write, disk full",   true,  {SystemCall::kWrite, 1, Fault::kNoSpace},     kNone, false, os::WriteStep::kWrite,  "old"},
    {"short write",        true,  {SystemCall::kWrite, 1, Fault::kShort},       kNone, true,  os::WriteStep::kCreate, "new"},
    {"short, then full",   true,  {SystemCall::kWrite, 1, Fault::kShort},
                                  {SystemCall::kWrite, 2, Fault::kNoSpace},            false, os::WriteStep::kWrite,  "old"},
    {"interrupted write",  true,  {SystemCall::kWrite, 1, Fault::kTryAgain},    kNone, true,  os::WriteStep::kCreate, "new"},
    {"flush",              true,  {SystemCall::kFlush, 1, Fault::kError},       kNone, false, os::WriteStep::kWrite,  "old"},
    {"move",               true,  {SystemCall::kMove,  1, Fault::kUnsupported}, kNone, false, os::WriteStep::kMove,   "old"},
    {"folder sync",        true,  {SystemCall::kFlush, 2, Fault::kError},       kNone, false, os::WriteStep::kMove,   "new"},
    {"folder sync EINVAL", true,  {SystemCall::kFlush, 2, Fault::kUnsupported}, kNone, true,  os::WriteStep::kCreate, "new"},
    {"new, folder sync",   false, {SystemCall::kFlush, 2, Fault::kUnsupported}, kNone, true,  os::WriteStep::kCreate, "new"},
    {"link fallback",      false, {SystemCall::kMove,  1, Fault::kUnsupported}, kNone, true,  os::WriteStep::kCreate, "new"},
    {"link fails",         false, {SystemCall::kMove,  1, Fault::kUnsupported},
                                  {SystemCall::kLink,  1, Fault::kNoSpace},              false, os::WriteStep::kMove,   ""},
    {"unlink after link",  false, {SystemCall::kMove,  1, Fault::kUnsupported},
                                  {SystemCall::kDelete, 1, Fault::kError},             false, os::WriteStep::kMove,   "new"},
};
// clang-format on

bool Expressible(const Failing& failing) {
    const std::vector<Fault> faults = FaultsOf(failing.call);
    return failing.occurrence == 0 ||
           std::find(faults.begin(), faults.end(), failing.fault) != faults.end();
}

std::vector<std::string> Entries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(MenuFileFaultsTest, EachFailingStepLeavesOneWholeFile) {
    for (const Case& c : kCases) {
        const bool syncsFolder = c.first.call == SystemCall::kFlush && c.first.occurrence == 2;
        const bool linksInstead = !c.replace && c.first.call == SystemCall::kMove;
        if (!Expressible(c.first) || !Expressible(c.second) || (syncsFolder && !SyncsFolders()) ||
            (linksInstead && FaultsOf(SystemCall::kLink).empty())) {
            continue;  // not on this platform
        }
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir / "menu.txt";
        if (c.replace) WriteWholeFile(path, "old");
        os::WriteStep step = os::WriteStep::kCreate;
        os::Status status = os::kSuccess;
        bool fired = false;
        {
            FaultPlan plan;
            plan.FailNth(c.first.call, c.first.occurrence, c.first.fault);
            if (c.second.occurrence != 0) {
                plan.AlsoFailNth(c.second.call, c.second.occurrence, c.second.fault);
            }
            status = os::WriteFileAtomically(path, "new", c.replace, &step);
            fired = plan.Fired();
        }
        EXPECT_TRUE(fired);
        EXPECT_EQ(status == os::kSuccess, c.succeeds) << status;
        if (!c.succeeds) {
            EXPECT_EQ(static_cast<int>(step), static_cast<int>(c.step));
        }
        EXPECT_EQ(ReadWholeFile(path), c.after);
        const std::vector<std::string> expected =
            *c.after != '\0' ? std::vector<std::string>{"menu.txt"} : std::vector<std::string>{};
        EXPECT_EQ(Entries(dir), expected);
    }
}

}  // namespace

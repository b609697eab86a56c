// Each call of the posix backend's table can be failed through the fault plan, and the
// operation that makes it survives the failure and says so where it can.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "os/os.h"
#include "support/fault_plan.h"
#include "support/temp_dir.h"

namespace {

struct Entry {
    const char* what;
    SystemCall call;
    std::size_t occurrence;               // the call of that kind to fail, 1 for the first
    std::function<bool(FaultPlan&)> run;  // true when the operation reports the failure
};

TEST(SystemCallTable, EachEntryCanBeFailed) {
    TempDir temp;
    const std::string file = JoinPath(temp.Path(), "data.txt");
    WriteWholeFile(file, "0123456789");
    const std::string previous = os::CurrentDirectory().value_or("/");
    os::Process child;
    os::StartProcess("true", os::EnvironmentBlock(), temp.Path(), child);
    child.Wait();
    const Entry entries[] = {
        {"chdir", SystemCall::kSetDirectory, 1,
         [&](FaultPlan& plan) {
             // The name as spelled, then as resolved: both tries fail.
             plan.AlsoFailNth(SystemCall::kSetDirectory, 2, Fault::kError);
             return !os::SetCurrentDirectory(temp.Path());
         }},
        {"getcwd", SystemCall::kGetDirectory, 1,
         [&](FaultPlan&) { return !os::CurrentDirectory(); }},
        {"readlink", SystemCall::kInspect, 1,
         [&](FaultPlan&) { return os::HostExecutablePath().empty(); }},
        {"setenv", SystemCall::kSetVariable, 1,
         [&](FaultPlan&) { return !os::SetEnvironmentVariable("TRUV_TABLE_TEST", "x"); }},
        {"waitid", SystemCall::kWait, 1,
         [&](FaultPlan&) { return child.ExitCode() == 0xFFFFFFFF; }},
        {"opendir, then readdir", SystemCall::kList, 2,
         [&](FaultPlan&) { return os::FindMatches(JoinPath(temp.Path(), "*")).empty(); }},
        {"closedir, survived", SystemCall::kClose, 1,
         [&](FaultPlan&) { return os::FindMatches(JoinPath(temp.Path(), "*")).size() == 1; }},
        {"stat of the path emulation, survived", SystemCall::kInspect, 1,
         [&](FaultPlan&) { return os::LookAtName(file).kind == os::NameInfo::Kind::kFile; }},
        {"fstat", SystemCall::kInspect, 1,
         [&](FaultPlan&) { return os::File().OpenSharedRead(file) != os::kSuccess; }},
        {"lseek", SystemCall::kSeek, 1,
         [&](FaultPlan&) {
             os::File open;
             return open.OpenSharedRead(file) == os::kSuccess && !open.SkipToLast(4);
         }},
        {"close", SystemCall::kClose, 1,
         [&](FaultPlan&) {
             os::File open;
             return open.OpenSharedRead(file) == os::kSuccess && !open.Close();
         }},
        {"fcntl's lock, survived by one write", SystemCall::kLock, 1,
         [&](FaultPlan&) {
             return os::AppendToFile(file, "+") == os::kSuccess &&
                    ReadWholeFile(file).ends_with("+");
         }},
        {"waitpid", SystemCall::kWait, 1,
         [&](FaultPlan&) {
             child.Close();
             return true;
         }},
    };
    for (const Entry& entry : entries) {
        bool reported = false;
        bool fired = false;
        {
            FaultPlan plan;
            plan.FailNth(entry.call, entry.occurrence, Fault::kError);
            reported = entry.run(plan);
            fired = plan.Fired();
        }
        EXPECT_TRUE(fired) << entry.what;
        EXPECT_TRUE(reported) << entry.what;
    }
    os::SetCurrentDirectory(previous);
}

}  // namespace

// The stand-in on Windows records the raw command line it was given, not a re-quoted argv.
#include <gtest/gtest.h>

#include "run_direct.h"
#include "suite/sandbox.h"

namespace {

TEST(StandinWin32, CommandLineIsRecordedRaw) {
    suite::Sandbox sandbox;
    sandbox.WriteCfgPath({{"CORE", sandbox.AddModule("core")}});
    const std::string modelin = sandbox.InstallProgram(sandbox.DirLine("core"), "Modelin.exe");
    const std::string line = "\"" + modelin + "\"  a   \"b c\"  ";
    EXPECT_EQ(RunCommandLine(line, sandbox.ProjectDir()), 0u);
    const std::vector<suite::JournalRecord> records = sandbox.ReadJournal();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].commandLine, line);
    EXPECT_EQ(records[0].args, (std::vector<std::string>{modelin, "a", "b c"}));
}

}  // namespace

// The run rules: each verb's key match, upper-casing, help documents, shell start and exit-code
// judgement, as the resolver decides them without touching the system.
#include "launch/run_rules.h"

#include <gtest/gtest.h>

#include "launch/launcher.h"

namespace {

// "CFGPATH" with a key given twice: first and last match lead to different directories.
const std::vector<std::string> kCfgLines = {"CORE",           "C:\\S\\CORE\\", "mod",
                                            "C:\\S\\FIRST\\", "MOD",           "C:\\S\\LAST\\"};

InstallationView Installed(std::optional<std::vector<std::string>> lines = kCfgLines) {
    return {"C:\\S", "", std::move(lines), true};
}

struct Case {
    const char* verb;
    const char* program;
    const char* commandLine;
    bool byShell;
    bool judgesExitCode;
};

// clang-format off
constexpr Case kCases[] = {
    {"RUNEXEFILE",    "calc.exe -b",    "C:\\S\\FIRST\\CALC.EXE -B",       false, true},
    {"RUNEXEFILEMIN", "calc.exe -b",    "C:\\S\\LAST\\CALC.EXE -B",        false, true},
    {"RUNEXEFILEMAX", "calc.exe -b",    "C:\\S\\LAST\\calc.exe -b",        false, true},
    {"RUNEXEFILENOR", "calc.exe -b",    "C:\\S\\LAST\\calc.exe -b",        false, true},
    {"RUNEXEFILE",    "help.chm",       "HH.exe C:\\S\\FIRST\\HELP.CHM",   false, true},
    {"RUNEXEFILEMIN", "help.chm",       "HH.exe C:\\S\\LAST\\HELP.CHM",    false, true},
    {"RUNEXEFILEMAX", "help.chm",       "C:\\S\\LAST\\help.chm",           false, true},
    {"RUNEXEFILE",    "inspect2.exe a", "C:\\S\\FIRST\\INSPECT2.EXE A",    true,  true},
    {"RUNEXEFILEMIN", "inspect2.exe a", "C:\\S\\LAST\\INSPECT2.EXE A",     false, true},
    {"RUNEXEFILE",    "acad.exe",       "C:\\S\\FIRST\\ACAD.EXE",          false, false},
    {"RUNEXEFILEMIN", "acad.exe",       "C:\\S\\LAST\\ACAD.EXE",           false, true},
};
// clang-format on

TEST(RunRules, EachVerbResolvesByItsOwnRules) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.verb) + " " + c.program);
        const RunMode* mode = FindRunMode(c.verb);
        ASSERT_NE(mode, nullptr);
        const ResolvedRun resolved = ResolveRun(*mode, "MOD", c.program, Installed());
        EXPECT_EQ(resolved.outcome, RunOutcome::kStart);
        EXPECT_EQ(resolved.command.commandLine, c.commandLine);
        EXPECT_EQ(resolved.byShell, c.byShell);
        EXPECT_EQ(resolved.judgesExitCode, c.judgesExitCode);
    }
}

TEST(RunRules, OnlyTheFourVerbsAreKnown) {
    EXPECT_EQ(FindRunMode("RUNEXEFILEMAX")->run, &Launcher::RunExeFileMax);
    EXPECT_EQ(&RunModeOf(&Launcher::RunExeFileNor), FindRunMode("RUNEXEFILENOR"));
    EXPECT_EQ(FindRunMode("runexefile"), nullptr);
    EXPECT_EQ(FindRunMode("RUNEXE"), nullptr);
}

TEST(RunRules, TheRootNeedsNoCfgPathAndOpensNoDocument) {
    const ResolvedRun resolved =
        ResolveRun(*FindRunMode("RUNEXEFILE"), "", "guide.chm", Installed(std::nullopt));
    EXPECT_EQ(resolved.outcome, RunOutcome::kStart);
    EXPECT_EQ(resolved.command.commandLine, "C:\\S\\guide.chm");
}

TEST(RunRules, FailuresChooseTheirMessage) {
    const RunMode& first = *FindRunMode("RUNEXEFILE");
    const RunMode& last = *FindRunMode("RUNEXEFILENOR");
    EXPECT_EQ(ResolveRun(first, "MOD", "a", Installed(std::nullopt)).outcome,
              RunOutcome::kNoCfgPath);
    InstallationView badDir = Installed();
    badDir.workDirValid = false;
    EXPECT_EQ(ResolveRun(first, "MOD", "a", badDir).outcome, RunOutcome::kBadWorkDir);
    const ResolvedRun missing = ResolveRun(first, "NONE", "a", Installed());
    EXPECT_EQ(missing.outcome, RunOutcome::kKeyMissing);
    EXPECT_EQ(missing.message, "在C:\\S\\CFGPATH中 找不到指定的 NONE");
    EXPECT_EQ(ResolveRun(last, "NONE", "a", Installed()).outcome, RunOutcome::kNoApplication);
}

TEST(RunRules, FindKeyDirNeverTakesADirectoryLineForAKey) {
    const std::vector<std::string> lines = {"A", "b", "B", "C"};
    const auto find = [&lines](const char* key, KeyMatch mode, std::string& dir) {
        CfgPathReader file(lines);
        return FindKeyDir(file, key, mode, dir);
    };
    std::string dir;
    EXPECT_TRUE(find("B", KeyMatch::Last, dir));
    EXPECT_EQ(dir, "B");  // "B" after the key line "b" is its directory, not a key line
    EXPECT_TRUE(find("C", KeyMatch::First, dir));
    EXPECT_EQ(dir, "");  // a key line at the end has an empty directory
    EXPECT_FALSE(find("D", KeyMatch::Last, dir));
}

TEST(RunRules, CoreDirectoryAndTheExtendedPath) {
    EXPECT_EQ(CoreDirectory(kCfgLines), "C:\\S\\CORE");
    EXPECT_EQ(CoreDirectory({"CORE"}), "");
    EXPECT_EQ(ExtendedPath("C:\\S", "C:\\S\\CORE", "old", ';'), "C:\\S;C:\\S\\CORE;old");
}

}  // namespace

// The installation check on complete and broken installations of the whole catalogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "host/checks/doctor.h"
#include "host/items/item_plan.h"
#include "model/menu_catalog.h"
#include "os/os.h"
#include "plugin/dispatch.h"
#include "suite/sandbox.h"
#include "suite/system.h"
#include "text/gbk_text.h"
#include "whole_installation.h"

namespace {

/// A sandbox holding everything the catalogue can start, and the plans of its items.
class DoctorTest : public WholeInstallationTest {
protected:
    /// The keys of the items with a start that `matches`.
    std::vector<std::string> KeysStarting(
        const std::function<bool(const host::PlannedRun&)>& matches) const {
        std::vector<std::string> keys;
        for (const host::ItemPlan& plan : plans) {
            if (std::any_of(plan.runs.begin(), plan.runs.end(), matches)) keys.push_back(plan.key);
        }
        return keys;
    }

    host::DoctorReport Examine() const { return host::Examine(host::ReadInstallation(), plans); }

    /// Removes the first program a start names without a folder of its own.
    host::StartedFile RemoveAProgram() const {
        const host::StartedFile removed =
            *std::find_if(files.begin(), files.end(), [](const host::StartedFile& file) {
                return !file.document && !file.dirKey.empty() &&
                       file.name.find('\\') == std::string::npos;
            });
        const std::string path =
            suite::sys::Join(DirOf(removed.dirKey), suite::ProgramFileName(removed.name));
        EXPECT_EQ(suite::sys::RemoveFile(path), suite::sys::DeleteResult::Deleted) << path;
        return removed;
    }
};

std::string ProblemTexts(const host::DoctorReport& report) {
    std::string texts;
    for (const host::Problem& problem : report.problems) texts += problem.text + "\n";
    return texts;
}

TEST_F(DoctorTest, FindsNothingWrongWithACompleteInstallation) {
    const host::DoctorReport report = Examine();
    EXPECT_TRUE(report.problems.empty()) << ProblemTexts(report);
    // The items of the menu, as `list` and `menu --refresh` count them; the drawing-management
    // command is named apart.
    EXPECT_EQ(report.itemsChecked, static_cast<int>(plans.size()));
}

// "CFGPATH" directory lines as the plug-in reads them: one without its closing separator gets
// one line that says so (the plug-in joins the program's name right after it); one ending in
// a double-byte character whose trail byte is 0x5C is a folder like any other.
TEST_F(DoctorTest, ReadsDirectoryLinesAsThePluginDoes) {
    const std::string key = "BLDG";
    struct Case {
        const char* name;
        std::string folder;  // the key's folder under the root, GBK
        bool closed;         // the line ends in its separator
        std::string problem;
    };
    std::vector<Case> cases = {
        {"WithoutClosingSeparator", key, false, "lacks its closing separator"},
    };
    if (os::FileNameEncoding() == os::NameEncoding::kGbk) {
        cases.push_back({"EndingInTrailByte5C", key + "\xDF\x5C", true, ""});  // 運
    }
    const std::vector<std::string> broken =
        KeysStarting([&](const host::PlannedRun& run) { return run.dirKey == key; });
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string line = sandbox.DirLine(test.folder);
        if (test.folder != key) {
            ASSERT_EQ(os::MoveFileDurably(sandbox.DirLine(key), line, false), os::kSuccess);
        }
        std::vector<suite::CfgPathEntry> entries = cfgPath;
        for (suite::CfgPathEntry& entry : entries) {
            if (entry.key == key) entry.dir = test.closed ? line : line.substr(0, line.size() - 1);
        }
        sandbox.WriteCfgPath(entries);
        const host::DoctorReport report = Examine();
        if (test.problem.empty()) {
            EXPECT_TRUE(report.problems.empty()) << ProblemTexts(report);
            continue;
        }
        ASSERT_EQ(report.problems.size(), 1u) << ProblemTexts(report);
        EXPECT_NE(report.problems[0].text.find(test.problem), std::string::npos);
        EXPECT_EQ(report.problems[0].brokenKeys, broken);
    }
}

// An element of "PATH" that the program search passes over is named, for a program someone
// put there is not found.
TEST_F(DoctorTest, NamesPathElementsThatTheSearchPassesOver) {
    const std::string old = os::GetEnvironmentVariable("PATH").value_or("");
    const suite::ScopedEnv path("PATH", old + os::PathListSeparator() + "bin");
    const host::DoctorReport report = Examine();
    EXPECT_TRUE(std::any_of(report.facts.begin(), report.facts.end(), [](const std::string& fact) {
        return fact.starts_with("PATH: \"bin\" is passed over");
    }));
}

TEST_F(DoctorTest, NamesARemovedProgramAndTheItemsItBreaks) {
    const host::StartedFile removed = RemoveAProgram();

    const host::DoctorReport report = Examine();
    ASSERT_EQ(report.problems.size(), 1u) << ProblemTexts(report);
    EXPECT_NE(gbk::Upper(report.problems[0].text).find(gbk::Upper(removed.name)),
              std::string::npos);
    EXPECT_EQ(report.problems[0].brokenKeys, KeysStarting([&](const host::PlannedRun& run) {
                  return run.dirKey == removed.dirKey &&
                         gbk::Upper(run.program.substr(0, run.program.find(' '))) ==
                             gbk::Upper(removed.name);
              }));
}

// The installation's paths are read with '\' separators (the suite's own); the report shows
// them as the platform writes them.
TEST_F(DoctorTest, ShowsPathsWithThePlatformSeparator) {
    const char foreign = os::PathListSeparator() == ':' ? '\\' : '/';
    RemoveAProgram();
    const host::DoctorReport report = Examine();
    ASSERT_EQ(report.problems.size(), 1u) << ProblemTexts(report);
    std::vector<std::string> shown(report.facts.begin() + 1, report.facts.end());  // after the key
    shown.push_back(report.problems[0].text);
    for (const std::string& line : shown) {
        EXPECT_EQ(line.find(foreign), std::string::npos) << line;
    }
}

TEST_F(DoctorTest, NamesARemovedKeyAndTheItemsItBreaks) {
    const std::string removedKey = "BLDG";
    std::vector<suite::CfgPathEntry> remaining;
    std::copy_if(cfgPath.begin(), cfgPath.end(), std::back_inserter(remaining),
                 [&](const suite::CfgPathEntry& entry) { return entry.key != removedKey; });
    sandbox.WriteCfgPath(remaining);

    const host::DoctorReport report = Examine();
    ASSERT_EQ(report.problems.size(), 1u) << ProblemTexts(report);
    EXPECT_NE(report.problems[0].text.find("key " + removedKey), std::string::npos);
    const std::vector<std::string> expected =
        KeysStarting([&](const host::PlannedRun& run) { return run.dirKey == removedKey; });
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(report.problems[0].brokenKeys, expected);
}

TEST_F(DoctorTest, FindsProgramsWithoutRegardToCase) {
    const host::StartedFile file =
        *std::find_if(files.begin(), files.end(), [](const host::StartedFile& candidate) {
            return !candidate.document && candidate.name.find('\\') == std::string::npos &&
                   gbk::Upper(candidate.name) != candidate.name;
        });
    const std::string dir = DirOf(file.dirKey);
    const std::string upper = gbk::Upper(suite::ProgramFileName(file.name));
    ASSERT_TRUE(suite::sys::Rename(suite::sys::Join(dir, suite::ProgramFileName(file.name)),
                                   suite::sys::Join(dir, upper)));
    const host::DoctorReport report = Examine();
    EXPECT_TRUE(report.problems.empty()) << ProblemTexts(report);
}

TEST_F(DoctorTest, AMissingRegistryValueOrCfgPathBreaksEveryItemThatStartsAProgram) {
    const std::vector<std::string> starting =
        KeysStarting([](const host::PlannedRun&) { return true; });
    sandbox.RemoveRegistryValue();
    host::DoctorReport report = Examine();
    EXPECT_TRUE(report.facts[0].ends_with(" is missing")) << report.facts[0];
    ASSERT_EQ(report.problems.size(), 1u) << ProblemTexts(report);
    EXPECT_NE(report.problems[0].text.find("registry"), std::string::npos);
    EXPECT_EQ(report.problems[0].brokenKeys.size(), starting.size() + 1);  // and drawing mgmt

    sandbox.SetRegistryRoot();
    sandbox.RemoveCfgPath();
    report = Examine();
    ASSERT_FALSE(report.problems.empty());
    EXPECT_NE(report.problems[0].text.find("CFGPATH"), std::string::npos);
    EXPECT_EQ(report.problems[0].brokenKeys, [&] {
        std::vector<std::string> keys =
            KeysStarting([](const host::PlannedRun& run) { return !run.dirKey.empty(); });
        keys.push_back(kManagerKey);
        return keys;
    }());
}

// A registry value longer than the plug-in reads is named with its length, not as missing.
TEST_F(DoctorTest, NamesARegistryValueTooLongToRead) {
    const std::string value =
        "registry value CFG of HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH";
    const struct {
        std::size_t length;
        const char* absence;  // after the value's name; empty: the value is the root
    } cases[] = {
        {kInstallRootLimit, ""},
        {kInstallRootLimit + 1, " is too long (200 bytes, at most 199)"},
        {5000, " is too long (5000 bytes, at most 199)"},
    };
    for (const auto& c : cases) {
        sandbox.SetRegistryString(std::string(c.length, 'D'));
        const host::DoctorReport report = Examine();
        const std::string absence = c.absence;
        EXPECT_TRUE(report.facts[0].ends_with(absence.empty() ? "DDD\"" : absence))
            << report.facts[0].substr(0, 120);
        ASSERT_FALSE(report.problems.empty()) << c.length;
        EXPECT_EQ(report.problems[0].text.starts_with(value + absence), !absence.empty())
            << report.problems[0].text.substr(0, 120);
    }
}

TEST_F(DoctorTest, FormatsOneLinePerProblemWithItsItems) {
    sandbox.RemoveCfgPath();
    const host::DoctorReport report = Examine();
    const std::vector<std::string> lines = host::FormatReport(report, 3);
    const auto problemLines = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("PROBLEM: ", 0) == 0;
    });
    EXPECT_EQ(static_cast<std::size_t>(problemLines), report.problems.size());
    const std::string& first = *std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("PROBLEM: ", 0) == 0;
    });
    EXPECT_NE(first.find(report.problems[0].brokenKeys[0]), std::string::npos);
    EXPECT_NE(first.find("more)"), std::string::npos);
}

}  // namespace

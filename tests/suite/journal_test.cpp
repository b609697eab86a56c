// The journal's record format: exact round trips and refusal of damaged journals.
#include "suite/journal.h"

#include <gtest/gtest.h>

namespace {

suite::JournalRecord TrickyRecord() {
    suite::JournalRecord record;
    record.program = "C:\\安装 目录\\CORE\\Modelin.exe";
    record.commandLine = "C:\\X\\MODELIN.EXE -B  \"two words\"  ";
    record.args = {"C:\\X\\MODELIN.EXE", "-B", "two words", "trail  ", "", "line\nbreak"};
    record.currentDir = "D:\\PROJ 1\\";
    record.pathHead = {"C:\\root", ""};
    record.actions = {"rule 2", "created Autorunfile.tmp"};
    record.exitCode = 4294967295u;
    return record;
}

TEST(JournalFormat, RecordsRoundTripByteForByte) {
    suite::JournalRecord empty;
    std::string bytes = suite::FormatRecord(TrickyRecord()) + suite::FormatRecord(empty);
    std::vector<suite::JournalRecord> records;
    std::string error;
    ASSERT_TRUE(suite::ParseJournal(bytes, records, error)) << error;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], TrickyRecord());
    EXPECT_EQ(records[1], empty);
}

TEST(JournalFormat, FieldsAreLengthPrefixedLines) {
    suite::JournalRecord record;
    record.program = "/r/a b";
    record.commandLine = "a b ";
    record.args = {"a", "b "};
    record.currentDir = "/p";
    record.pathHead = {"/r"};
    record.exitCode = 3;
    EXPECT_EQ(suite::FormatRecord(record),
              "program 6:/r/a b\ncommand 4:a b \narg 1:a\narg 2:b \ncwd 2:/p\npath 2:/r\n"
              "exit 1:3\nend\n");
}

TEST(JournalFormat, DamagedJournalsAreRefused) {
    const std::string good = suite::FormatRecord(TrickyRecord());
    const std::vector<std::string> damaged = {
        good.substr(0, good.size() - 1),  // last line cut
        good.substr(0, good.size() - 4),  // no "end"
        "program 5:abc\nend\n",           // length beyond the value
        "program x:abc\nend\n",           // no length
        "program 3:abcXend\n",            // no LF after the value
        "colour 3:red\nend\n",            // unknown field
        "exit 2:-1\nend\n",               // bad exit code
        "end\n",                          // empty record
        good + "program 1:x\n",           // record left open
    };
    for (const std::string& bytes : damaged) {
        std::vector<suite::JournalRecord> records;
        std::string error;
        EXPECT_FALSE(suite::ParseJournal(bytes, records, error)) << bytes;
        EXPECT_FALSE(error.empty());
    }
}

TEST(JournalFormat, PathHeadKeepsEmptyElements) {
    using Head = std::vector<std::string>;
    EXPECT_EQ(suite::PathHead("a;b;c", ';'), (Head{"a", "b"}));
    EXPECT_EQ(suite::PathHead("a", ';'), (Head{"a"}));
    EXPECT_EQ(suite::PathHead(";;c", ';'), (Head{"", ""}));
    EXPECT_EQ(suite::PathHead("a;", ';'), (Head{"a", ""}));
    EXPECT_EQ(suite::PathHead("/x:/y:/z", ':'), (Head{"/x", "/y"}));
    EXPECT_EQ(suite::PathHead("", ';'), Head{});
}

}  // namespace

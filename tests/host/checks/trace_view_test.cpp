// `truvhost trace` as a person reads it: a row's tokens and a message's lines, lines cut short
// or glued together by a full disk, and a trace larger than the reader's limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/checks/trace_view.h"
#include "model/trace_line.h"
#include "support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;

std::string Line(const char* time, const char* key, const char* event, Lines fields) {
    return ComposeTraceLine({time, key, event, std::move(fields)});
}

// What follows the time of each line shown: the key and the event in words.
Lines Shown(const std::string& trace) {
    Lines shown;
    for (const std::string& text : host::TraceView(trace, {})) {
        shown.push_back(text.starts_with("2026-") ? text.substr(25) : text);
    }
    return shown;
}

TEST(TraceView, FieldsAndLinesAsAPersonReadsThem) {
    const std::string trace =
        Line("2026-12-08 10:00:00.000", "CORECAD|画结构平面图", "row",
             {"CORECAD|画结构平面图\t\t\t|RunExeFile|CORE|EXECMGR.exe 10 3"}) +
        Line("2026-12-08 10:00:01.000", "甲|乙", "box", {"E", "找不到文件。\r\n"}) +
        Line("2026-12-08 10:00:02.000", "甲|乙", "box", {"-", "第一行\n  第二行"});
    EXPECT_EQ(Shown(trace),
              (Lines{"[CORECAD|画结构平面图]  row: CORECAD | 画结构平面图 | RunExeFile | CORE | "
                     "EXECMGR.exe 10 3",
                     "[甲|乙]  message box E: 找不到文件。", "[甲|乙]  message box -: 第一行",
                     std::string(25, ' ') + "  第二行"}));
}

// A line cut short by a full disk, and the next line appended right after it: the reader
// finds the next line at its time stamp and counts the cut one.
TEST(TraceView, DamagedLines) {
    const std::string good = Line("2026-12-08 10:00:05.000", "丙|丁", "row", {"none"});
    const std::string cut = Line("2026-12-08 10:00:04.000", "甲|乙", "start", {"D:\\A.EXE"});
    const struct {
        const char* name;
        std::string trace;
        Lines shown;
    } cases[] = {
        {"glued after a cut field",
         cut.substr(0, 40) + good,
         {"[丙|丁]  row: none",
          "(1 line not in the trace's form was left out: cut short, or "
          "not a trace)"}},
        {"glued after a cut line end",
         cut.substr(0, cut.size() - 1) + good + good,
         {"[甲|乙]  start D:\\A.EXE  (in )", "[丙|丁]  row: none", "[丙|丁]  row: none"}},
        {"two cut lines",
         cut.substr(0, 10) + "\r\n" + cut.substr(0, 30) + "\r\n" + good,
         {"[丙|丁]  row: none",
          "(2 lines not in the trace's form were left out: cut short, "
          "or not a trace)"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Shown(c.trace), c.shown) << c.name;
}

// A trace larger than the limit is read from its end unless a key or a time asks for all of
// it; a file that cannot be read says why.
TEST(TraceView, LargeTraceFromItsEnd) {
    TempDir dir;
    const std::string path = dir / "trace.log";
    std::string trace;
    for (const char* second : {"01", "02", "03", "04", "05"}) {
        trace += Line(("2026-12-08 10:00:" + std::string(second) + ".000").c_str(), "甲|乙", "row",
                      {"none"});
    }
    WriteWholeFile(path, trace);
    const std::uint64_t twoLines = 2 * trace.size() / 5;
    const struct {
        std::vector<std::string> options;
        std::uint64_t limit;
        std::size_t shown;  // lines of the trace shown
        bool note;          // a first line says that the trace is read from its end
    } cases[] = {
        {{}, twoLines, 2, true},
        {{}, twoLines - 1, 1, true},
        {{}, trace.size(), 5, false},
        {{"--key", "甲|乙"}, twoLines, 5, false},
        {{"--since", "10:00:02"}, twoLines, 4, false},
    };
    for (const auto& c : cases) {
        host::TraceFilter filter;
        ASSERT_TRUE(host::ParseTraceFilter(c.options, filter));
        Lines shown;
        std::string error;
        ASSERT_TRUE(host::ShowTraceFile(
            path, filter, c.limit, [&shown](const std::string& line) { shown.push_back(line); },
            error))
            << error;
        ASSERT_EQ(shown.size(), c.shown + c.note) << ::testing::PrintToString(c.options);
        EXPECT_EQ(shown.front().starts_with("(the trace holds"), c.note);
        EXPECT_EQ(shown.back().substr(17, 2), "05");
    }
    std::string error;
    EXPECT_FALSE(host::ShowTraceFile(
        dir.Path(), {}, 100, [](const std::string&) {}, error));
    EXPECT_NE(error.find("not a directory"), std::string::npos) << error;
}

}  // namespace

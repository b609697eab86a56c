// `truvhost trace` as a person reads it: a row's tokens and a message's lines, lines cut short
// or glued together by a full disk, and a trace larger than the reader's limit.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
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
        Line("2026-12-08 10:00:02.000", "甲|乙", "box", {"-", "第一行\n  第二行"}) +
        Line("2026-12-08 10:00:03.000", "甲\x1b[2J|乙", "box",
             {"-",
              "a\x1b]0;x\x07"
              "b\x7f"});
    EXPECT_EQ(
        Shown(trace),
        (Lines{"[CORECAD|画结构平面图]  row: CORECAD | 画结构平面图 | RunExeFile | CORE | "
               "EXECMGR.exe 10 3",
               "[甲|乙]  message box E: 找不到文件。", "[甲|乙]  message box -: 第一行",
               std::string(25, ' ') + "  第二行", "[甲^[[2J|乙]  message box -: a^[]0;x^Gb^?"}));
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

// A "PATH" longer than the line the reader holds (POSIX allows one) is shown cut, with a mark
// that says how long its line is, however the reader is fed; never left out.
TEST(TraceView, ALongLineIsShownCutNeverLeftOut) {
    const std::size_t fits =
        host::kLongestTraceLine -
        (Line("2026-12-08 10:00:00.000", "甲|乙", "PATH", {"", "set"}).size() - 2);
    for (const std::size_t length : {fits, fits + 1, host::kLongestTraceLine * 3}) {
        const std::string path(length, 'p');
        const std::string trace = Line("2026-12-08 10:00:00.000", "甲|乙", "PATH", {path, "set"}) +
                                  Line("2026-12-08 10:00:01.000", "甲|乙", "row", {"none"});
        for (const std::size_t piece : {std::size_t{7}, trace.size()}) {
            Lines shown;
            host::TraceReader reader(
                {}, [&shown](const std::string& line) { shown.push_back(line.substr(25)); });
            for (std::size_t at = 0; at < trace.size(); at += piece) {
                reader.Feed(std::string_view(trace).substr(at, piece));
            }
            reader.Finish();
            ASSERT_EQ(shown.size(), 2u) << length << " in pieces of " << piece;
            EXPECT_EQ(shown[1], "[甲|乙]  row: none");
            const std::size_t lineLength = trace.find('\n') + 1 - 2;  // without CR LF
            const bool cut = lineLength > host::kLongestTraceLine;
            EXPECT_TRUE(shown[0].starts_with("[甲|乙]  PATH extended (")) << shown[0].substr(0, 60);
            EXPECT_EQ(shown[0].find("(set): ppp") != std::string::npos, !cut) << length;
            EXPECT_EQ(shown[0].ends_with(" [cut: the line holds " + std::to_string(lineLength) +
                                         " bytes, the first " +
                                         std::to_string(host::kLongestTraceLine) + " are shown]"),
                      cut)
                << shown[0].substr(shown[0].size() - 80);
        }
    }
}

// A --since time of a form the viewer reads, but no time there is, is refused.
TEST(TraceView, ImpossibleSinceTimesAreRefused) {
    const struct {
        const char* since;
        bool taken;
    } cases[] = {
        {"00:00", true},
        {"23:59:59", true},
        {"25:00", false},
        {"24:00", false},
        {"19:75", false},
        {"10:00:60", false},
        {"2026-12-08", true},
        {"2026-13-01", false},
        {"2026-00-10", false},
        {"2026-04-31", false},
        {"2026-02-29", false},
        {"2024-02-29 10:00", true},
        {"1900-02-29", false},
        {"2000-02-29", true},
        {"2026-12-08 24:00", false},
        {"2026-12-08 10:61", false},
        {"2026-12-00", false},
    };
    for (const auto& c : cases) {
        host::TraceFilter filter;
        EXPECT_EQ(host::ParseTraceFilter({"--since", c.since}, filter), c.taken) << c.since;
    }
}

}  // namespace

// A trace line's fields read back as they were written, whatever they hold.
#include "model/trace_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Folders and messages with carets, control characters, and a GBK character whose trail byte
// is 0x5E, the caret's byte.
TEST(TraceLine, EveryFieldRoundTrips) {
    const std::string fields[] = {
        "a^Jb",   "c^Id",           "e^",       "^",          "^^",
        "^~",     "\x1E",           "x^\n^\ty", "\x81\x5E^J", std::string("n\0l", 3),
        "\x7F^?", "第一行\n第二行",
    };
    for (const std::string& field : fields) {
        const std::string text =
            ComposeTraceLine({"2026-12-08 10:15:00.123", field, "box", {field, "-"}});
        EXPECT_EQ(text.find('\n'), text.size() - 1) << field;
        TraceLine back;
        ASSERT_TRUE(ParseTraceLine(text, back)) << text;
        EXPECT_EQ(UnescapeTraceField(back.key), field) << back.key;
        ASSERT_EQ(back.fields.size(), 2u) << text;
        EXPECT_EQ(UnescapeTraceField(back.fields[0]), field) << back.fields[0];
    }
}

}  // namespace

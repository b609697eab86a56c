// Pinyin initials of GBK text: both ends of the first level, a polyphonic character, the
// table of second-level characters, and what gives no initial.
#include "text/pinyin.h"

#include <gtest/gtest.h>

namespace {

struct InitialsCase {
    const char* text;
    const char* initials;
};

TEST(PinyinTest, InitialsFollowTheCodeRangesAndTheTable) {
    // clang-format off
    const InitialsCase cases[] = {
        {"建筑平面图",          "jzpmt"},
        {"啊芭擦搭蛾发噶哈",    "abcdefgh"},  // the first character of each range
        {"击喀垃妈拿哦啪期",    "jklmnopq"},
        {"然撒塌挖昔压匝座",    "rstwxyzz"},  // 座 ends the first level
        {"澳怖错堕贰咐过祸骏阔络", "abcdefghjkl"},  // the last character of each range
        {"穆诺沤瀑群弱所唾误迅孕", "mnopqrstwxy"},
        {"重力",                "zl"},        // a polyphonic character: GB2312's reading
        {"桁架 檩条 浏览 渲染 砼", "hjltllxrt"},
        {"PKPM-3D（新）",       "pkpm3dx"},   // letters, digits; punctuation gives nothing
        {"丌",                  "?"},         // second level, not in the table
        {"\x81\x61",            ""},          // GBK beyond GB2312: a trail byte 'a' is no letter
        {"",                    ""},
    };
    // clang-format on
    for (const InitialsCase& c : cases) {
        EXPECT_EQ(gbk::PinyinInitials(c.text), c.initials) << c.text;
    }
}

}  // namespace

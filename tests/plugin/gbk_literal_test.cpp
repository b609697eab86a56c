// Narrow literals are GBK bytes: a build without -fexec-charset=GBK fails here, loudly.
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GbkLiteral, ChineseLiteralsCompileToTheirGbkBytes) {
    EXPECT_EQ(std::string("建筑"), std::string("\xBD\xA8\xD6\xFE"));
    EXPECT_EQ(std::string("[设  备]"), std::string("[\xC9\xE8  \xB1\xB8]"));
    EXPECT_EQ(std::string("，"), std::string("\xA3\xAC"));  // full-width comma, two bytes
    EXPECT_EQ(std::string("menu.txt"), std::string("\x6D\x65\x6E\x75\x2E\x74\x78\x74"));
}

}  // namespace

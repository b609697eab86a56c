// GBK text as the system's wide characters and back, as the host's console and command line
// take it: the same answers from both backends.
#include <gtest/gtest.h>

#include <string>

#include "os/os.h"

namespace {

// Longer than the converters' buffers, in bytes and in wide characters.
#define TITLES "建筑平面图建筑平面图建筑平面图建筑平面图建筑平面图建筑平面图建筑平面图建筑平面图"
#define WIDE_TITLES \
    L"建筑平面图建筑平面图建筑平面图建筑平面图建筑平面图建筑平面图建筑平面图建筑平面图"

struct WideCase {
    const char* name;
    const char* gbk;
    const wchar_t* wide;
};

// clang-format off
constexpr WideCase kCases[] = {
    {"Empty",               "",                 L""},
    {"Ascii",               "menu.txt",         L"menu.txt"},
    {"Chinese",             "建筑平面图",       L"建筑平面图"},
    {"Mixed",               "a结b构c",          L"a结b构c"},
    {"TrailByteBackslash",  "\x81\x5C\\x",      L"\u4E57\\x"},
    {"FullWidthAndSymbols", "（１）－【注】",   L"（１）－【注】"},
    {"Long",                TITLES TITLES TITLES TITLES "x",
                            WIDE_TITLES WIDE_TITLES WIDE_TITLES WIDE_TITLES L"x"},
};
// clang-format on

class GbkWide : public testing::TestWithParam<WideCase> {};

TEST_P(GbkWide, ConvertsBothWays) {
    const WideCase& c = GetParam();
    EXPECT_EQ(os::GbkToWide(c.gbk), std::wstring(c.wide));
    EXPECT_EQ(os::WideToGbk(c.wide), std::string(c.gbk));
}

INSTANTIATE_TEST_SUITE_P(Texts, GbkWide, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<WideCase>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace

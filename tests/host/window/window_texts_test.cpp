// The window host's words: both languages say the same things with the same access keys, and
// the user's UI language or --lang chooses between them.
#include "host/window/window_texts.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string_view>

namespace {

using host::WindowLanguage;
using host::WindowTexts;

struct Text {
    const char* name;
    const char* WindowTexts::*member;
    bool menuOrLabel;  ///< has an access key
};

constexpr Text kTexts[] = {
    {"projectMenu", &WindowTexts::projectMenu, true},
    {"changeFolder", &WindowTexts::changeFolder, true},
    {"exit", &WindowTexts::exit, true},
    {"recentMenu", &WindowTexts::recentMenu, true},
    {"folderDialogTitle", &WindowTexts::folderDialogTitle, false},
    {"searchLabel", &WindowTexts::searchLabel, true},
    {"hint", &WindowTexts::hint, false},
    {"noneYet", &WindowTexts::noneYet, false},
    {"lastItem", &WindowTexts::lastItem, false},
    {"running", &WindowTexts::running, false},
    {"finished", &WindowTexts::finished, false},
    {"finishedAfterBox", &WindowTexts::finishedAfterBox, false},
    {"boxCount", &WindowTexts::boxCount, false},
    {"notStarted", &WindowTexts::notStarted, false},
    {"noThread", &WindowTexts::noThread, false},
    {"folderNotChanged", &WindowTexts::folderNotChanged, false},
    {"closeQuestion", &WindowTexts::closeQuestion, false},
    {"projectFolder", &WindowTexts::projectFolder, false},
    {"keyOf", &WindowTexts::keyOf, false},
    {"noMatch", &WindowTexts::noMatch, false},
};

std::size_t Slots(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = text.find("{}"); at != std::string_view::npos;
         at = text.find("{}", at + 2)) {
        ++count;
    }
    return count;
}

/// The access key: the character after the single '&', upper case; 0 when there is none.
char AccessKey(std::string_view text) {
    const std::size_t at = text.find('&');
    return at == std::string_view::npos || at + 1 == text.size()
               ? 0
               : static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + 1])));
}

TEST(WindowTexts, BothLanguagesHaveEveryTextWithItsSlotsAndAccessKey) {
    const WindowTexts& english = host::TextsOf(WindowLanguage::English);
    const WindowTexts& chinese = host::TextsOf(WindowLanguage::Chinese);
    for (const Text& text : kTexts) {
        const std::string_view en = english.*text.member;
        const std::string_view zh = chinese.*text.member;
        EXPECT_FALSE(zh.empty()) << text.name;
        EXPECT_NE(en, zh) << text.name;
        EXPECT_EQ(Slots(zh), Slots(en)) << text.name;
        EXPECT_EQ(AccessKey(zh), AccessKey(en)) << text.name;
        EXPECT_EQ(AccessKey(en) != 0, text.menuOrLabel) << text.name;
    }
}

TEST(WindowTexts, TheUsersUiLanguageChoosesChineseForEveryChineseOne) {
    struct Case {
        unsigned short languageId;
        WindowLanguage expected;
    };
    constexpr Case kCases[] = {
        {0x0804, WindowLanguage::Chinese},  // zh-CN
        {0x0404, WindowLanguage::Chinese},  // zh-TW
        {0x0C04, WindowLanguage::Chinese},  // zh-HK
        {0x1004, WindowLanguage::Chinese},  // zh-SG
        {0x1404, WindowLanguage::Chinese},  // zh-MO
        {0x7C04, WindowLanguage::Chinese},  // zh-Hant
        {0x0409, WindowLanguage::English},  // en-US
        {0x0809, WindowLanguage::English},  // en-GB
        {0x0411, WindowLanguage::English},  // ja-JP
        {0x0412, WindowLanguage::English},  // ko-KR
        {0x0000, WindowLanguage::English},  // neutral
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(host::LanguageOfUiLanguage(c.languageId), c.expected) << std::hex << c.languageId;
    }
}

TEST(WindowTexts, LangTakesEnOrZhOnly) {
    EXPECT_EQ(host::ParseLanguage("en"), WindowLanguage::English);
    EXPECT_EQ(host::ParseLanguage("zh"), WindowLanguage::Chinese);
    for (const char* word : {"", "EN", "zh-CN", "chinese", "e"}) {
        EXPECT_EQ(host::ParseLanguage(word), std::nullopt) << word;
    }
}

TEST(WindowTexts, FillPutsEachValueInItsSlotAndLeavesTheValuesAlone) {
    struct Case {
        const char* text;
        std::initializer_list<std::string> values;
        const char* expected;
    };
    const Case kCases[] = {
        {"a {} b {}", {"1", "2"}, "a 1 b 2"},
        {"{}{}", {"{}", "x"}, "{}x"},  // a value holding "{}" is not a slot
        {"a {}", {}, "a {}"},
        {"no slot", {"1"}, "no slot"},
    };
    for (const Case& c : kCases) EXPECT_EQ(host::Fill(c.text, c.values), c.expected) << c.text;
}

}  // namespace

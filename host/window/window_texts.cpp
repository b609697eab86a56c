// The window host's own words in English and in Chinese.
#include "host/window/window_texts.h"

namespace host {
namespace {

constexpr unsigned short kPrimaryLanguageMask = 0x3FF;
constexpr unsigned short kChinese = 0x04;  // the primary language of zh-CN, zh-TW, zh-HK, ...
constexpr std::string_view kSlot = "{}";

constexpr WindowTexts kEnglish = {
    .projectMenu = "&Project",
    .changeFolder = "&Change folder...",
    .exit = "E&xit",
    .recentMenu = "&Recent",
    .folderDialogTitle = "The project folder: the programs start there",
    .searchLabel = "&Find (Ctrl+F):",
    .hint =
        "Pick an item from the menu bar: the plug-in starts its programs in the project "
        "folder shown below.\n\nOr type a part of its title, its module or program, or the "
        "pinyin initials of its title (jzpmt for the floor plan): Enter or a double click "
        "runs the selected result, Escape returns to the menus; Tab moves between the "
        "search and its results.\n\nProject > Change folder... chooses another project "
        "folder.",
    .noneYet = "(none yet)",
    .lastItem = "last item: {}",
    .running = "running: {}  {}",
    .finished = "finished",
    .finishedAfterBox = "finished after a message: {}",
    .boxCount = " ({} messages)",
    .notStarted = "{} not started: one item at a time",
    .noThread = "{}: not started, no thread for it: error {}",
    .folderNotChanged = "project folder not changed: an item runs",
    .closeQuestion =
        "{} is still running.\n\nClose the window anyway? Its programs keep "
        "running and are not stopped; truvhost ends when the item has ended.",
    .projectFolder = "project folder: {}",
    .keyOf = "key: {}",
    .noMatch = "no item matches {}",
};

constexpr WindowTexts kChineseTexts = {
    .projectMenu = "项目(&P)",
    .changeFolder = "更改项目文件夹(&C)...",
    .exit = "退出(&X)",
    .recentMenu = "最近使用(&R)",
    .folderDialogTitle = "项目文件夹：程序在此文件夹中启动",
    .searchLabel = "查找(&F)（Ctrl+F）：",
    .hint =
        "从菜单栏选择一项：插件在下方显示的项目文件夹中启动它的程序。\n\n"
        "也可以输入标题、模块或程序名的一部分，或标题的拼音首字母（如 jzpmt 即建筑平面图）："
        "回车或双击运行选中的结果，Esc 返回菜单；Tab 在查找框和结果之间切换。\n\n"
        "项目 > 更改项目文件夹... 可选择另一个项目文件夹。",
    .noneYet = "（尚无）",
    .lastItem = "上次运行：{}",
    .running = "正在运行：{}  {}",
    .finished = "已结束",
    .finishedAfterBox = "已结束，并显示了消息：{}",
    .boxCount = "（共 {} 条消息）",
    .notStarted = "{} 未启动：一次只能运行一项",
    .noThread = "{}：未启动，无法为它创建线程：错误 {}",
    .folderNotChanged = "项目文件夹未更改：有一项正在运行",
    .closeQuestion =
        "{} 仍在运行。\n\n仍要关闭窗口吗？它的程序会继续运行，不会被停止；"
        "该项结束后 truvhost 才会退出。",
    .projectFolder = "项目文件夹：{}",
    .keyOf = "键：{}",
    .noMatch = "没有与 {} 匹配的项",
};

}  // namespace

const WindowTexts& TextsOf(WindowLanguage language) {
    return language == WindowLanguage::Chinese ? kChineseTexts : kEnglish;
}

WindowLanguage LanguageOfUiLanguage(unsigned short languageId) {
    return (languageId & kPrimaryLanguageMask) == kChinese ? WindowLanguage::Chinese
                                                           : WindowLanguage::English;
}

std::optional<WindowLanguage> ParseLanguage(const std::string& word) {
    if (word == "en") return WindowLanguage::English;
    if (word == "zh") return WindowLanguage::Chinese;
    return std::nullopt;
}

std::string Fill(const char* text, std::initializer_list<std::string> values) {
    std::string filled = text;
    std::size_t from = 0;
    for (const std::string& value : values) {
        const std::size_t slot = filled.find(kSlot, from);
        if (slot == std::string::npos) break;
        filled.replace(slot, kSlot.size(), value);
        from = slot + value.size();
    }
    return filled;
}

}  // namespace host

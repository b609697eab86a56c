// The window host's own words, one table per language: the project menu, the folder dialog,
// the search label and hint, the status texts, the close question and the recent menu.
// "{}" in a text stands for what Fill puts there, in order.
#ifndef TRUV_HOST_WINDOW_TEXTS_H
#define TRUV_HOST_WINDOW_TEXTS_H

#include <optional>
#include <string>

namespace host {

enum class WindowLanguage { English, Chinese };

struct WindowTexts {
    const char* projectMenu;
    const char* changeFolder;
    const char* exit;
    const char* recentMenu;
    const char* folderDialogTitle;
    const char* searchLabel;
    const char* hint;
    const char* noneYet;
    const char* lastItem;  ///< {} the item and its outcome
    const char* running;   ///< {} the item, {} its running time
    const char* finished;
    const char* finishedAfterBox;  ///< {} the last box's text
    const char* boxCount;          ///< {} how many boxes
    const char* notStarted;        ///< {} the item refused
    const char* noThread;          ///< {} the item, {} the error number
    const char* folderNotChanged;
    const char* closeQuestion;  ///< {} the running item
    const char* projectFolder;  ///< {} the folder
    const char* keyOf;          ///< {} an entry's key
    const char* noMatch;        ///< {} the search text
};

/// The texts of `language`, GBK.
const WindowTexts& TextsOf(WindowLanguage language);

/// The language for a Windows language identifier: Chinese for every Chinese one (zh-*),
/// English for all others.
WindowLanguage LanguageOfUiLanguage(unsigned short languageId);

/// "en" or "zh", as `--lang` takes them; nothing for any other word.
std::optional<WindowLanguage> ParseLanguage(const std::string& word);

/// `text` with each "{}" replaced by the next of `values`; a "{}" without a value stays.
std::string Fill(const char* text, std::initializer_list<std::string> values);

}  // namespace host

#endif  // TRUV_HOST_WINDOW_TEXTS_H

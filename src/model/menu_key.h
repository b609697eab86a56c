// The key by which the host names a menu item: the row's module title, '|', its item title.
// Whoever forms a key or looks one up goes through these two functions.
#ifndef TRUV_MODEL_MENU_KEY_H
#define TRUV_MODEL_MENU_KEY_H

#include <string>
#include <string_view>

inline constexpr char kKeySeparator = '|';

/// The key of the item titled `itemTitle` in the module titled `moduleTitle`.
inline std::string ComposeKey(std::string_view moduleTitle, std::string_view itemTitle) {
    std::string key(moduleTitle);
    key += kKeySeparator;
    key += itemTitle;
    return key;
}

/// True when `key` is ComposeKey(moduleTitle, itemTitle); nothing is composed.
inline bool IsKeyOf(std::string_view key, std::string_view moduleTitle,
                    std::string_view itemTitle) {
    return key.size() == moduleTitle.size() + 1 + itemTitle.size() &&
           key.starts_with(moduleTitle) && key[moduleTitle.size()] == kKeySeparator &&
           key.ends_with(itemTitle);
}

#endif  // TRUV_MODEL_MENU_KEY_H

// One menu row of the catalogue.
#include "model/menu_item.h"

#include "model/split_row.h"

MenuItem::MenuItem(int moduleNumber_, std::string caption_, std::string moduleKey_,
                   std::string rowText_)
    : moduleNumber(moduleNumber_),
      caption(std::move(caption_)),
      moduleKey(std::move(moduleKey_)),
      rowText(std::move(rowText_)) {}

MenuItem::~MenuItem() = default;

int MenuItem::GetParts(std::string& captionOut, std::string& moduleKeyOut,
                       std::vector<std::string>& tokens) const {
    if (rowText.empty()) return 0;
    captionOut = caption;
    moduleKeyOut = moduleKey;
    SplitRow(rowText.data(), rowText.size(), tokens);
    return 1;
}

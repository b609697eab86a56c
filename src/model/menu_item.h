// One menu row of the catalogue and the operations that carry it out.
#ifndef TRUV_MODEL_MENU_ITEM_H
#define TRUV_MODEL_MENU_ITEM_H

#include <string>
#include <vector>

class MenuItem {
public:
    MenuItem(int moduleNumber, std::string caption, std::string moduleKey, std::string rowText);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;
    virtual ~MenuItem();

    int ModuleNumber() const { return moduleNumber; }
    const std::string& Caption() const { return caption; }
    const std::string& ModuleKey() const { return moduleKey; }
    const std::string& RowText() const { return rowText; }

    /// 0 with the outputs untouched when the row is empty; otherwise copies caption and
    /// module key, splits the whole row into `tokens` and returns 1.
    int GetParts(std::string& captionOut, std::string& moduleKeyOut,
                 std::vector<std::string>& tokens) const;

private:
    int moduleNumber;
    std::string caption;
    std::string moduleKey;
    std::string rowText;
};

#endif  // TRUV_MODEL_MENU_ITEM_H

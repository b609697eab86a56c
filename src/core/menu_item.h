// One menu row of the catalogue and the operations that carry it out.
#ifndef TRUV_CORE_MENU_ITEM_H
#define TRUV_CORE_MENU_ITEM_H

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

    /// Carries the row out: a row of two tokens goes to the item flows (their result, 1 or 0);
    /// otherwise every whole triple runs through RunTriple, and the result is 1.
    int Execute() const;

    /// Trims all three texts, upper-cases verb and directory key, maps "CFG" to the
    /// launcher's root key and calls the matching run operation: 1, or -1 (with a message)
    /// for a verb that is none of the four.
    int RunTriple(std::string verb, std::string dirKey, std::string program) const;

private:
    int moduleNumber;
    std::string caption;
    std::string moduleKey;
    std::string rowText;
};

#endif  // TRUV_CORE_MENU_ITEM_H

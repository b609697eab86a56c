// The installation check: everything an item needs, before anyone picks it.
#ifndef TRUV_HOST_DOCTOR_H
#define TRUV_HOST_DOCTOR_H

#include <string>
#include <vector>

#include "host/checks/installation.h"
#include "host/items/item_plan.h"

namespace host {

/// One thing missing or wrong, with the keys of the items it breaks.
struct Problem {
    std::string text;
    std::vector<std::string> brokenKeys;
};

struct DoctorReport {
    std::vector<std::string> facts;  ///< what was found, for the reader
    std::vector<Problem> problems;   ///< in the order they were first met
    int itemsChecked = 0;
    int startsChecked = 0;
};

/// Checks `plans` (and the drawing-management key) against `installation`: the registry
/// value, "CFGPATH", every directory key, every program and help document (names compared
/// without regard to case), the help viewer and the "PATH" change.
DoctorReport Examine(const Installation& installation, const std::vector<ItemPlan>& plans);

/// The report as lines of text (GBK); a problem that breaks more than `keyLimit` items names
/// the first ones and the count.
std::vector<std::string> FormatReport(const DoctorReport& report, std::size_t keyLimit);

}  // namespace host

#endif  // TRUV_HOST_DOCTOR_H

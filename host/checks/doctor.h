// The installation check: everything an item needs, before anyone picks it.
#ifndef TRUV_HOST_CHECKS_DOCTOR_H
#define TRUV_HOST_CHECKS_DOCTOR_H

#include <string>
#include <vector>

#include "host/checks/installation.h"
#include "host/items/item_plan.h"
#include "host/platform/console_text.h"
#include "plugin/inspect.h"

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

/// How many keys of the items a problem breaks the doctor's report names.
inline constexpr std::size_t kKeysPerProblem = 12;

/// Adds to `report` the facts and problems of the menu file `menuFile` against the menu of
/// `catalog` and `bounds`; a problem when `menuFile` is empty (the host's folder is unknown).
void AddMenuCheck(const MenuCatalog& catalog, const GroupBounds& bounds,
                  const std::string& menuFile, DoctorReport& report);

/// `truvhost doctor`: the catalogue compiled into the host against the installation, with the
/// check of the menu file beside the host merged in, as one report on `console`. The exit
/// status: kExitProblem when it names a problem.
int DoctorCommand(const Console& console);

}  // namespace host

#endif  // TRUV_HOST_CHECKS_DOCTOR_H

// Turning a menu key into action: finding the row and carrying out its triples or its flow.
#ifndef TRUV_PLUGIN_DISPATCH_H
#define TRUV_PLUGIN_DISPATCH_H

#include <string>

#include "plugin/item_rows.h"

class MenuCatalog;
class MenuItem;

/// Carries out `key` with `item`, the item FindItem found for it (or nullptr): 1 for the
/// drawing-management key, Execute's result for a found row, -1 for an empty or unknown key.
int DispatchFound(const MenuItem* item, const std::string& key);

/// Finds the item of `key` in `catalog` and carries it out, as DispatchFound.
int Dispatch(const MenuCatalog& catalog, const std::string& key);

/// Carries a row out: a row of two tokens goes to the item flows (their result, 1 or 0);
/// otherwise every whole triple runs through RunTriple, and the result is 1.
int Execute(const MenuItem& item);

/// Trims all three texts, upper-cases verb and directory key, maps "CFG" to the launcher's
/// root key and calls the matching run operation: 1, or -1 (with a message) for a verb that
/// is none of the four.
int RunTriple(std::string verb, std::string dirKey, std::string program);

#endif  // TRUV_PLUGIN_DISPATCH_H

// Turning a menu key into action: finding the row and carrying out its triples or its flow.
#ifndef TRUV_PLUGIN_DISPATCH_H
#define TRUV_PLUGIN_DISPATCH_H

#include <cstddef>
#include <string>
#include <vector>

#include "launch/run_rules.h"

class MenuCatalog;
class MenuItem;

/// The key that starts drawing management without the catalogue.
extern const char* const kManagerKey;
extern const char* const kManagerDirKey;
extern const char* const kManagerProgram;
/// The run operation that starts it.
extern const RunOperation kManagerOperation;

/// A row of exactly this many tokens (module title, item title) has no command: the item
/// flows serve it.
inline constexpr std::size_t kTitleTokens = 2;

/// One command of a row, as RunTriple hands it to a run operation.
struct CommandTriple {
    std::string verb;     ///< trimmed, upper case
    std::string dirKey;   ///< trimmed, upper case, "CFG" replaced by the root key
    std::string program;  ///< trimmed
};

/// The number of whole command triples in a row's tokens (those after the two titles).
std::size_t TripleCount(const std::vector<std::string>& tokens);

/// The `index`-th command triple of a row's tokens, prepared as RunTriple prepares it.
CommandTriple TripleAt(const std::vector<std::string>& tokens, std::size_t index,
                       const std::string& rootKey);

/// The first item of `catalog` whose key (module title, '|', item title) is `key`; nullptr
/// when there is none.
const MenuItem* FindItem(const MenuCatalog& catalog, const std::string& key);

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

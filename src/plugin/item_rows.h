// A catalogue row's commands and the row of a key: what the dispatcher carries out and what
// the tools explain, read by the same rules.
#ifndef TRUV_PLUGIN_ITEM_ROWS_H
#define TRUV_PLUGIN_ITEM_ROWS_H

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
/// A command is three tokens: verb, directory key, program text.
inline constexpr std::size_t kTripleTokens = 3;

/// One command of a row, as RunTriple hands it to a run operation.
struct CommandTriple {
    std::string verb;     ///< trimmed, upper case
    std::string dirKey;   ///< trimmed, upper case, "CFG" replaced by the root key
    std::string program;  ///< trimmed
};

/// The three texts of a command as a run operation takes them: all trimmed, verb and
/// directory key upper-cased, the directory key "CFG" replaced by `rootKey`.
CommandTriple PrepareTriple(const std::string& verb, const std::string& dirKey,
                            const std::string& program, const std::string& rootKey);

/// The number of whole command triples in a row's tokens (those after the two titles).
std::size_t TripleCount(const std::vector<std::string>& tokens);

/// The `index`-th command triple of a row's tokens, prepared as RunTriple prepares it.
CommandTriple TripleAt(const std::vector<std::string>& tokens, std::size_t index,
                       const std::string& rootKey);

/// The first item of `catalog` whose key (module title, '|', item title) is `key`; nullptr
/// when there is none.
const MenuItem* FindItem(const MenuCatalog& catalog, const std::string& key);

#endif  // TRUV_PLUGIN_ITEM_ROWS_H

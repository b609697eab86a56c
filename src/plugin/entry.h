// The two functions the host calls.
#ifndef TRUV_PLUGIN_ENTRY_H
#define TRUV_PLUGIN_ENTRY_H

/// Builds the catalogue, writes "menu.txt" beside the host's executable unless it exists, and
/// returns the constant text "CFG".
const char* InitTruvApp();

/// Records the current directory as the project directory and carries out the item of `key`
/// (module title, '|', item title). A null key counts as the empty key.
void RunCommand(char* key);

#endif  // TRUV_PLUGIN_ENTRY_H

// The two functions the host calls.
#ifndef TRUV_PLUGIN_ENTRY_H
#define TRUV_PLUGIN_ENTRY_H

// The library's code is compiled with hidden visibility where the release link should drop
// what nothing calls (see cmake/Release.cmake); the two exports are the calls from outside.
/// Builds the catalogue, writes "menu.txt" beside the host's executable unless it exists, and
/// returns the constant text "CFG".
[[gnu::visibility("default")]] const char* InitTruvApp();

/// Records the current directory as the project directory and carries out the item of `key`
/// (module title, '|', item title). A null key counts as the empty key.
[[gnu::visibility("default")]] void RunCommand(char* key);

#endif  // TRUV_PLUGIN_ENTRY_H

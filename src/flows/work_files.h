// Tests and deletions of the work files that the suite's programs leave in the project
// directory (always the current directory).
#ifndef TRUV_FLOWS_WORK_FILES_H
#define TRUV_FLOWS_WORK_FILES_H

#include <string>

/// True when at least one entry, file or directory, matches the name or wildcard pattern.
bool WorkFilePresent(const std::string& pattern);

/// Deletes every file whose own name matches the pattern ('*', '?', without regard to case);
/// failures are ignored and nothing is reported.
void DeleteWorkFiles(const std::string& pattern);

#endif  // TRUV_FLOWS_WORK_FILES_H

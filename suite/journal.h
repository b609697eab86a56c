// The stand-in's journal: one record per start of a substitute suite program.
#ifndef TRUV_SUITE_JOURNAL_H
#define TRUV_SUITE_JOURNAL_H

#include <cstdint>
#include <string>
#include <vector>

namespace suite {

/// The journal's file name in the installation root, when no environment variable names one.
inline constexpr const char* kJournalName = "suite.journal";

/// What one start of the stand-in saw and did. Every text is raw bytes (GBK or ASCII).
struct JournalRecord {
    std::string program;                // its own full path, as the system reports it
    std::string commandLine;            // Windows: GetCommandLineA; POSIX: argv joined by blanks
    std::vector<std::string> args;      // argv, argv[0] included
    std::string currentDir;             // its current directory at start
    std::vector<std::string> pathHead;  // the first two elements of "PATH" (fewer if it has fewer)
    std::vector<std::string> actions;   // what the scenario made it do, in order (see README)
    std::uint32_t exitCode = 0;         // the code it ended with

    bool operator==(const JournalRecord&) const = default;
};

/// The record as the journal holds it: lines "name LEN:bytes" (LEN = byte count of the
/// value, which may hold any byte, LF included), closed by the line "end".
std::string FormatRecord(const JournalRecord& record);

/// Parses a whole journal into `records`. On a malformed or truncated journal: false,
/// `error` says where, and `records` holds the records before the fault.
bool ParseJournal(const std::string& bytes, std::vector<JournalRecord>& records,
                  std::string& error);

/// The first two elements of a "PATH" value split at `separator` (empty elements kept);
/// none for an empty value.
std::vector<std::string> PathHead(const std::string& pathValue, char separator);

}  // namespace suite

#endif  // TRUV_SUITE_JOURNAL_H

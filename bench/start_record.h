// How the trivial program was started, as it notes it for the benchmark: its own path, its
// command line and its arguments, so that the benchmark can repeat exactly that start.
#ifndef TRUV_BENCH_START_RECORD_H
#define TRUV_BENCH_START_RECORD_H

#include <string>
#include <vector>

namespace bench {

/// When set, the trivial program appends its start record to the file this names.
inline constexpr const char* kStartLogVariable = "TRUV_BENCH_START_LOG";

struct StartRecord {
    std::string program;                 ///< its own full path
    std::string commandLine;             ///< Windows: GetCommandLineA; POSIX: argv joined
    std::vector<std::string> arguments;  ///< argv, argv[0] included
};

/// One record: fields separated by 0x1F, the record closed by 0x1E (paths may hold blanks).
std::string FormatStart(const StartRecord& record);

/// Every record of a log; a damaged last record is dropped.
std::vector<StartRecord> ParseStarts(const std::string& log);

}  // namespace bench

#endif  // TRUV_BENCH_START_RECORD_H

// The baselines, made with the system's own calls and nothing else, and the heap probe.
#ifndef TRUV_BENCH_BARE_H
#define TRUV_BENCH_BARE_H

#include <cstddef>
#include <cstdio>
#include <string>

#include "bench/start_record.h"

namespace bench {

/// Starts the program exactly as the record says and waits for it: posix_spawn and waitpid,
/// or CreateProcessA (no environment or directory given: this process's) and
/// WaitForSingleObject, GetExitCodeProcess, CloseHandle. The program's exit code, or -1 when
/// it could not be started.
long BareStart(const StartRecord& record);

/// Creates (or truncates) the file and writes `bytes` with one write call; false on failure.
bool WriteInOnePiece(const std::string& path, const std::string& bytes);

/// Writes `bytes` as `path` atomically and durably, by hand: the exclusive create of a
/// temporary beside it, one write, a flush, the rename onto `path` and a flush of the folder
/// (Windows: FlushFileBuffers, then MoveFileExA with MOVEFILE_REPLACE_EXISTING and
/// MOVEFILE_WRITE_THROUGH, which flushes the move). False on failure.
bool WriteDurably(const std::string& path, const std::string& bytes);

/// `command` run by the system's shell, its standard output to be read from the pipe (popen,
/// _popen); null when it cannot be run.
std::FILE* OpenCommandPipe(const std::string& command);
/// Closes the pipe and waits for the command: its status, 0 for a success.
int CloseCommandPipe(std::FILE* pipe);

/// Makes `dir` this process's current directory; false on failure.
bool ChangeDirectory(const std::string& dir);

/// The heap blocks in use and their bytes. POSIX: counted by this program's operator new and
/// delete, which the loaded library's calls reach too (the program exports them); Windows:
/// the C runtime's heap walked with _heapwalk, which the library's allocations go to.
struct HeapUse {
    long blocks = 0;
    long long bytes = 0;
};
HeapUse HeapInUse();

/// How the heap is measured, for the report.
const char* HeapMethod();

}  // namespace bench

#endif  // TRUV_BENCH_BARE_H

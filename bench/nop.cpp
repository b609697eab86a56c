// truv-bench-nop: the trivial program whose starts the benchmarks time. It does nothing and
// ends with 0, unless TRUV_BENCH_START_LOG names a file: then it first appends how it was
// started, so that the benchmark can learn what the plug-in starts and repeat it bare.
#include "bench/start_record.h"
#include "suite/system.h"

int main(int argc, char** argv) {
    const std::optional<std::string> log = suite::sys::GetEnv(bench::kStartLogVariable);
    if (!log || log->empty()) return 0;
    bench::StartRecord record{suite::sys::OwnExecutablePath(),
                              suite::sys::RawCommandLine(argc, argv),
                              {argv, argv + argc}};
    return suite::sys::AppendToFile(*log, bench::FormatStart(record)) ? 0 : 1;
}

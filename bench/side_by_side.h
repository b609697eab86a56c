// Two operations timed side by side in one run: alternating, so that whatever else the machine
// does falls on both alike, and summed up by medians.
#ifndef TRUV_BENCH_SIDE_BY_SIDE_H
#define TRUV_BENCH_SIDE_BY_SIDE_H

#include <functional>

namespace bench {

/// One timed run of an operation: it prepares what it needs untimed and returns the seconds
/// of the part that counts.
using TimedRun = std::function<double()>;

struct Comparison {
    int rounds = 0;
    double subject = 0;    ///< median seconds of the subject
    double baseline = 0;   ///< median seconds of the baseline
    double ratio = 0;      ///< subject / baseline, of the medians
    double ratioLow = 0;   ///< first quartile of the rounds' own ratios
    double ratioHigh = 0;  ///< third quartile of the rounds' own ratios
};

/// Runs both `warmUp` times untimed, then `rounds` rounds of one run each, the subject first
/// in even rounds and the baseline first in odd ones.
Comparison SideBySide(int rounds, int warmUp, const TimedRun& subject, const TimedRun& baseline);

/// The median seconds of `rounds` runs of `run`, after `warmUp` untimed ones.
double MedianOf(int rounds, int warmUp, const TimedRun& run);

/// The seconds `work` takes, on the steady clock.
double Seconds(const std::function<void()>& work);

}  // namespace bench

#endif  // TRUV_BENCH_SIDE_BY_SIDE_H

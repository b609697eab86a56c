// Alternating side-by-side timing with medians.
#include "bench/side_by_side.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {
namespace {

/// The value at fraction `q` of the sorted values (nearest rank).
double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

}  // namespace

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double MedianOf(int rounds, int warmUp, const TimedRun& run) {
    for (int i = 0; i < warmUp; ++i) run();
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) times.push_back(run());
    return Quantile(times, 0.5);
}

Comparison SideBySide(int rounds, int warmUp, const TimedRun& subject, const TimedRun& baseline) {
    for (int i = 0; i < warmUp; ++i) {
        subject();
        baseline();
    }
    std::vector<double> subjects;
    std::vector<double> baselines;
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        double a = 0;
        double b = 0;
        if (round % 2 == 0) {
            a = subject();
            b = baseline();
        } else {
            b = baseline();
            a = subject();
        }
        subjects.push_back(a);
        baselines.push_back(b);
        ratios.push_back(b > 0 ? a / b : 0);
    }
    Comparison result;
    result.rounds = rounds;
    result.subject = Quantile(subjects, 0.5);
    result.baseline = Quantile(baselines, 0.5);
    result.ratio = result.baseline > 0 ? result.subject / result.baseline : 0;
    result.ratioLow = Quantile(ratios, 0.25);
    result.ratioHigh = Quantile(ratios, 0.75);
    return result;
}

}  // namespace bench

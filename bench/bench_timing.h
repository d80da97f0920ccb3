// The benchmarks' clock and the two figures they print from it: milliseconds
// since a moment, and the median of several runs.
#pragma once
#include <algorithm>
#include <chrono>
#include <vector>

namespace tw_bench {

using bench_clock = std::chrono::steady_clock;

inline double ms_since(bench_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(bench_clock::now() - t0).count();
}

// The middle value (the upper one of an even count); v must not be empty.
inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace tw_bench

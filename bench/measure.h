#pragma once
// A small timer for the comparison benchmarks: the best of several runs, so
// that one slow run on a busy machine does not decide the ratio.

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace bench {

// Keeps a result alive so that the optimiser cannot drop the work.
template <class T>
void Keep(const T& value) {
    asm volatile("" : : "g"(&value) : "memory");
}


template <class Work>
double BestSeconds(Work&& work, int runs = 5) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

// The same, for work that gives a result: the result is released outside the
// timed part, so that both sides of a comparison pay only for producing it.
template <class Work>
double BestSecondsKeeping(Work&& work, int runs = 5) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        auto result = work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        Keep(result);
    }
    return best;
}

inline void Report(const char* what, double bytes, double seconds) {
    std::printf("%-44s %10.1f MB/s  (%.4f s)\n", what, bytes / seconds / 1e6, seconds);
}

}  // namespace bench

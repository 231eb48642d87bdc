#pragma once
// Rounds of work timed one by one; the median stands for the run, the best for the machine at
// its quietest.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

struct Timings {
    std::vector<double> ms;

    void Add(double roundMs) { ms.push_back(roundMs); }
    double Median() const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[sorted.size() / 2];
    }
    double Best() const { return ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()); }
};

template <typename Work>
double TimeOnce(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Two pieces of work timed in alternate rounds, so that both meet the same machine.
template <typename First, typename Second>
void TimeSideBySide(int rounds, Timings& first, Timings& second, First&& a, Second&& b) {
    for (int round = 0; round < rounds; ++round) {
        first.Add(TimeOnce(a));
        second.Add(TimeOnce(b));
    }
}

inline void PrintRatio(const char* what, const Timings& ours, const Timings& bare, double goal) {
    const double ratio = ours.Median() / bare.Median();
    std::printf("%s: median %.3f ms against %.3f ms bare, ratio %.3f (goal <= %.2f, %s)\n", what,
                ours.Median(), bare.Median(), ratio, goal, ratio <= goal ? "met" : "missed");
    std::printf("  best %.3f ms against %.3f ms bare, ratio %.3f\n", ours.Best(), bare.Best(),
                ours.Best() / bare.Best());
}

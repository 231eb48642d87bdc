// Times a full sweep: its own cost per process against a list that costs nothing to serve,
// then the real thing over the processes of the running system.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "fakes/CountingProcesses.h"
#include "maintenance/ProcessSweeps.h"
#include "platform/Processes.h"

namespace {

using Clock = std::chrono::steady_clock;

// Serves `count` processes with ids 0, 4, 8... and does nothing else.
class IdleProcesses final : public platform::Processes {
public:
    explicit IdleProcesses(DWORD count) : count_(count) {}

    HANDLE CreateSnapshot(DWORD, DWORD) override { return reinterpret_cast<HANDLE>(uintptr_t{1}); }
    bool First(HANDLE, platform::ProcessRecord& record) override {
        cursor_ = 0;
        return Serve(record);
    }
    bool Next(HANDLE, platform::ProcessRecord& record) override { return Serve(record); }
    HANDLE Open(DWORD, bool, DWORD processId) override {
        return reinterpret_cast<HANDLE>(uintptr_t{processId});
    }
    bool EmptyWorkingSet(HANDLE) override { return true; }
    bool Close(HANDLE) override { return true; }

private:
    bool Serve(platform::ProcessRecord& record) {
        if (cursor_ == count_) {
            return false;
        }
        record.th32ProcessID = 4 * cursor_++;
        return true;
    }

    DWORD count_;
    DWORD cursor_ = 0;
};

struct Timings {
    double medianMs;
    double bestMs;
};

template <typename Sweep>
Timings Time(int rounds, Sweep sweep) {
    std::vector<double> ms;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        sweep();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

void Report(const char* what, size_t processes, int rounds, const Timings& timings) {
    std::printf("%s: %zu processes, %d rounds\n", what, processes, rounds);
    std::printf("  median %.3f ms total, %.1f ns per process\n", timings.medianMs,
                timings.medianMs * 1e6 / processes);
    std::printf("  best   %.3f ms total, %.1f ns per process\n", timings.bestMs,
                timings.bestMs * 1e6 / processes);
}

}  // namespace

int main() {
    constexpr DWORD kFakeProcesses = 10000;
    constexpr int kFakeRounds = 200;
    IdleProcesses idle(kFakeProcesses);
    Time(10, [&] { maintenance::SweepAll(idle); });
    Report("full sweep, list served for nothing", kFakeProcesses, kFakeRounds,
           Time(kFakeRounds, [&] { maintenance::SweepAll(idle); }));

    platform::Processes& real = platform::Win32Processes();
    CountingProcesses counting(real);
    const auto firstStart = Clock::now();
    maintenance::SweepAll(counting);
    const double firstMs =
        std::chrono::duration<double, std::milli>(Clock::now() - firstStart).count();
    const size_t listed = counting.VisitedRecords().size();
    if (listed == 0) {
        std::printf("real full sweep: no process listed\n");
        return 1;
    }
    constexpr int kRealRounds = 30;
    std::printf("real full sweep, first one (PSAPI.dll loaded): %.3f ms\n", firstMs);
    Report("real full sweep", listed, kRealRounds,
           Time(kRealRounds, [&] { maintenance::SweepAll(real); }));
    return 0;
}

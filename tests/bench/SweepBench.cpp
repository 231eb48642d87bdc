// A full sweep against the bare Win32 calls it makes: a snapshot, then for every process but
// the idle and system ones an open, an empty and a close.

#include "bench/Benches.h"
#include "bench/Timing.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>

#include "fakes/CountingProcesses.h"
#include "maintenance/ProcessSweeps.h"
#include "platform/Processes.h"

namespace {

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

using EmptyWorkingSetFn = BOOL(WINAPI*)(HANDLE);

// The same calls as a full sweep, written straight down.
void BareSweep(EmptyWorkingSetFn emptyWorkingSet) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return;
    }
    PROCESSENTRY32 record{};
    record.dwSize = sizeof record;
    for (BOOL more = Process32First(snapshot, &record); more;
         more = Process32Next(snapshot, &record)) {
        if (record.th32ProcessID == 0 || record.th32ProcessID == 4) {
            continue;
        }
        HANDLE process = OpenProcess(maintenance::kTrimAccess, FALSE, record.th32ProcessID);
        emptyWorkingSet(process);
        if (process != nullptr) {
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
}

}  // namespace

bool BenchSweeps() {
    constexpr DWORD kFakeProcesses = 10000;
    constexpr int kFakeRounds = 200;
    IdleProcesses idle(kFakeProcesses);
    Timings walk;
    for (int round = 0; round < kFakeRounds; ++round) {
        walk.Add(TimeOnce([&] { maintenance::SweepAll(idle); }));
    }
    std::printf("full sweep over a list served for nothing: %.1f ns per process (median)\n",
                walk.Median() * 1e6 / kFakeProcesses);

    platform::Processes& real = platform::Win32Processes();
    CountingProcesses counting(real);
    const double firstMs = TimeOnce([&] { maintenance::SweepAll(counting); });
    const size_t listed = counting.VisitedRecords().size();
    if (listed == 0) {
        std::printf("real full sweep: no process listed\n");
        return false;
    }
    std::printf("real full sweep, first one (PSAPI.dll loaded): %.3f ms, %zu processes\n", firstMs,
                listed);

    auto emptyWorkingSet = reinterpret_cast<EmptyWorkingSetFn>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("PSAPI.dll"), "EmptyWorkingSet")));
    if (emptyWorkingSet == nullptr) {
        std::printf("bare loop: no EmptyWorkingSet\n");
        return false;
    }
    constexpr int kRealRounds = 60;
    Timings sweeps;
    Timings bare;
    TimeSideBySide(
        kRealRounds, sweeps, bare, [&] { maintenance::SweepAll(real); },
        [&] { BareSweep(emptyWorkingSet); });
    PrintRatio("real full sweep against the bare calls", sweeps, bare, 1.05);
    return true;
}

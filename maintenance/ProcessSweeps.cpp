#include "maintenance/ProcessSweeps.h"

#include <cstring>
#include <string_view>

namespace maintenance {
namespace {

using platform::Processes;
using platform::ProcessRecord;

constexpr DWORD kSnapshotProcesses = 2;

// Closes the snapshot on every way out of a walk, a throwing filter or facet included.
class SnapshotCloser {
public:
    SnapshotCloser(Processes& processes, HANDLE snapshot)
        : processes_(processes), snapshot_(snapshot) {}
    ~SnapshotCloser() { processes_.Close(snapshot_); }
    SnapshotCloser(const SnapshotCloser&) = delete;
    SnapshotCloser& operator=(const SnapshotCloser&) = delete;

private:
    Processes& processes_;
    HANDLE snapshot_;
};

// The answers are not looked at: a process that refuses is simply passed by. The handle is
// closed even when the open failed.
void Trim(Processes& processes, DWORD processId) {
    HANDLE process = processes.Open(kTrimAccess, false, processId);
    processes.EmptyWorkingSet(process);
    processes.Close(process);
}

template <typename Visit>
void Walk(Processes& processes, Visit visit) {
    HANDLE snapshot = processes.CreateSnapshot(kSnapshotProcesses, 0);
    if (snapshot == nullptr) {
        return;
    }
    SnapshotCloser closer(processes, snapshot);
    ProcessRecord record{};
    record.dwSize = sizeof record;
    if (!processes.First(snapshot, record)) {
        return;
    }
    do {
        visit(record);
    } while (processes.Next(snapshot, record));
}

void TrimIfNamed(Processes& processes, const ProcessRecord& record, std::string_view name) {
    if (ExeName(record) == name && !IsNeverTrimmed(record.th32ProcessID)) {
        Trim(processes, record.th32ProcessID);
    }
}

}  // namespace

// Written out by hand: the sweep asks this of every process, and a formatted print would be
// most of a sweep's own cost.
bool IsNeverTrimmed(DWORD processId) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    char digits[8];
    for (int position = 7; position >= 0; --position) {
        digits[position] = kHexDigits[processId & 0xF];
        processId >>= 4;
    }
    const std::string_view id(digits, sizeof digits);
    return id == "00000000" || id == "00000004";
}

std::string_view ExeName(const ProcessRecord& record) {
    const char* name = record.szExeFile;
    const char* fieldEnd = name + sizeof record.szExeFile;
    const auto* nul = static_cast<const char*>(std::memchr(name, '\0', sizeof record.szExeFile));
    return std::string_view(name, nul ? nul : fieldEnd);
}

void SweepAll(Processes& processes) {
    Walk(processes, [&](const ProcessRecord& record) {
        if (!IsNeverTrimmed(record.th32ProcessID)) {
            Trim(processes, record.th32ProcessID);
        }
    });
}

void SweepBrowsers(Processes& processes, const BrowserBoxes& boxes) {
    Walk(processes, [&](const ProcessRecord& record) {
        if (boxes.chrome()) {
            TrimIfNamed(processes, record, "chrome.exe");
        }
        if (boxes.internetExplorer()) {
            TrimIfNamed(processes, record, "iexplore.exe");
        }
        if (boxes.firefox()) {
            TrimIfNamed(processes, record, "firefox.exe");
        }
    });
}

void TrimSelf(Processes& processes) {
    Walk(processes,
         [&](const ProcessRecord& record) { TrimIfNamed(processes, record, "Velmora.exe"); });
}

}  // namespace maintenance

#include "maintenance/ProcessSweeps.h"

#include <cstring>
#include <string_view>

namespace maintenance {
namespace {

using platform::Processes;
using platform::ProcessRecord;

constexpr DWORD kSnapshotProcesses = 2;

// A snapshot or process handle that the facet gave out, closed through the facet on every way
// out, a throwing filter or facet included. A null handle was never opened and is not closed.
class FacetHandle {
public:
    FacetHandle(Processes& processes, HANDLE handle) : processes_(processes), handle_(handle) {}
    ~FacetHandle() {
        if (handle_ != nullptr) {
            processes_.Close(handle_);
        }
    }
    FacetHandle(const FacetHandle&) = delete;
    FacetHandle& operator=(const FacetHandle&) = delete;

    HANDLE get() const { return handle_; }

private:
    Processes& processes_;
    HANDLE handle_;
};

// The answers are not looked at: a process that refuses is simply passed by, and the trim is
// asked even when the open failed.
void Trim(Processes& processes, DWORD processId) {
    FacetHandle process(processes, processes.Open(kTrimAccess, false, processId));
    processes.EmptyWorkingSet(process.get());
}

template <typename Visit>
void Walk(Processes& processes, Visit visit) {
    FacetHandle snapshot(processes, processes.CreateSnapshot(kSnapshotProcesses, 0));
    if (snapshot.get() == nullptr) {
        return;
    }
    ProcessRecord record{};
    record.dwSize = sizeof record;
    if (!processes.First(snapshot.get(), record)) {
        return;
    }
    do {
        visit(record);
    } while (processes.Next(snapshot.get(), record));
}

void TrimIfNamed(Processes& processes, const ProcessRecord& record, std::string_view name) {
    if (ExeName(record) == name && !IsNeverTrimmed(record.th32ProcessID)) {
        Trim(processes, record.th32ProcessID);
    }
}

}  // namespace

bool IsNeverTrimmed(DWORD processId) {
    return processId == 0 || processId == 4;
}

std::string_view ExeName(const ProcessRecord& record) {
    const char* name = record.szExeFile;
    const char* fieldEnd = name + sizeof record.szExeFile;
    const auto* nul = static_cast<const char*>(std::memchr(name, '\0', sizeof record.szExeFile));
    return {name, nul ? nul : fieldEnd};
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

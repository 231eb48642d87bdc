#pragma once
// A process list served through snapshots, with every call and its arguments written down in
// the order it came.

#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Processes.h"

struct ProcessCall {
    std::string function;
    std::vector<uintptr_t> arguments;  // handles as their values, bools as 0 or 1
    bool operator==(const ProcessCall&) const = default;
};
void PrintTo(const ProcessCall& call, std::ostream* out);

class FakeProcesses final : public platform::Processes {
public:
    struct Entry {
        DWORD id;
        std::string exeName;
    };

    explicit FakeProcesses(std::vector<Entry> entries);
    void SetEntries(std::vector<Entry> entries) { entries_ = std::move(entries); }

    static HANDLE SnapshotHandle() { return reinterpret_cast<HANDLE>(uintptr_t{0x5A5A}); }
    static HANDLE HandleOf(DWORD processId) {
        return reinterpret_cast<HANDLE>(uintptr_t{0x1000} + processId);
    }

    // Open answers null for this process, as for a process of another user.
    void DenyAccessTo(DWORD processId) { denied_.insert(processId); }
    void ThrowOnOpen(DWORD processId) { throwing_.insert(processId); }
    // EmptyWorkingSet throws for this process's handle, once it has been opened.
    void ThrowOnTrim(DWORD processId) { throwingTrims_.insert(HandleOf(processId)); }
    void FailSnapshots() { snapshotsFail_ = true; }

    const std::vector<ProcessCall>& Calls() const { return calls_; }
    // The ids given to Open, in order.
    std::vector<DWORD> OpenedIds() const;

    HANDLE CreateSnapshot(DWORD flags, DWORD processId) override;
    bool First(HANDLE snapshot, platform::ProcessRecord& record) override;
    bool Next(HANDLE snapshot, platform::ProcessRecord& record) override;
    HANDLE Open(DWORD access, bool inheritHandle, DWORD processId) override;
    bool EmptyWorkingSet(HANDLE process) override;
    bool Close(HANDLE handle) override;

private:
    bool Serve(platform::ProcessRecord& record);

    std::vector<Entry> entries_;
    size_t cursor_ = 0;
    std::set<DWORD> denied_;
    std::set<DWORD> throwing_;
    std::set<HANDLE> throwingTrims_;
    bool snapshotsFail_ = false;
    std::vector<ProcessCall> calls_;
};

#include "fakes/FakeProcesses.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

uintptr_t Value(HANDLE handle) {
    return reinterpret_cast<uintptr_t>(handle);
}

}  // namespace

void PrintTo(const ProcessCall& call, std::ostream* out) {
    *out << call.function << "(" << std::hex << std::showbase;
    for (size_t i = 0; i < call.arguments.size(); ++i) {
        *out << (i ? ", " : "") << call.arguments[i];
    }
    *out << std::dec << std::noshowbase << ")";
}

FakeProcesses::FakeProcesses(std::vector<Entry> entries) : entries_(std::move(entries)) {}

std::vector<DWORD> FakeProcesses::OpenedIds() const {
    std::vector<DWORD> ids;
    for (const ProcessCall& call : calls_) {
        if (call.function == "Open") {
            ids.push_back(static_cast<DWORD>(call.arguments[2]));
        }
    }
    return ids;
}

HANDLE FakeProcesses::CreateSnapshot(DWORD flags, DWORD processId) {
    calls_.push_back({"CreateSnapshot", {flags, processId}});
    return snapshotsFail_ ? nullptr : SnapshotHandle();
}

bool FakeProcesses::First(HANDLE snapshot, platform::ProcessRecord& record) {
    calls_.push_back({"First", {Value(snapshot), record.dwSize}});
    cursor_ = 0;
    return Serve(record);
}

bool FakeProcesses::Next(HANDLE snapshot, platform::ProcessRecord& record) {
    calls_.push_back({"Next", {Value(snapshot), record.dwSize}});
    return Serve(record);
}

// As the system does, a record whose size is not set is refused, and only the fields are
// written, never the size.
bool FakeProcesses::Serve(platform::ProcessRecord& record) {
    if (record.dwSize != sizeof record || cursor_ >= entries_.size()) {
        return false;
    }
    const Entry& entry = entries_[cursor_++];
    record.th32ProcessID = entry.id;
    std::memset(record.szExeFile, 0, sizeof record.szExeFile);
    std::memcpy(record.szExeFile, entry.exeName.data(),
                std::min(entry.exeName.size(), sizeof record.szExeFile));
    return true;
}

HANDLE FakeProcesses::Open(DWORD access, bool inheritHandle, DWORD processId) {
    calls_.push_back({"Open", {access, inheritHandle ? 1u : 0u, processId}});
    if (throwing_.contains(processId)) {
        throw std::runtime_error("Open failed");
    }
    return denied_.contains(processId) ? nullptr : HandleOf(processId);
}

bool FakeProcesses::EmptyWorkingSet(HANDLE process) {
    calls_.push_back({"EmptyWorkingSet", {Value(process)}});
    if (throwingTrims_.contains(process)) {
        throw std::runtime_error("EmptyWorkingSet failed");
    }
    return process != nullptr;
}

bool FakeProcesses::Close(HANDLE handle) {
    calls_.push_back({"Close", {Value(handle)}});
    return handle != nullptr;
}

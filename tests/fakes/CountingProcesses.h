#pragma once
// Passes every call on to another processes facet and writes down what went through it.

#include <string>
#include <vector>

#include "maintenance/ProcessSweeps.h"
#include "platform/Processes.h"

class CountingProcesses final : public platform::Processes {
public:
    struct Visited {
        DWORD id;
        std::string exeName;
    };

    explicit CountingProcesses(platform::Processes& inner) : inner_(inner) {}

    const std::vector<HANDLE>& Snapshots() const { return snapshots_; }
    const std::vector<Visited>& VisitedRecords() const { return visited_; }
    const std::vector<DWORD>& OpenedIds() const { return openedIds_; }
    const std::vector<HANDLE>& OpenedHandles() const { return openedHandles_; }
    const std::vector<HANDLE>& Emptied() const { return emptied_; }
    const std::vector<HANDLE>& Closed() const { return closed_; }

    HANDLE CreateSnapshot(DWORD flags, DWORD processId) override {
        HANDLE snapshot = inner_.CreateSnapshot(flags, processId);
        snapshots_.push_back(snapshot);
        return snapshot;
    }
    bool First(HANDLE snapshot, platform::ProcessRecord& record) override {
        return Visit(inner_.First(snapshot, record), record);
    }
    bool Next(HANDLE snapshot, platform::ProcessRecord& record) override {
        return Visit(inner_.Next(snapshot, record), record);
    }
    HANDLE Open(DWORD access, bool inheritHandle, DWORD processId) override {
        HANDLE process = inner_.Open(access, inheritHandle, processId);
        openedIds_.push_back(processId);
        openedHandles_.push_back(process);
        return process;
    }
    bool EmptyWorkingSet(HANDLE process) override {
        emptied_.push_back(process);
        return inner_.EmptyWorkingSet(process);
    }
    bool Close(HANDLE handle) override {
        closed_.push_back(handle);
        return inner_.Close(handle);
    }

private:
    bool Visit(bool served, const platform::ProcessRecord& record) {
        if (served) {
            visited_.push_back({record.th32ProcessID, std::string(maintenance::ExeName(record))});
        }
        return served;
    }

    platform::Processes& inner_;
    std::vector<HANDLE> snapshots_;
    std::vector<Visited> visited_;
    std::vector<DWORD> openedIds_;
    std::vector<HANDLE> openedHandles_;
    std::vector<HANDLE> emptied_;
    std::vector<HANDLE> closed_;
};

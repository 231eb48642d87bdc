// The sweeps over the real process list of the Wine session, through the real facet.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "fakes/CountingProcesses.h"
#include "maintenance/ProcessSweeps.h"
#include "platform/Processes.h"

namespace {

bool Contains(const std::vector<DWORD>& ids, DWORD id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

std::vector<HANDLE> NonNull(std::vector<HANDLE> handles) {
    std::erase(handles, nullptr);
    return handles;
}

bool IsOpen(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

std::wstring OwnExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// A copy of this test program under the program's own name, started suspended so that none of
// its code runs; ended and deleted with the object.
class SuspendedNamesake {
public:
    SuspendedNamesake() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ =
            std::wstring(temp) + L"velmora-namesake-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = folder_ + L"\\Velmora.exe";
        if (!CopyFileW(OwnExecutablePath().c_str(), path_.c_str(), FALSE)) {
            return;
        }
        std::wstring commandLine = L"\"" + path_ + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                           CREATE_SUSPENDED, nullptr, folder_.c_str(), &startup, &process_)) {
            started_ = true;
        }
    }
    ~SuspendedNamesake() {
        if (started_) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 10000);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    SuspendedNamesake(const SuspendedNamesake&) = delete;
    SuspendedNamesake& operator=(const SuspendedNamesake&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return process_.dwProcessId; }

private:
    std::wstring folder_;
    std::wstring path_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

}  // namespace

TEST(RealFullSweep, TrimsEveryListedProcessWithOneHandleEachAndLeavesThisOneWorking) {
    std::vector<unsigned> ballast(8 << 20);
    std::iota(ballast.begin(), ballast.end(), 7u);
    CountingProcesses counting(platform::Win32Processes());

    maintenance::SweepAll(counting);

    ASSERT_EQ(counting.Snapshots().size(), 1u);
    const HANDLE snapshot = counting.Snapshots().front();
    ASSERT_NE(snapshot, nullptr);
    ASSERT_GE(counting.VisitedRecords().size(), 3u) << "Wine lists a handful of processes";

    std::vector<DWORD> listedButIdleAndSystem;
    for (const auto& visited : counting.VisitedRecords()) {
        if (visited.id != 0 && visited.id != 4) {
            listedButIdleAndSystem.push_back(visited.id);
        }
    }
    EXPECT_EQ(counting.OpenedIds(), listedButIdleAndSystem);
    EXPECT_FALSE(Contains(counting.OpenedIds(), 0));
    EXPECT_FALSE(Contains(counting.OpenedIds(), 4));
    ASSERT_TRUE(Contains(counting.OpenedIds(), GetCurrentProcessId()));
    const auto own =
        std::find(counting.OpenedIds().begin(), counting.OpenedIds().end(), GetCurrentProcessId()) -
        counting.OpenedIds().begin();
    EXPECT_NE(counting.OpenedHandles()[own], nullptr) << "this process opens itself";

    // Each opened handle is trimmed, and closed once unless the open was refused; then the
    // snapshot is closed.
    EXPECT_EQ(counting.Emptied(), counting.OpenedHandles());
    std::vector<HANDLE> expectedCloses = NonNull(counting.OpenedHandles());
    expectedCloses.push_back(snapshot);
    EXPECT_EQ(counting.Closed(), expectedCloses);
    for (const HANDLE handle : counting.Closed()) {
        EXPECT_FALSE(IsOpen(handle)) << handle;
    }

    std::vector<unsigned> expectedBallast(ballast.size());
    std::iota(expectedBallast.begin(), expectedBallast.end(), 7u);
    EXPECT_EQ(ballast, expectedBallast);
}

TEST(RealSelfTrim, TrimsTheProcessesNamedAfterTheProgramAndNoOther) {
    SuspendedNamesake namesake;
    ASSERT_TRUE(namesake.Started());
    CountingProcesses counting(platform::Win32Processes());

    maintenance::TrimSelf(counting);

    ASSERT_GE(counting.VisitedRecords().size(), 3u);
    EXPECT_TRUE(Contains(counting.OpenedIds(), namesake.Id()));
    EXPECT_FALSE(Contains(counting.OpenedIds(), GetCurrentProcessId()))
        << "the test program is not named Velmora.exe";
    for (const auto& visited : counting.VisitedRecords()) {
        EXPECT_EQ(Contains(counting.OpenedIds(), visited.id), visited.exeName == "Velmora.exe")
            << visited.exeName;
    }
    EXPECT_EQ(counting.Closed().size(), NonNull(counting.OpenedHandles()).size() + 1);
}

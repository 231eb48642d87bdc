#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fakes/CountingProcesses.h"
#include "fakes/FakeModuleLoader.h"
#include "maintenance/ProcessSweeps.h"
#include "platform/Processes.h"

using platform::ProcessRecord;

namespace {

HMODULE Module(uintptr_t value) {
    return reinterpret_cast<HMODULE>(value);
}
HANDLE Handle(uintptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

const HMODULE kKernel32 = Module(0x7FF10000);
const HMODULE kPsapi = Module(0x7FF20000);

// What the made-up system functions were given and are to answer.
struct SystemFunctions {
    std::vector<std::pair<DWORD, DWORD>> snapshotRequests;
    HANDLE snapshotAnswer = Handle(0x44);
    std::vector<std::pair<HANDLE, ProcessRecord*>> firstCalls;
    std::vector<std::pair<HANDLE, ProcessRecord*>> nextCalls;
    BOOL walkAnswer = TRUE;
    std::vector<HANDLE> emptied;
    BOOL emptyAnswer = TRUE;
};
SystemFunctions* currentSystem = nullptr;

HANDLE WINAPI CreateToolhelp32SnapshotStandIn(DWORD flags, DWORD processId) {
    currentSystem->snapshotRequests.emplace_back(flags, processId);
    return currentSystem->snapshotAnswer;
}
BOOL WINAPI Process32FirstStandIn(HANDLE snapshot, ProcessRecord* record) {
    currentSystem->firstCalls.emplace_back(snapshot, record);
    return currentSystem->walkAnswer;
}
BOOL WINAPI Process32NextStandIn(HANDLE snapshot, ProcessRecord* record) {
    currentSystem->nextCalls.emplace_back(snapshot, record);
    return currentSystem->walkAnswer;
}
BOOL WINAPI EmptyWorkingSetStandIn(HANDLE process) {
    currentSystem->emptied.push_back(process);
    return currentSystem->emptyAnswer;
}

class Win32ProcessesTest : public testing::Test {
protected:
    Win32ProcessesTest() { currentSystem = &system; }
    ~Win32ProcessesTest() override { currentSystem = nullptr; }

    void ProvideToolhelp() {
        modules.AddLoaded("kernel32.dll", kKernel32);
        modules.AddExport(kKernel32, "CreateToolhelp32Snapshot", &CreateToolhelp32SnapshotStandIn);
        modules.AddExport(kKernel32, "Process32First", &Process32FirstStandIn);
        modules.AddExport(kKernel32, "Process32Next", &Process32NextStandIn);
    }
    void ProvidePsapi() {
        modules.AnswerLoad("PSAPI.dll", kPsapi);
        modules.AddExport(kPsapi, "EmptyWorkingSet", &EmptyWorkingSetStandIn);
    }
    // Built on first use, so that a test can set up the modules first.
    platform::Processes& Facet() {
        if (!facet_) {
            facet_ = platform::MakeWin32Processes(modules);
        }
        return *facet_;
    }

    SystemFunctions system;
    FakeModuleLoader modules;

private:
    std::unique_ptr<platform::Processes> facet_;
};

}  // namespace

TEST_F(Win32ProcessesTest, WithoutKernel32ASweepTakesNoSnapshotAndVisitsNothing) {
    CountingProcesses counting(Facet());
    maintenance::SweepAll(counting);

    EXPECT_EQ(counting.Snapshots(), std::vector<HANDLE>{nullptr});
    EXPECT_TRUE(counting.OpenedIds().empty());
    EXPECT_TRUE(counting.Closed().empty());
}

TEST_F(Win32ProcessesTest, WithoutTheToolhelpExportsEveryWrapperFails) {
    modules.AddLoaded("kernel32.dll", kKernel32);
    ProcessRecord record{};

    EXPECT_EQ(Facet().CreateSnapshot(2, 0), nullptr);
    EXPECT_FALSE(Facet().First(Handle(0x44), record));
    EXPECT_FALSE(Facet().Next(Handle(0x44), record));
}

TEST_F(Win32ProcessesTest, WithOnlyTheSnapshotExportTheWalkFindsNoProcess) {
    modules.AddLoaded("kernel32.dll", kKernel32);
    modules.AddExport(kKernel32, "CreateToolhelp32Snapshot", &CreateToolhelp32SnapshotStandIn);
    ProcessRecord record{};

    EXPECT_EQ(Facet().CreateSnapshot(2, 0), Handle(0x44));
    EXPECT_FALSE(Facet().First(Handle(0x44), record));
    EXPECT_FALSE(Facet().Next(Handle(0x44), record));
}

TEST_F(Win32ProcessesTest, PassesTheWalkThroughToTheSystemFunctions) {
    ProvideToolhelp();
    ProcessRecord record{};

    EXPECT_EQ(Facet().CreateSnapshot(2, 0), Handle(0x44));
    EXPECT_TRUE(Facet().First(Handle(0x44), record));
    EXPECT_TRUE(Facet().Next(Handle(0x44), record));
    system.walkAnswer = FALSE;
    EXPECT_FALSE(Facet().Next(Handle(0x44), record));

    EXPECT_EQ(system.snapshotRequests, (std::vector<std::pair<DWORD, DWORD>>{{2, 0}}));
    using Walk = std::vector<std::pair<HANDLE, ProcessRecord*>>;
    EXPECT_EQ(system.firstCalls, (Walk{{Handle(0x44), &record}}));
    EXPECT_EQ(system.nextCalls, (Walk{{Handle(0x44), &record}, {Handle(0x44), &record}}));
}

TEST_F(Win32ProcessesTest, ReportsAFailedSnapshotAsNull) {
    ProvideToolhelp();
    system.snapshotAnswer = INVALID_HANDLE_VALUE;
    system.walkAnswer = FALSE;

    CountingProcesses counting(Facet());
    maintenance::SweepAll(counting);

    EXPECT_EQ(counting.Snapshots(), std::vector<HANDLE>{nullptr});
    EXPECT_TRUE(system.firstCalls.empty());
    EXPECT_TRUE(counting.Closed().empty());
}

TEST_F(Win32ProcessesTest, AFailedPsapiLoadIsTriedAgainAtTheNextTrim) {
    // Any module handle below 32 is a failure.
    for (const uintptr_t failure : {uintptr_t{0}, uintptr_t{1}, uintptr_t{31}}) {
        FakeModuleLoader loader;
        loader.AnswerLoad("PSAPI.dll", Module(failure));
        // Were the failed handle taken for a module, this export would make the trim work.
        loader.AddExport(Module(failure), "EmptyWorkingSet", &EmptyWorkingSetStandIn);
        loader.AddExport(kPsapi, "EmptyWorkingSet", &EmptyWorkingSetStandIn);
        system.emptied.clear();
        const auto facet = platform::MakeWin32Processes(loader);

        EXPECT_FALSE(facet->EmptyWorkingSet(Handle(0x1010))) << failure;
        EXPECT_FALSE(facet->EmptyWorkingSet(Handle(0x1014))) << failure;
        EXPECT_EQ(loader.Loads(), (std::vector<std::string>{"PSAPI.dll", "PSAPI.dll"}));
        EXPECT_TRUE(system.emptied.empty()) << failure;

        loader.AnswerLoad("PSAPI.dll", kPsapi);
        EXPECT_TRUE(facet->EmptyWorkingSet(Handle(0x1018))) << failure;
        EXPECT_EQ(loader.Loads().size(), 3u) << failure;
        EXPECT_EQ(system.emptied, std::vector<HANDLE>{Handle(0x1018)}) << failure;
    }
}

TEST_F(Win32ProcessesTest, PsapiIsLoadedOnceAndTheTrimAnswersAsTheSystemDoes) {
    ProvidePsapi();

    EXPECT_TRUE(Facet().EmptyWorkingSet(Handle(0x1010)));
    system.emptyAnswer = FALSE;
    EXPECT_FALSE(Facet().EmptyWorkingSet(Handle(0x1014)));
    EXPECT_FALSE(Facet().EmptyWorkingSet(nullptr));

    EXPECT_EQ(modules.Loads(), std::vector<std::string>{"PSAPI.dll"});
    EXPECT_EQ(system.emptied, (std::vector<HANDLE>{Handle(0x1010), Handle(0x1014), nullptr}));
}

TEST_F(Win32ProcessesTest, APsapiWithoutTheExportIsNotLoadedAgain) {
    modules.AnswerLoad("PSAPI.dll", kPsapi);

    EXPECT_FALSE(Facet().EmptyWorkingSet(Handle(0x1010)));
    EXPECT_FALSE(Facet().EmptyWorkingSet(Handle(0x1014)));

    EXPECT_EQ(modules.Loads(), std::vector<std::string>{"PSAPI.dll"});
}

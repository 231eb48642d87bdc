#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakeProcesses.h"
#include "maintenance/ProcessSweeps.h"

using maintenance::BrowserBoxes;
using platform::ProcessRecord;

namespace {

// The calls a walk is expected to make, written record by record.
class ExpectedCalls {
public:
    ExpectedCalls& Start() {
        calls_.push_back({"CreateSnapshot", {2, 0}});
        calls_.push_back({"First", {Snapshot(), sizeof(ProcessRecord)}});
        return *this;
    }
    ExpectedCalls& Trim(DWORD id) { return TrimWith(id, FakeProcesses::HandleOf(id)); }
    // A refused open is trimmed all the same, but never closed.
    ExpectedCalls& TrimDenied(DWORD id) {
        calls_.push_back({"Open", {0x1100, 0, id}});
        calls_.push_back({"EmptyWorkingSet", {0}});
        return *this;
    }
    ExpectedCalls& Next() {
        calls_.push_back({"Next", {Snapshot(), sizeof(ProcessRecord)}});
        return *this;
    }
    std::vector<ProcessCall> CloseSnapshot() {
        calls_.push_back({"Close", {Snapshot()}});
        return calls_;
    }

private:
    static uintptr_t Snapshot() {
        return reinterpret_cast<uintptr_t>(FakeProcesses::SnapshotHandle());
    }
    ExpectedCalls& TrimWith(DWORD id, HANDLE handle) {
        const auto value = reinterpret_cast<uintptr_t>(handle);
        calls_.push_back({"Open", {0x1100, 0, id}});
        calls_.push_back({"EmptyWorkingSet", {value}});
        calls_.push_back({"Close", {value}});
        return *this;
    }
    std::vector<ProcessCall> calls_;
};

constexpr DWORD kExplorer = 0x1A0;
constexpr DWORD kOwn = 0x2C4;
constexpr DWORD kChromeUpper = 0x300;
constexpr DWORD kChrome = 0x304;
constexpr DWORD kSecured = 0x308;
constexpr DWORD kIexplore = 0x30C;
constexpr DWORD kFirefox = 0x310;
constexpr DWORD kSecondCopy = 0x314;
constexpr DWORD kThirdCopy = 0x318;
constexpr DWORD kSecondChrome = 0x31C;

// Idle and system first, as Windows lists them; a process of another user in the middle.
std::vector<FakeProcesses::Entry> MixedList() {
    return {{0, "[System Process]"},      {4, "System"},
            {kExplorer, "explorer.exe"},  {kOwn, "Velmora.exe"},
            {kChromeUpper, "Chrome.exe"}, {kChrome, "chrome.exe"},
            {kSecured, "secured.exe"},    {kIexplore, "iexplore.exe"},
            {kFirefox, "firefox.exe"},    {kSecondCopy, "Velmora.exe"},
            {kThirdCopy, "Velmora.exe"},  {kSecondChrome, "chrome.exe"}};
}

std::function<bool()> Box(bool ticked) {
    return [ticked] { return ticked; };
}

BrowserBoxes Boxes(bool chrome, bool internetExplorer, bool firefox) {
    return {Box(chrome), Box(internetExplorer), Box(firefox)};
}

struct NamedSweep {
    const char* name;
    std::function<void(platform::Processes&)> run;
};

const std::vector<NamedSweep>& EverySweep() {
    static const std::vector<NamedSweep> sweeps{
        {"full", [](platform::Processes& p) { maintenance::SweepAll(p); }},
        {"browsers",
         [](platform::Processes& p) { maintenance::SweepBrowsers(p, Boxes(true, true, true)); }},
        {"self", [](platform::Processes& p) { maintenance::TrimSelf(p); }},
    };
    return sweeps;
}

}  // namespace

TEST(ProcessExclusion, OnlyIdleAndSystemIdsAreNeverTrimmed) {
    const struct {
        DWORD id;
        bool neverTrimmed;
    } cases[] = {
        {0x00000000, true},  {0x00000004, true},  {0x00000008, false}, {0x00000040, false},
        {0x00000400, false}, {0x04000000, false}, {0x40000000, false}, {0x00000044, false},
        {0x00000001, false}, {0xFFFFFFFF, false}, {0x80000004, false}, {0x00000104, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(maintenance::IsNeverTrimmed(c.id), c.neverTrimmed) << std::hex << c.id;
    }
}

TEST(ProcessExeName, IsTheFieldUpToItsFirstNul) {
    const struct {
        const char* field;
        size_t fieldLength;
        std::string_view name;
    } cases[] = {
        {"Velmora.exe", 11, "Velmora.exe"},
        {"Velmora.exe\0old.exe", 19, "Velmora.exe"},
        {"", 0, ""},
        {"\0Velmora.exe", 12, ""},
        {" chrome.exe ", 12, " chrome.exe "},
        {"C:\\Apps\\firefox.exe", 19, "C:\\Apps\\firefox.exe"},
    };
    for (const auto& c : cases) {
        ProcessRecord record{};
        std::memset(record.szExeFile, 'x', sizeof record.szExeFile);
        std::memcpy(record.szExeFile, c.field, c.fieldLength);
        record.szExeFile[c.fieldLength] = '\0';
        EXPECT_EQ(maintenance::ExeName(record), c.name) << c.field;
    }
}

TEST(ProcessExeName, StopsAtTheEndOfAFieldWithoutNul) {
    struct {
        ProcessRecord record;
        char after[16];
    } guarded;
    std::memset(&guarded, 'A', sizeof guarded);
    const std::string_view name = maintenance::ExeName(guarded.record);
    EXPECT_EQ(name.data(), guarded.record.szExeFile);
    EXPECT_EQ(name.size(), sizeof guarded.record.szExeFile);
}

TEST(FullSweep, TrimsEveryProcessButIdleAndSystemPassingRefusalsBy) {
    FakeProcesses processes(MixedList());
    processes.DenyAccessTo(kSecured);

    maintenance::SweepAll(processes);

    const auto expected = ExpectedCalls()
                              .Start()
                              .Next()  // idle
                              .Next()  // system
                              .Trim(kExplorer)
                              .Next()
                              .Trim(kOwn)
                              .Next()
                              .Trim(kChromeUpper)
                              .Next()
                              .Trim(kChrome)
                              .Next()
                              .TrimDenied(kSecured)
                              .Next()
                              .Trim(kIexplore)
                              .Next()
                              .Trim(kFirefox)
                              .Next()
                              .Trim(kSecondCopy)
                              .Next()
                              .Trim(kThirdCopy)
                              .Next()
                              .Trim(kSecondChrome)
                              .Next()
                              .CloseSnapshot();
    EXPECT_EQ(processes.Calls(), expected);
}

TEST(SelfTrim, TrimsEveryCopyOfTheProgramByItsExactName) {
    std::vector<FakeProcesses::Entry> list = MixedList();
    list.insert(list.begin() + 3, {{0x2C0, "velmora.exe"},
                                   {0x2C8, "VELMORA.EXE"},
                                   {0x2CC, "Velmora.exe "},
                                   {0x2D0, "C:\\Velmora\\Velmora.exe"},
                                   {0x2D4, "Velmora.ex"}});
    FakeProcesses processes(list);
    processes.DenyAccessTo(kSecondCopy);

    maintenance::TrimSelf(processes);

    auto expected = ExpectedCalls().Start();
    for (int i = 0; i < 8; ++i) {  // idle, system, explorer and the five near misses
        expected.Next();
    }
    expected.Trim(kOwn).Next();
    for (int i = 0; i < 5; ++i) {  // the two chromes, secured, iexplore, firefox
        expected.Next();
    }
    expected.TrimDenied(kSecondCopy).Next().Trim(kThirdCopy).Next().Next();
    EXPECT_EQ(processes.Calls(), expected.CloseSnapshot());
}

TEST(BrowserSweep, WithEveryBoxTickedTrimsEachBrowserByItsExactName) {
    FakeProcesses processes(MixedList());
    processes.DenyAccessTo(kChrome);

    maintenance::SweepBrowsers(processes, Boxes(true, true, true));

    const auto expected = ExpectedCalls()
                              .Start()
                              .Next()  // idle
                              .Next()  // system
                              .Next()  // explorer
                              .Next()  // Velmora
                              .Next()  // Chrome.exe: the case differs
                              .TrimDenied(kChrome)
                              .Next()
                              .Next()  // secured
                              .Trim(kIexplore)
                              .Next()
                              .Trim(kFirefox)
                              .Next()
                              .Next()  // Velmora
                              .Next()  // Velmora
                              .Trim(kSecondChrome)
                              .Next()
                              .CloseSnapshot();
    EXPECT_EQ(processes.Calls(), expected);
}

TEST(BrowserSweep, TrimsOnlyTheBrowsersWhoseBoxIsTicked) {
    const struct {
        bool chrome, internetExplorer, firefox;
        std::vector<DWORD> trimmed;
    } cases[] = {
        {false, false, false, {}},
        {true, false, false, {kChrome, kSecondChrome}},
        {false, true, false, {kIexplore}},
        {false, false, true, {kFirefox}},
        {true, true, false, {kChrome, kIexplore, kSecondChrome}},
        {true, false, true, {kChrome, kFirefox, kSecondChrome}},
        {false, true, true, {kIexplore, kFirefox}},
        {true, true, true, {kChrome, kIexplore, kFirefox, kSecondChrome}},
    };
    for (const auto& c : cases) {
        FakeProcesses processes(MixedList());
        maintenance::SweepBrowsers(processes, Boxes(c.chrome, c.internetExplorer, c.firefox));
        EXPECT_EQ(processes.OpenedIds(), c.trimmed)
            << "chrome " << c.chrome << ", internet explorer " << c.internetExplorer << ", firefox "
            << c.firefox;
        EXPECT_EQ(processes.Calls().back(), (ProcessCall{"Close", {0x5A5A}}));
    }
}

TEST(BrowserSweep, ReadsEveryBoxAfreshForEveryProcess) {
    const std::vector<FakeProcesses::Entry> list{{0x10, "chrome.exe"},   {0x14, "firefox.exe"},
                                                 {0x18, "iexplore.exe"}, {0x1C, "chrome.exe"},
                                                 {0x20, "firefox.exe"},  {0x24, "iexplore.exe"}};
    int chromeReads = 0, internetExplorerReads = 0, firefoxReads = 0;
    // Chrome's box is unticked after the first process, Firefox's ticked from the fourth on.
    const BrowserBoxes boxes{
        [&] { return ++chromeReads <= 1; },
        [&] {
            ++internetExplorerReads;
            return true;
        },
        [&] { return ++firefoxReads >= 4; },
    };
    FakeProcesses processes(list);

    maintenance::SweepBrowsers(processes, boxes);

    EXPECT_EQ(processes.OpenedIds(), (std::vector<DWORD>{0x10, 0x18, 0x20, 0x24}));
    EXPECT_EQ(chromeReads, 6);
    EXPECT_EQ(internetExplorerReads, 6);
    EXPECT_EQ(firefoxReads, 6);
}

TEST(Sweeps, NeverTrimIdleOrSystemEvenUnderATrimmedName) {
    const std::vector<FakeProcesses::Entry> list{
        {0, "Velmora.exe"}, {4, "chrome.exe"}, {0, "iexplore.exe"}, {4, "firefox.exe"}};
    for (const NamedSweep& sweep : EverySweep()) {
        FakeProcesses processes(list);
        sweep.run(processes);
        EXPECT_TRUE(processes.OpenedIds().empty()) << sweep.name;
        EXPECT_EQ(processes.Calls().size(), 2u + list.size() + 1u) << sweep.name;
    }
}

TEST(Sweeps, WithoutASnapshotVisitNothingAndCloseNothing) {
    for (const NamedSweep& sweep : EverySweep()) {
        FakeProcesses processes(MixedList());
        processes.FailSnapshots();
        sweep.run(processes);
        EXPECT_EQ(processes.Calls(), (std::vector<ProcessCall>{{"CreateSnapshot", {2, 0}}}))
            << sweep.name;
    }
}

TEST(Sweeps, WithoutAFirstProcessCloseTheSnapshot) {
    for (const NamedSweep& sweep : EverySweep()) {
        FakeProcesses processes({});
        sweep.run(processes);
        EXPECT_EQ(processes.Calls(), ExpectedCalls().Start().CloseSnapshot()) << sweep.name;
    }
}

TEST(Sweeps, CloseTheSnapshotWhenTheFacetThrowsAndLetTheExceptionThrough) {
    for (const NamedSweep& sweep : EverySweep()) {
        FakeProcesses processes(MixedList());
        processes.ThrowOnOpen(kOwn);
        processes.ThrowOnOpen(kSecondChrome);
        processes.ThrowOnOpen(kIexplore);

        EXPECT_THROW(sweep.run(processes), std::runtime_error) << sweep.name;

        const std::vector<ProcessCall>& calls = processes.Calls();
        ASSERT_GE(calls.size(), 2u) << sweep.name;
        EXPECT_EQ(calls[calls.size() - 2].function, "Open") << sweep.name;
        EXPECT_EQ(calls.back(), (ProcessCall{"Close", {0x5A5A}})) << sweep.name;
    }
}

TEST(Sweeps, CloseTheProcessThenTheSnapshotWhenATrimThrows) {
    for (const NamedSweep& sweep : EverySweep()) {
        FakeProcesses processes(MixedList());
        const DWORD victim = std::string(sweep.name) == "browsers" ? kChrome : kOwn;
        processes.ThrowOnTrim(victim);

        EXPECT_THROW(sweep.run(processes), std::runtime_error) << sweep.name;

        const auto handle = reinterpret_cast<uintptr_t>(FakeProcesses::HandleOf(victim));
        const std::vector<ProcessCall>& calls = processes.Calls();
        ASSERT_GE(calls.size(), 3u) << sweep.name;
        EXPECT_EQ(calls[calls.size() - 3], (ProcessCall{"EmptyWorkingSet", {handle}}));
        EXPECT_EQ(calls[calls.size() - 2], (ProcessCall{"Close", {handle}})) << sweep.name;
        EXPECT_EQ(calls.back(), (ProcessCall{"Close", {0x5A5A}})) << sweep.name;
    }
}

TEST(BrowserSweep, ClosesTheSnapshotWhenABoxReaderThrows) {
    FakeProcesses processes(MixedList());
    int reads = 0;
    const BrowserBoxes boxes{Box(true), Box(false), [&]() -> bool {
                                 if (++reads == 7) {
                                     throw std::runtime_error("box gone");
                                 }
                                 return false;
                             }};

    EXPECT_THROW(maintenance::SweepBrowsers(processes, boxes), std::runtime_error);

    // Six records walked, the seventh being read when the reader threw; chrome.exe was trimmed.
    EXPECT_EQ(processes.OpenedIds(), std::vector<DWORD>{kChrome});
    EXPECT_EQ(processes.Calls().back(), (ProcessCall{"Close", {0x5A5A}}));
    EXPECT_EQ(processes.Calls()[processes.Calls().size() - 2].function, "Next");
}

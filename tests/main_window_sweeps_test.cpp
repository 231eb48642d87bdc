// The sweeps as the window runs them: the minutes gate, the boxes it reads, the readout after.

#include "support/MainWindowFixture.h"

#include "controls/Gauges.h"
#include "controls/Spin.h"
#include "fakes/CountingProcesses.h"

namespace {

const std::vector<FakeProcesses::Entry> kMachine{
    {0, "[System Process]"}, {4, "System"},          {0x100, "explorer.exe"},
    {0x200, "chrome.exe"},   {0x204, "Chrome.exe"},  {0x300, "iexplore.exe"},
    {0x400, "firefox.exe"},  {0x500, "Velmora.exe"},
};

}  // namespace

class WindowSweepTest : public MainWindowTest {
protected:
    void SetUp() override {
        processes.SetEntries(kMachine);
        Start();
    }
};

TEST_F(WindowSweepTest, FullSweepRunsForAnyMinutesButZeroAndAlwaysRefreshesTheReadout) {
    const std::vector<DWORD> everyoneButIdleAndSystem{0x100, 0x200, 0x204, 0x300, 0x400, 0x500};
    for (int32_t minutes : {30, 1, -1, -71582, 0}) {
        SCOPED_TRACE(minutes);
        FakeProcesses machine(kMachine);
        ScopedFacet swap(platform::Current().processes, machine);
        form->SpinEdit_1->SetValue(minutes);
        memory.figures.loadPercent = 50 + (minutes & 7);
        SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(machine.OpenedIds(),
                  minutes != 0 ? everyoneButIdleAndSystem : std::vector<DWORD>{});
        EXPECT_EQ(form->Gauge1->Progress(), 50 - (minutes & 7));
    }
}

TEST_F(WindowSweepTest, TextThatIsNoNumberSwitchesTheSweepsOff) {
    form->SpinEdit_1->SetText("douze");
    form->Chrome_1->SetChecked(true);
    form->Button1Click(nullptr);
    form->Button2Click(nullptr);
    EXPECT_TRUE(processes.Calls().empty());
}

TEST_F(WindowSweepTest, BrowserSweepTrimsTheTickedBrowsersOnly) {
    struct Case {
        bool internetExplorer, firefox, chrome;
        std::vector<DWORD> trimmed;
    };
    const Case cases[] = {
        {false, false, false, {}},
        {true, false, false, {0x300}},
        {false, true, false, {0x400}},
        {false, false, true, {0x200}},
        {true, true, true, {0x200, 0x300, 0x400}},
    };
    for (const Case& c : cases) {
        FakeProcesses machine(kMachine);
        ScopedFacet swap(platform::Current().processes, machine);
        form->i_explore->SetChecked(c.internetExplorer);
        form->Firefox_1->SetChecked(c.firefox);
        form->Chrome_1->SetChecked(c.chrome);
        const int shown = form->Gauge1->Progress();
        memory.figures.loadPercent = 100 - shown + 1;
        form->Button2Click(nullptr);
        EXPECT_EQ(machine.OpenedIds(), c.trimmed);
        EXPECT_EQ(form->Gauge1->Progress(), shown) << "the browser sweep has no readout";
    }
}

TEST_F(WindowSweepTest, SelfTrimIgnoresTheMinutes) {
    form->SpinEdit_1->SetValue(0);
    form->Button5Click(nullptr);
    EXPECT_EQ(processes.OpenedIds(), std::vector<DWORD>{0x500});
}

TEST_F(WindowSweepTest, MenuEntryRunsTheFullSweep) {
    memory.figures.loadPercent = 77;
    SendMessageW(TPopupMenu::CommandWindow(), WM_COMMAND, form->LibredelaRam1->Command(), 0);
    EXPECT_EQ(processes.OpenedIds().size(), 6u);
    EXPECT_EQ(form->Gauge1->Progress(), 23) << "and the readout";
}

TEST_F(WindowSweepTest, RealSweepWalksWinesProcessesAndRefreshesTheReadout) {
    CountingProcesses real(platform::Win32Processes());
    ScopedFacet swap(platform::Current().processes, real);
    memory.figures.loadPercent = 61;
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_GE(real.VisitedRecords().size(), 2u);
    bool sawItself = false;
    for (const auto& visited : real.VisitedRecords()) {
        sawItself = sawItself || visited.id == GetCurrentProcessId();
    }
    EXPECT_TRUE(sawItself);
    EXPECT_EQ(real.OpenedIds().size(), real.VisitedRecords().size());
    EXPECT_EQ(real.Closed().size(), real.OpenedIds().size() + 1)
        << "every process and the snapshot";
    EXPECT_EQ(form->Gauge1->Progress(), 39);
    EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "");
}

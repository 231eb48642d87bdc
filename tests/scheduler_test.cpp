// The four timers of the main window: the periodic full sweep, the browser sweep, the readout
// and the self trim after a hidden start.

#include "support/MainWindowFixture.h"

#include "controls/Gauges.h"
#include "controls/Spin.h"
#include "support/PumpUntil.h"

#include <algorithm>

namespace {

const std::vector<FakeProcesses::Entry> kMachine{
    {4, "System"}, {0x100, "explorer.exe"}, {0x200, "chrome.exe"}, {0x500, "Velmora.exe"}};

size_t Snapshots(const FakeProcesses& processes) {
    return std::count_if(processes.Calls().begin(), processes.Calls().end(),
                         [](const ProcessCall& call) { return call.function == "CreateSnapshot"; });
}

}  // namespace

class SchedulerTest : public MainWindowTest {
protected:
    void SetUp() override { processes.SetEntries(kMachine); }
};

TEST_F(SchedulerTest, ANewMinutesValueTakesEffectAtTheNextTick) {
    Start();
    EXPECT_EQ(form->Timer1->Interval(), 1800000u);
    form->SpinEdit_1->SetValue(1);
    EXPECT_EQ(form->Timer1->Interval(), 1800000u) << "the tick under way keeps its interval";

    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Timer1->Interval(), 60000u);
    EXPECT_EQ(processes.OpenedIds().size(), 3u);
}

TEST_F(SchedulerTest, ZeroMinutesAtATickDoesTheReadoutOnlyAndStopsThePeriodicSweepForGood) {
    Start();
    form->SpinEdit_1->SetText("");
    memory.figures.loadPercent = 66;
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Snapshots(processes), 0u);
    EXPECT_EQ(form->Label8->Caption(), "Mémoire utilisée : 66 %");
    EXPECT_EQ(form->Timer1->Interval(), 0u);

    form->SpinEdit_1->SetValue(1);
    EXPECT_EQ(form->Timer1->Interval(), 0u) << "typing a value later does not bring it back";
}

TEST_F(SchedulerTest, ShortIntervalsDriveTheSweepsAndTheReadout) {
    Start();
    form->Timer1->SetInterval(40);
    EXPECT_TRUE(PumpUntil(*app, [&] { return Snapshots(processes) >= 1; }))
        << "the periodic full sweep ran";
    EXPECT_EQ(form->Timer1->Interval(), 1800000u) << "and set the minutes' interval again";

    // The readout follows the figures tick after tick.
    form->Timer3->SetInterval(30);
    for (uint32_t load : {51u, 52u, 53u}) {
        memory.figures.loadPercent = load;
        EXPECT_TRUE(PumpUntil(
            *app, [&] { return form->Gauge1->Progress() == 100 - static_cast<int>(load); }));
    }

    form->Timer2->SetInterval(30);
    form->Chrome_1->SetChecked(true);
    EXPECT_TRUE(PumpUntil(*app, [&] { return processes.OpenedIds().size() >= 5; }))
        << "the browser sweep ran on its timer";
}

TEST_F(SchedulerTest, BrowserTickSweepsOnlyWhileABoxIsTicked) {
    Start();
    form->Timer2Timer(form->Timer2);
    EXPECT_EQ(Snapshots(processes), 0u);

    form->Chrome_1->SetChecked(true);
    form->Timer2Timer(form->Timer2);
    EXPECT_EQ(Snapshots(processes), 1u);
    EXPECT_EQ(processes.OpenedIds(), std::vector<DWORD>{0x200});
}

TEST_F(SchedulerTest, HiddenStartTrimsItselfExactlyOnce) {
    WriteStateFile("[Form1]\r\nSpinEdit_1=30\r\n");
    Start();
    ASSERT_TRUE(form->Timer4->Enabled());
    EXPECT_EQ(form->Timer4->Interval(), 10000u);
    form->Timer1->SetEnabled(false);
    form->Timer4->SetInterval(30);
    EXPECT_TRUE(PumpUntil(*app, [&] { return !form->Timer4->Enabled(); }));
    EXPECT_EQ(processes.OpenedIds(), std::vector<DWORD>{0x500});
    Pump(150);
    EXPECT_EQ(processes.OpenedIds(), std::vector<DWORD>{0x500}) << "and not again";
}

TEST_F(SchedulerTest, FirstStartNeverTrimsItselfOnItsOwn) {
    Start();
    EXPECT_FALSE(form->Timer4->Enabled());
}

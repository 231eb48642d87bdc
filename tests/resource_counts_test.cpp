// The program lives in the tray for days: however often it reads the memory, sweeps or is built
// again, it holds on to no GDI or USER object. Each count makes objects until the system refuses
// one, so a leak of any size shows; a few rounds first fill what the platform keeps once made.

#include "support/MainWindowFixture.h"
#include "support/ResourceCounts.h"

#include "controls/Gauges.h"

#include <ostream>

namespace {

struct Counts {
    int gdi;
    int user;
    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& counts) {
    return out << counts.gdi << " GDI and " << counts.user << " USER objects still to make";
}

Counts CountNow() {
    return {CountCreatableGdiObjects(), CountCreatableUserObjects()};
}

class ResourceCountsTest : public MainWindowTest {
protected:
    void SetUp() override { processes.SetEntries({{4, "System"}, {0x100, "explorer.exe"}}); }

    // Shown, so that every readout paints; the figures change each time, so every readout
    // rewrites the labels and redraws the gauge.
    void StartShown() {
        Start();
        form->Show();
        Pump();
    }
    void Readouts(int count) {
        for (int i = 0; i < count; ++i) {
            memory.figures = {static_cast<uint32_t>(next_++ % 101), 8ull << 30,
                              (static_cast<uint64_t>(next_ % 8000) + 1) << 20};
            form->Button3Click(form->Button3);
            PumpNowAndThen(i);
        }
    }
    void Sweeps(int count) {
        for (int i = 0; i < count; ++i) {
            memory.figures.loadPercent = static_cast<uint32_t>(next_++ % 101);
            form->Button1Click(form->Button1);
            PumpNowAndThen(i);
        }
    }

private:
    void PumpNowAndThen(int i) {
        if (i % 100 == 99) {
            Pump();
        }
    }
    int next_ = 0;
};

}  // namespace

TEST_F(ResourceCountsTest, TenThousandReadoutsAndAThousandSweepsLeaveTheCountsFlat) {
    StartShown();
    Readouts(20);
    Sweeps(20);
    const Counts before = CountNow();
    const int paints = form->Gauge1->PaintCount();

    Readouts(10000);
    Pump();
    EXPECT_GE(form->Gauge1->PaintCount(), paints + 10000) << "every readout drew the gauge";
    EXPECT_EQ(CountNow(), before) << "after 10 000 readouts";

    Sweeps(1000);
    Pump();
    EXPECT_EQ(processes.OpenedIds().size(), 1020u);
    EXPECT_EQ(CountNow(), before) << "after 1 000 sweeps";
}

TEST_F(ResourceCountsTest, BuildingAndDestroyingTheMainWindowTwentyTimesLeavesTheCountsFlat) {
    StartShown();
    Readouts(5);
    app.reset();
    const Counts before = CountNow();

    for (int i = 0; i < 20; ++i) {
        StartShown();
        Readouts(5);
        app.reset();
    }
    EXPECT_EQ(CountNow(), before);
}

// The program lives in the tray for days: however often it reads the memory, sweeps or is built
// again, it holds on to no GDI or USER object. Each count makes objects until the system refuses
// one, so a leak of any size shows; a few rounds first fill what the platform keeps once made.

#include "support/MainWindowFixture.h"
#include "support/PixelSurface.h"
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
            MarkTheGauge();
            form->Button3Click(form->Button3);
            redrawn += TheGaugeRedrawn() ? 1 : 0;
            PumpNowAndThen(i);
        }
    }
    // Readouts that drew the gauge on the screen.
    int redrawn = 0;
    void Sweeps(int count) {
        for (int i = 0; i < count; ++i) {
            memory.figures.loadPercent = static_cast<uint32_t>(next_++ % 101);
            form->Button1Click(form->Button1);
            PumpNowAndThen(i);
        }
    }

private:
    static constexpr uint32_t kMark = 0x123456;
    // The gauge's top left corner, which each drawing of it covers.
    void MarkTheGauge() const {
        MarkScreenPixel(form->Gauge1->Parent()->Handle(), form->Gauge1->Left(), form->Gauge1->Top(),
                        kMark);
    }
    bool TheGaugeRedrawn() const {
        return ScreenPixel(form->Gauge1->Parent()->Handle(), form->Gauge1->Left(),
                           form->Gauge1->Top()) != kMark;
    }
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
    redrawn = 0;

    Readouts(10000);
    Pump();
    EXPECT_EQ(redrawn, 10000) << "every readout drew the gauge";
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

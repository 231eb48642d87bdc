// The gauge leaves no GDI object behind: not after tens of thousands of paints, and not when a
// paint fails half-way because the system has no more objects to give.

#include "controls/Gauges.h"
#include "framework/Exceptions.h"
#include "support/ResourceCounts.h"
#include "support/GaugePictures.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr uint32_t kGreen = 0x008000;
constexpr uint32_t kRed = 0xFF0000;

// A gauge as the window's own: 246 x 26, no border, green over red, with its text.
class GaugeGdiObjects : public testing::Test {
protected:
    GaugeGdiObjects() {
        gauge->SetBounds(0, 0, 246, 26);
        gauge->SetBorderStyle(TBorderStyle::bsNone);
        gauge->SetForeColor(clGreen);
        gauge->SetBackColor(clRed);
    }

    // Every percentage in every style, each with its text.
    void PaintInTurn(PixelSurface& surface, int paints) {
        for (int i = 0; i < paints; ++i) {
            gauge->SetKind(static_cast<TGaugeKind>(i % 5));
            gauge->SetProgress(i % 101);
            gauge->Paint(surface.Dc());
        }
        gauge->SetKind(TGaugeKind::gkHorizontalBar);
    }

    int CountPictureMismatches(const PixelSurface& picture, int greenColumns, const wchar_t* text) {
        auto layer = TextLayer(246, 26, {0, 0, 246, 26}, text, L"MS Sans Serif", -11);
        return CountMismatches(picture, *layer,
                               [&](int x, int) { return x < greenColumns ? kGreen : kRed; });
    }

    std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
    TGauge* gauge = new TGauge(owner.get());
};

}  // namespace

TEST_F(GaugeGdiObjects, MorePaintsThanTheSystemHasObjectsLeaveTheLastPaintRight) {
    // Over 65 480 paints: one object kept per paint would fill the system's table. A small
    // gauge takes the same objects as a large one, in less time.
    gauge->SetBounds(0, 0, 24, 10);
    PixelSurface small(24, 10);
    PaintInTurn(small, 70000);

    gauge->SetBounds(0, 0, 246, 26);
    gauge->SetProgress(50);
    PixelSurface surface(246, 26);
    gauge->Paint(surface.Dc());
    EXPECT_EQ(CountPictureMismatches(surface, 123, L"50%"), 0);
}

TEST_F(GaugeGdiObjects, TenThousandPaintsLeaveAsManyObjectsCreatable) {
    PixelSurface surface(246, 26);
    PaintInTurn(surface, 505);  // whatever the system keeps after a first use
    int before = CountCreatableGdiObjects();
    ASSERT_GT(before, 10000);
    PaintInTurn(surface, 10000);
    EXPECT_EQ(CountCreatableGdiObjects(), before);
}

TEST_F(GaugeGdiObjects, APaintThatRunsOutOfObjectsFreesWhatItTookAndShowsNothing) {
    PixelSurface surface(246, 26);
    gauge->SetProgress(50);
    gauge->Paint(surface.Dc());
    int before = CountCreatableGdiObjects();
    int failures = 0;
    bool painted = false;
    {
        GdiExhaustion full;
        // With room for 0, 1, 2, ... objects the paint fails at each of its steps in turn,
        // until there is room enough for all of them.
        for (int room = 0; room < 40 && !painted; ++room) {
            full.Free(room);
            const uint32_t untouched = 0x123456;
            surface.Fill(untouched);
            try {
                gauge->Paint(surface.Dc());
                painted = true;
            } catch (const EOutOfResources&) {
                ++failures;
                int touched = 0;
                for (int y = 0; y < 26; ++y) {
                    for (int x = 0; x < 246; ++x) {
                        touched += surface.Pixel(x, y) != untouched;
                    }
                }
                EXPECT_EQ(touched, 0) << "a failed paint shows no half-made picture";
            }
            full.Refill();
        }
    }
    EXPECT_GT(failures, 2) << "the paint failed at several of its steps";
    EXPECT_TRUE(painted);
    EXPECT_EQ(CountPictureMismatches(surface, 123, L"50%"), 0);
    EXPECT_EQ(CountCreatableGdiObjects(), before);
}

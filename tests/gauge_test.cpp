// The percentage gauge: its arithmetic, its bounds and the picture of its bar.

#include "controls/GaugeMath.h"
#include "controls/Gauges.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>

TEST(GaugeMath, SpanToPercentTruncatesWithoutOverflow) {
    struct Case {
        int32_t offset, span, percent;
    };
    const Case cases[] = {
        {0, 0, 0},
        {5, 0, 0},
        {50, 100, 50},
        {1, 3, 33},
        {-1, 3, -33},
        {501, 1000, 50},
        {500, 1000, 50},
        {2147483647, 2147483647, 100},
        {1073741824, 2147483647, 50},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpanToPercent(c.offset, c.span), c.percent) << c.offset << " of " << c.span;
    }
}

TEST(GaugeMath, PercentToSpanLosesOneAtExactMultiplesOfAHundred) {
    struct Case {
        int32_t percent, span, length;
    };
    const Case cases[] = {
        {20, 245, 48},       {5, 20, 0},      {10, 10, 0},    {30, 1000, 299},  {50, 247, 123},
        {100, 247, 247},     {100, 246, 246}, {50, 246, 123}, {99, 246, 243},   {1, 100, 1},
        {100, 20000, 20000}, {0, 247, 0},     {25, 4, 1},     {-50, 200, -100}, {-20, 245, -48},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PercentToSpan(c.percent, c.span), c.length) << c.percent << "% of " << c.span;
    }
}

class GaugeTest : public testing::Test {
protected:
    std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
    TGauge* gauge = new TGauge(owner.get());
};

TEST_F(GaugeTest, ProgressIsClampedAndOnlyANewPercentageRepaints) {
    gauge->SetProgress(150);
    EXPECT_EQ(gauge->Progress(), 100);
    gauge->SetProgress(-5);
    EXPECT_EQ(gauge->Progress(), 0);

    gauge->SetMaxValue(1000);
    gauge->SetProgress(500);
    EXPECT_EQ(gauge->Percentage(), 50);
    gauge->SetMinValue(0);
    gauge->SetMaxValue(0);
    EXPECT_EQ(gauge->Percentage(), 0) << "equal bounds show 0 %";
}

TEST_F(GaugeTest, ABoundThatWouldCrossTheOtherIsRefused) {
    gauge->SetMaxValue(20);
    try {
        gauge->SetMinValue(50);
        FAIL() << "no exception";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "La valeur doit être comprise entre -2147483647 et 19");
    }
    EXPECT_EQ(gauge->MinValue(), 0);

    gauge->SetMinValue(10);
    try {
        gauge->SetMaxValue(5);
        FAIL() << "no exception";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "La valeur doit être comprise entre 11 et 2147483647");
    }
    EXPECT_EQ(gauge->MaxValue(), 20);
}

TEST_F(GaugeTest, TheBarFillsFromTheLeftAndTheTextShowsOverBothColours) {
    gauge->SetBounds(0, 0, 246, 26);
    gauge->SetBorderStyle(TBorderStyle::bsNone);
    gauge->SetBackColor(clRed);
    gauge->SetForeColor(clGreen);
    gauge->SetProgress(50);

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 246, -26, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    OwnedBitmap surface(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ScopedSelect select(dc.get(), surface.get());
    gauge->Paint(dc.get());
    GdiFlush();
    auto pixel = [&](int x, int y) {
        return static_cast<const uint32_t*>(bits)[y * 246 + x] & 0xFFFFFF;  // 0x00RRGGBB
    };
    EXPECT_EQ(pixel(0, 1), 0x008000u);
    EXPECT_EQ(pixel(122, 1), 0x008000u) << "50 % of 247 is 123 columns";
    EXPECT_EQ(pixel(123, 1), 0xFF0000u);
    EXPECT_EQ(pixel(245, 25), 0xFF0000u);

    int overGreen = 0, overRed = 0;
    for (int y = 0; y < 26; ++y) {
        for (int x = 0; x < 246; ++x) {
            overGreen += pixel(x, y) == 0xFF7FFFu;
            overRed += pixel(x, y) == 0x00FFFFu;
        }
    }
    EXPECT_GT(overGreen, 0) << "digits over the green fill are its complement";
    EXPECT_GT(overRed, 0) << "the percent sign reaches over the red";
}

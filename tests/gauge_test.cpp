// The percentage gauge as a control: its bounds, the writes of its properties, when it draws on
// the screen, and how it is read from a form.

#include "controls/Gauges.h"
#include "framework/Exceptions.h"
#include "framework/FormReader.h"
#include "support/PixelSurface.h"
#include "support/TextForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>

namespace {

constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();

TextForm* BuildForm(TComponent* owner, const std::string& text) {
    ClassRegistry::Instance().Register<TGauge>("TGauge");
    return TextForm::Build(owner, text);
}

TGauge* FindGauge(TextForm* form, const char* name) {
    auto* gauge = dynamic_cast<TGauge*>(form->FindComponent(name));
    EXPECT_NE(gauge, nullptr) << name;
    return gauge;
}

// Runs `write`, which must raise EInvalidOperation; answers its message.
std::string RefusalOf(const std::function<void()>& write) {
    try {
        write();
    } catch (const EInvalidOperation& error) {
        return error.Message();
    }
    ADD_FAILURE() << "no exception";
    return {};
}

// A gauge on a window that exists, so that a write that changes the picture draws at once.
class GaugeOnAWindow : public testing::Test {
protected:
    // A gauge draws only on a window on the screen.
    GaugeOnAWindow() {
        form->Show();
        UpdateWindow(form->Handle());
    }

    struct State {
        int32_t minValue, maxValue, progress, percentage;
        bool operator==(const State&) const = default;
    };
    State Now() const {
        return {gauge->MinValue(), gauge->MaxValue(), gauge->Progress(), gauge->Percentage()};
    }

    // Marks the gauge's corner on the screen; every drawing of the gauge covers its corner.
    void Mark() { MarkScreenPixel(form->Handle(), 10, 20, kMark); }
    // Whether the gauge was drawn since the last mark; marks again.
    bool Redrawn() {
        const bool redrawn = ScreenPixel(form->Handle(), 10, 20) != kMark;
        Mark();
        return redrawn;
    }
    static constexpr uint32_t kMark = 0x123456;

    std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
    TextForm* form = BuildForm(owner.get(),
                               "object Holder: TTextForm\n"
                               "  Width = 300\n  Height = 150\n"
                               "  object Gauge1: TGauge\n"
                               "    Left = 10\n    Top = 20\n    Width = 200\n    Height = 20\n"
                               "  end\n"
                               "end\n");
    TGauge* gauge = FindGauge(form, "Gauge1");
};

}  // namespace

TEST(GaugeLoading, BoundsArriveInAnyOrderWhileTheFormIsRead) {
    TComponent owner(nullptr);
    TextForm* form = BuildForm(&owner,
                               "object Holder: TTextForm\n"
                               "  object Above: TGauge\n"
                               "    MinValue = 200\n    MaxValue = 300\n    Progress = 250\n"
                               "  end\n"
                               "  object Below: TGauge\n"
                               "    MaxValue = -10\n    MinValue = -20\n    Progress = -15\n"
                               "  end\n"
                               "end\n");
    TGauge* above = FindGauge(form, "Above");
    TGauge* below = FindGauge(form, "Below");
    ASSERT_NE(above, nullptr);
    ASSERT_NE(below, nullptr);
    EXPECT_EQ(above->MinValue(), 200);
    EXPECT_EQ(above->MaxValue(), 300);
    EXPECT_EQ(above->Percentage(), 50);
    EXPECT_EQ(below->MinValue(), -20);
    EXPECT_EQ(below->MaxValue(), -10);
    EXPECT_EQ(below->Percentage(), 50);

    // Once the form is read the checks are on again.
    EXPECT_THROW(above->SetMinValue(400), EInvalidOperation);
    EXPECT_THROW(below->SetMaxValue(-30), EInvalidOperation);
}

TEST_F(GaugeOnAWindow, ProgressIsClampedToTheBounds) {
    gauge->SetProgress(150);
    EXPECT_EQ(gauge->Progress(), 100);
    EXPECT_EQ(gauge->Percentage(), 100);
    gauge->SetProgress(-5);
    EXPECT_EQ(gauge->Progress(), 0);

    gauge->SetProgress(80);
    gauge->SetMaxValue(60);
    EXPECT_EQ(gauge->Progress(), 60) << "a lower maximum pulls the value down with it";
    gauge->SetMinValue(70 - 20);
    gauge->SetProgress(10);
    EXPECT_EQ(gauge->Progress(), 50);
    gauge->SetMinValue(55);
    EXPECT_EQ(gauge->Progress(), 55) << "a higher minimum pushes the value up with it";

    gauge->SetMinValue(0);
    gauge->SetMaxValue(0);
    EXPECT_EQ(gauge->Percentage(), 0) << "equal bounds show 0 %";
}

TEST_F(GaugeOnAWindow, OnlyANewWholePercentageRepaints) {
    gauge->SetMaxValue(1000);
    Mark();
    gauge->SetProgress(500);
    EXPECT_TRUE(Redrawn());
    gauge->SetProgress(501);
    EXPECT_EQ(gauge->Progress(), 501);
    EXPECT_FALSE(Redrawn()) << "501 of 1000 is still 50 %";
    gauge->SetProgress(2000);
    EXPECT_TRUE(Redrawn());
    gauge->SetProgress(1000);
    EXPECT_FALSE(Redrawn()) << "the clamped value is the one it has";
}

TEST_F(GaugeOnAWindow, AWriteOfTheCurrentValueDoesNothingAndAChangeRepaintsOnce) {
    struct Write {
        const char* property;
        std::function<void()> same, other;
    };
    const Write writes[] = {
        {"Kind", [&] { gauge->SetKind(TGaugeKind::gkHorizontalBar); },
         [&] { gauge->SetKind(TGaugeKind::gkPie); }},
        {"ShowText", [&] { gauge->SetShowText(true); }, [&] { gauge->SetShowText(false); }},
        {"BorderStyle", [&] { gauge->SetBorderStyle(TBorderStyle::bsSingle); },
         [&] { gauge->SetBorderStyle(TBorderStyle::bsNone); }},
        {"ForeColor", [&] { gauge->SetForeColor(clBlack); }, [&] { gauge->SetForeColor(clRed); }},
        {"BackColor", [&] { gauge->SetBackColor(clWhite); }, [&] { gauge->SetBackColor(clRed); }},
        {"MinValue", [&] { gauge->SetMinValue(0); }, [&] { gauge->SetMinValue(-10); }},
        {"MaxValue", [&] { gauge->SetMaxValue(100); }, [&] { gauge->SetMaxValue(90); }},
        {"Progress", [&] { gauge->SetProgress(0); }, [&] { gauge->SetProgress(45); }},
    };
    for (const Write& write : writes) {
        Mark();
        write.same();
        EXPECT_FALSE(Redrawn()) << write.property;
        write.other();
        EXPECT_TRUE(Redrawn()) << write.property;
    }
}

TEST_F(GaugeOnAWindow, AHiddenGaugeDrawsNothing) {
    gauge->SetVisible(false);
    UpdateWindow(form->Handle());
    Mark();
    gauge->SetProgress(40);
    gauge->SetKind(TGaugeKind::gkNeedle);
    EXPECT_FALSE(Redrawn());
    EXPECT_EQ(gauge->Percentage(), 40);
}

TEST_F(GaugeOnAWindow, ABoundThatWouldCrossTheOtherIsRefusedWithItsFiguresAndNothingChanges) {
    gauge->SetMaxValue(20);
    gauge->SetProgress(15);
    State before = Now();
    Mark();
    EXPECT_EQ(RefusalOf([&] { gauge->SetMinValue(50); }),
              "La valeur doit être comprise entre -2147483647 et 19");
    EXPECT_EQ(Now(), before);
    EXPECT_FALSE(Redrawn());

    gauge->SetMinValue(10);
    before = Now();
    Mark();
    EXPECT_EQ(RefusalOf([&] { gauge->SetMaxValue(5); }),
              "La valeur doit être comprise entre 11 et 2147483647");
    EXPECT_EQ(Now(), before);
    EXPECT_FALSE(Redrawn());
}

TEST_F(GaugeOnAWindow, BoundErrorsAtThe32BitLimitsGiveTheirTrueFigures) {
    gauge->SetMinValue(kLowest);
    gauge->SetMaxValue(kLowest);
    State before = Now();
    Mark();
    EXPECT_EQ(RefusalOf([&] { gauge->SetMinValue(0); }),
              "La valeur doit être comprise entre -2147483647 et -2147483649");
    EXPECT_EQ(Now(), before);
    EXPECT_FALSE(Redrawn());

    gauge->SetMaxValue(kHighest);
    gauge->SetMinValue(kHighest);
    before = Now();
    Mark();
    EXPECT_EQ(RefusalOf([&] { gauge->SetMaxValue(0); }),
              "La valeur doit être comprise entre 2147483648 et 2147483647");
    EXPECT_EQ(Now(), before);
    EXPECT_FALSE(Redrawn());
}

TEST_F(GaugeOnAWindow, BoundsAsWideAsTheLimitsGiveTheirPercentage) {
    gauge->SetMinValue(-2000000000);
    gauge->SetMaxValue(2000000000);
    gauge->SetProgress(0);
    EXPECT_EQ(gauge->Percentage(), 50);
    gauge->SetProgress(1000000000);
    EXPECT_EQ(gauge->Percentage(), 75);
    gauge->SetProgress(2000000000);
    EXPECT_EQ(gauge->Percentage(), 100);

    gauge->SetMinValue(kLowest);
    gauge->SetMaxValue(kHighest);
    Mark();
    gauge->SetProgress(kHighest);
    EXPECT_EQ(gauge->Percentage(), 100);
    EXPECT_TRUE(Redrawn());
    gauge->SetProgress(kLowest);
    EXPECT_EQ(gauge->Percentage(), 0);
    EXPECT_TRUE(Redrawn());
    gauge->SetProgress(-1);
    EXPECT_EQ(gauge->Percentage(), 49);
    EXPECT_TRUE(Redrawn());
    gauge->SetProgress(0);
    EXPECT_EQ(gauge->Percentage(), 50);
    EXPECT_TRUE(Redrawn());
}

TEST_F(GaugeOnAWindow, TheWindowErasesNothingBeneathTheGauge) {
    RECT client{};
    GetClientRect(form->Handle(), &client);
    PixelSurface surface(client.right, client.bottom);
    const uint32_t unerased = 0x123456;
    surface.Fill(unerased);
    SendMessageW(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.Dc()), 0);
    EXPECT_EQ(surface.Pixel(10, 20), unerased);
    EXPECT_EQ(surface.Pixel(209, 39), unerased);
    EXPECT_NE(surface.Pixel(9, 20), unerased) << "the window's background around it is erased";
    EXPECT_NE(surface.Pixel(210, 39), unerased);
}

TEST_F(GaugeOnAWindow, AWriteDrawsAtOnceOnTheWindowWithoutWaitingForAPaintMessage) {
    form->Show();
    UpdateWindow(form->Handle());
    gauge->SetBorderStyle(TBorderStyle::bsNone);
    gauge->SetShowText(false);
    gauge->SetForeColor(clGreen);
    gauge->SetBackColor(clRed);
    auto windowPixel = [&](int x, int y) { return ScreenPixel(form->Handle(), x, y); };
    // The gauge lies at (10, 20), 200 x 20: W is 201, so 50 % is 100 columns.
    gauge->SetProgress(50);
    EXPECT_EQ(windowPixel(10, 30), 0x008000u);
    EXPECT_EQ(windowPixel(109, 30), 0x008000u);
    EXPECT_EQ(windowPixel(110, 30), 0xFF0000u);
    gauge->SetProgress(100);
    EXPECT_EQ(windowPixel(209, 30), 0x008000u);
    EXPECT_NE(windowPixel(210, 30), 0x008000u) << "nothing drawn past the gauge";
}

TEST_F(GaugeOnAWindow, AWindowPaintDrawsTheGaugeWhereItsAreaMeetsTheGaugeAndNowhereElse) {
    UpdateWindow(form->Handle());
    gauge->SetBorderStyle(TBorderStyle::bsNone);
    gauge->SetShowText(false);
    gauge->SetForeColor(clGreen);
    gauge->SetBackColor(clRed);
    gauge->SetProgress(50);
    // The gauge lies at (10, 20), 200 x 20.
    const RECT beside{220, 20, 260, 40};
    const RECT above{10, 0, 210, 20};
    // A mark in the gauge's corner, which only a drawing of the gauge covers.
    MarkScreenPixel(form->Handle(), 209, 39, kMark);
    RedrawWindow(form->Handle(), &beside, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RedrawWindow(form->Handle(), &above, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(form->Handle(), 209, 39), kMark)
        << "a paint beside the gauge leaves it as it is";

    // One corner pixel of the gauge in the area: the gauge is drawn, and draws right.
    const RECT corner{209, 39, 230, 60};
    RedrawWindow(form->Handle(), &corner, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(form->Handle(), 209, 39), 0xFF0000u);
}

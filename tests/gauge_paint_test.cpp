// What the gauge paints, in real GDI: the window's own gauge, the vertical bar, the pie, the
// needle and text wider than the gauge.

#include "controls/Gauges.h"
#include "support/GaugePictures.h"
#include "support/MainWindowFixture.h"
#include "support/PumpUntil.h"
#include "controls/Spin.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr uint32_t kGreen = 0x008000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kNavy = 0x000080;
constexpr uint32_t kBlack = 0x000000;

// A gauge of its own, not on any window, in green over red around navy.
class GaugePicture : public testing::Test {
protected:
    GaugePicture() {
        gauge->SetForeColor(clGreen);
        gauge->SetBackColor(clRed);
        gauge->SetColor(clNavy);
        gauge->SetShowText(false);
    }

    std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
    TGauge* gauge = new TGauge(owner.get());
};

using Gauge1Picture = MainWindowTest;

// A system colour changed for as long as the object lives: the Wine prefix is every test's.
class ChangedSystemColor {
public:
    ChangedSystemColor(int index, COLORREF color) : index_(index), saved_(GetSysColor(index)) {
        SetSysColors(1, &index_, &color);
    }
    ~ChangedSystemColor() { SetSysColors(1, &index_, &saved_); }
    ChangedSystemColor(const ChangedSystemColor&) = delete;
    ChangedSystemColor& operator=(const ChangedSystemColor&) = delete;

private:
    int index_;
    COLORREF saved_;
};

// What the control's window shows at (x, y) of its client area.
COLORREF OnScreen(const TWinControl& control, int x, int y) {
    WindowDc dc(control.Handle());
    return GetPixel(dc.get(), x, y);
}

// The form's client area as it stands on the screen, children included.
std::unique_ptr<PixelSurface> ClientPicture(const TForm& form) {
    RECT client{};
    GetClientRect(form.Handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(form.Handle(), &origin);
    auto picture = std::make_unique<PixelSurface>(client.right, client.bottom);
    WindowDc screen(nullptr);
    BitBlt(picture->Dc(), 0, 0, client.right, client.bottom, screen.get(), origin.x, origin.y,
           SRCCOPY);
    return picture;
}

// The control's place in the form's client area.
RECT InForm(const TForm& form, const TControl& control, HWND parent) {
    RECT rect = control.BoundsRect();
    MapWindowPoints(parent, form.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int CountIn(const PixelSurface& picture, const RECT& area, uint32_t rgb) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += picture.Pixel(x, y) == rgb;
        }
    }
    return count;
}

uint32_t SystemRgb(int index) {
    const COLORREF color = GetSysColor(index);
    return GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
}

}  // namespace

TEST_F(Gauge1Picture, UnderAHighContrastThemeEveryColourIsTheThemesAndOffItIsAsBefore) {
    ScopedHighContrast theme;
    // A text colour of its own, told apart from the arrows' and the window text's black.
    ChangedSystemColor buttonText(COLOR_BTNTEXT, RGB(0x80, 0x00, 0x80));
    Start();
    form->Show();
    form->Gauge1->SetProgress(50);
    ASSERT_TRUE(PumpUntil(*app, [&] { return IsWindowVisible(form->Handle()); }));

    const RECT client{0, 0, form->ClientRect().right, form->ClientRect().bottom};
    const RECT gauge = InForm(*form, *form->Gauge1, form->Panel3->Handle());
    RECT share = gauge;
    share.right = gauge.left + 123;
    RECT rest = gauge;
    rest.left = share.right;
    const RECT link = InForm(*form, *form->Label4, form->GroupBox1->Handle());
    const RECT figures = InForm(*form, *form->Label7, form->Panel3->Handle());
    const RECT arrows = InForm(*form, *form->SpinEdit_1->Button(), form->SpinEdit_1->Handle());

    std::unique_ptr<PixelSurface> onTheme;
    PumpUntil(*app, [&] {
        onTheme = ClientPicture(*form);
        return onTheme->Pixel(gauge.left + 2, gauge.top + 2) == SystemRgb(COLOR_HIGHLIGHT) &&
               CountIn(*onTheme, arrows, SystemRgb(COLOR_BTNTEXT)) > 0;
    });
    for (uint32_t fixed : {kNavy, kGreen, kRed}) {
        EXPECT_EQ(CountIn(*onTheme, client, fixed), 0) << std::hex << fixed;
    }
    EXPECT_EQ(onTheme->Pixel(gauge.left + 2, gauge.top + 2), SystemRgb(COLOR_HIGHLIGHT));
    EXPECT_EQ(onTheme->Pixel(gauge.right - 3, gauge.top + 2), SystemRgb(COLOR_BTNFACE));
    // The percentage in the middle stands over both parts, in the theme's colour for each.
    EXPECT_GT(CountIn(*onTheme, share, SystemRgb(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_GT(CountIn(*onTheme, rest, SystemRgb(COLOR_BTNTEXT)), 0);
    EXPECT_GT(CountIn(*onTheme, link, SystemRgb(COLOR_HOTLIGHT)), 0);
    EXPECT_GT(CountIn(*onTheme, figures, SystemRgb(COLOR_BTNTEXT)), 0);
    EXPECT_GT(CountIn(*onTheme, arrows, SystemRgb(COLOR_BTNTEXT)), 0);
    EXPECT_EQ(form->Label4->Font().Color(), clNavy) << "only the painting changes";
    EXPECT_EQ(form->Gauge1->ForeColor(), clGreen);

    // Turned off, the window paints as it did before.
    theme.Set(false);
    SendMessageW(form->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    std::unique_ptr<PixelSurface> offTheme;
    // The screen shows what the window painted once the system has handed it on.
    PumpUntil(*app, [&] {
        offTheme = ClientPicture(*form);
        return offTheme->Pixel(gauge.left + 2, gauge.top + 2) == kGreen;
    });
    EXPECT_EQ(offTheme->Pixel(gauge.left + 2, gauge.top + 2), kGreen);
    EXPECT_EQ(offTheme->Pixel(gauge.right - 3, gauge.top + 2), kRed);
    EXPECT_GT(CountIn(*offTheme, link, kNavy), 0);
    EXPECT_GT(CountIn(*offTheme, figures, kGreen), 0);
    EXPECT_EQ(CountIn(*offTheme, arrows, SystemRgb(COLOR_BTNTEXT)), 0);
}

TEST_F(Gauge1Picture, TheBarAndItsTextAt0And50And100Percent) {
    Start();
    TGauge& gauge = *form->Gauge1;
    ASSERT_EQ(gauge.Width(), 246);
    ASSERT_EQ(gauge.Height(), 26);
    // W = 247 and H = 27, one more than the pixel counts: 50 % is 123 columns.
    const struct {
        int progress;
        int greenColumns;
        const wchar_t* text;
    } cases[] = {{0, 0, L"0%"}, {50, 123, L"50%"}, {100, 246, L"100%"}};
    for (const auto& c : cases) {
        gauge.SetProgress(c.progress);
        auto picture = PaintOf(gauge);
        auto layer = TextLayer(246, 26, {0, 0, 246, 26}, c.text, L"MS Sans Serif", -11);
        auto bar = [&](int x, int) { return x < c.greenColumns ? kGreen : kRed; };
        EXPECT_EQ(CountMismatches(*picture, *layer, bar), 0) << c.progress << " %";

        int overGreen = 0, overRed = 0;
        for (int y = 0; y < 26; ++y) {
            for (int x = 0; x < 246; ++x) {
                overGreen += picture->Pixel(x, y) == 0xFF7FFF;
                overRed += picture->Pixel(x, y) == 0x00FFFF;
            }
        }
        // The text is the complement of what lies beneath it: (255, 127, 255) over the green
        // and (0, 255, 255) over the red.
        EXPECT_EQ(overGreen > 0, c.progress > 0) << c.progress << " %";
        EXPECT_EQ(overRed > 0, c.progress < 100) << c.progress << " %";
        if (c.progress == 50) {
            EXPECT_EQ(picture->Pixel(122, 1), kGreen);
            EXPECT_EQ(picture->Pixel(123, 1), kRed);
        }
    }
}

TEST_F(Gauge1Picture, OtherSystemColoursShowAtOnceAroundTheGaugesOwn) {
    Start();
    form->Show();
    form->Gauge1->SetProgress(50);
    const TGauge& gauge = *form->Gauge1;
    // The form's border, and the space between the two buttons.
    auto border = [&] { return OnScreen(*form, 2, 2); };
    auto panel = [&] { return OnScreen(*form->Panel1, 120, 20); };
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_TRUE(PumpUntil(*app, [&] { return border() == face && panel() == face; }));

    const COLORREF other = face == RGB(40, 90, 160) ? RGB(160, 90, 40) : RGB(40, 90, 160);
    ChangedSystemColor changed(COLOR_BTNFACE, other);
    SendMessageW(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    PumpUntil(*app, [&] { return border() == other && panel() == other; });
    EXPECT_EQ(border(), other);
    EXPECT_EQ(panel(), other);
    EXPECT_EQ(OnScreen(*form->Panel3, gauge.Left() + 2, gauge.Top() + 2), RGB(0, 128, 0));
    EXPECT_EQ(OnScreen(*form->Panel3, gauge.Left() + gauge.Width() - 3, gauge.Top() + 2),
              RGB(255, 0, 0));
}

TEST_F(GaugePicture, TheHorizontalBarAt20PercentOf245IsOneColumnShort) {
    gauge->SetBounds(0, 0, 244, 10);
    gauge->SetBorderStyle(TBorderStyle::bsNone);
    gauge->SetProgress(20);
    auto picture = PaintOf(*gauge);
    // W = 245; 20 % of it is 49 in exact arithmetic, 48 in the extended arithmetic of the bar.
    EXPECT_EQ(picture->Pixel(47, 5), kGreen);
    EXPECT_EQ(picture->Pixel(48, 5), kRed);
}

TEST_F(GaugePicture, TheVerticalBarAtAHundredPercentWithAndWithoutBorder) {
    gauge->SetBounds(0, 0, 40, 30);
    gauge->SetKind(TGaugeKind::gkVerticalBar);
    gauge->SetProgress(100);

    gauge->SetBorderStyle(TBorderStyle::bsNone);
    auto plain = PaintOf(*gauge);
    int wrong = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            // H is the height plus one, and the bar is held one short of it: the top row shows.
            wrong += plain->Pixel(x, y) != (y == 0 ? kRed : kGreen);
        }
    }
    EXPECT_EQ(wrong, 0) << "without border";

    gauge->SetBorderStyle(TBorderStyle::bsSingle);
    auto framed = PaintOf(*gauge);
    wrong = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool frame = x == 0 || y == 0 || x == 39 || y == 29;
            wrong += framed->Pixel(x, y) != (frame ? kBlack : kGreen);
        }
    }
    EXPECT_EQ(wrong, 0) << "with border: the whole inside is filled";
}

TEST_F(GaugePicture, ThePieAt0And25Percent) {
    gauge->SetBounds(0, 0, 41, 41);
    gauge->SetBorderStyle(TBorderStyle::bsNone);
    gauge->SetKind(TGaugeKind::gkPie);
    auto empty = PaintOf(*gauge);
    EXPECT_EQ(empty->Pixel(0, 0), kNavy) << "the gauge's colour around the dial";
    EXPECT_EQ(empty->Pixel(40, 40), kNavy);
    int top = 0;
    while (top < 41 && empty->Pixel(20, top) == kNavy) {
        ++top;
    }
    EXPECT_LE(top, 1);
    EXPECT_EQ(empty->Pixel(20, top), kGreen) << "the dial's outline";
    for (POINT inside : {POINT{30, 10}, POINT{10, 10}, POINT{10, 30}, POINT{30, 30}}) {
        EXPECT_EQ(empty->Pixel(inside.x, inside.y), kRed) << "no wedge at 0 %";
    }

    gauge->SetProgress(25);
    auto quarter = PaintOf(*gauge);
    EXPECT_EQ(quarter->Pixel(30, 10), kGreen) << "25 % fills the upper right quarter";
    EXPECT_EQ(quarter->Pixel(25, 3), kGreen);
    EXPECT_EQ(quarter->Pixel(37, 15), kGreen);
    EXPECT_EQ(quarter->Pixel(10, 10), kRed);
    EXPECT_EQ(quarter->Pixel(10, 30), kRed);
    EXPECT_EQ(quarter->Pixel(30, 30), kRed);
    EXPECT_EQ(quarter->Pixel(0, 0), kNavy);
}

TEST_F(GaugePicture, TheNeedleAt0And25Percent) {
    gauge->SetBounds(0, 0, 61, 31);
    gauge->SetBorderStyle(TBorderStyle::bsNone);
    gauge->SetKind(TGaugeKind::gkNeedle);
    auto empty = PaintOf(*gauge);
    EXPECT_EQ(empty->Pixel(0, 0), kNavy) << "the gauge's colour around the half dial";
    EXPECT_EQ(empty->Pixel(60, 0), kNavy);
    EXPECT_EQ(empty->Pixel(30, 15), kRed) << "inside of the dial";
    EXPECT_EQ(empty->Pixel(30, 30), kGreen) << "the dial's flat side on the last row";
    EXPECT_EQ(empty->Pixel(20, 20), kRed) << "no needle at 0 %";

    gauge->SetProgress(25);
    auto quarter = PaintOf(*gauge);
    // From (30, 30) to (round(30 (1 - cos 45°)), round(30 (1 - sin 45°))) = (9, 9).
    for (int step = 12; step <= 28; step += 4) {
        EXPECT_EQ(quarter->Pixel(step, step), kGreen) << "the needle at " << step;
    }
    EXPECT_EQ(quarter->Pixel(40, 20), kRed) << "nothing on the right";
    EXPECT_EQ(quarter->Pixel(30, 15), kRed) << "nor straight up";
}

TEST_F(GaugePicture, TextWiderThanTheGaugeIsClippedOnBothSides) {
    gauge->SetBounds(0, 0, 16, 20);
    gauge->SetKind(TGaugeKind::gkText);
    gauge->SetShowText(true);
    gauge->Font().SetName("Arial");
    gauge->Font().SetHeight(-16);
    gauge->SetProgress(100);
    auto picture = PaintOf(*gauge);
    RECT area{1, 1, 15, 19};
    auto layer = TextLayer(16, 20, area, L"100%", L"Arial", -16);
    auto inside = [&](int x, int y) {
        POINT at{x, y};
        return PtInRect(&area, at) ? kRed : kBlack;
    };
    EXPECT_EQ(CountMismatches(*picture, *layer, inside), 0);

    SIZE extent = TextExtentIn(L"Arial", -16, L"100%");
    int x = (area.right - area.left + 1 - static_cast<int>(extent.cx)) / 2;
    EXPECT_LT(x, area.left) << "the text starts left of the paint rectangle";
    EXPECT_GT(x + extent.cx, area.right) << "and ends right of it";
    int ink = 0;
    for (int y = 1; y < 19; ++y) {
        for (int column = 1; column < 15; ++column) {
            ink += picture->Pixel(column, y) != kRed;
        }
    }
    EXPECT_GT(ink, 0) << "what lies inside shows";
}

TEST_F(GaugePicture, UnderAHighContrastThemeTheFrameTheDialAndTheWedgeTakeTheThemesColours) {
    ScopedHighContrast theme;
    gauge->SetBounds(0, 0, 40, 30);
    gauge->SetKind(TGaugeKind::gkVerticalBar);
    gauge->SetProgress(100);
    auto framed = PaintOf(*gauge);
    int wrong = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool frame = x == 0 || y == 0 || x == 39 || y == 29;
            wrong += framed->Pixel(x, y) != SystemRgb(frame ? COLOR_WINDOWFRAME : COLOR_HIGHLIGHT);
        }
    }
    EXPECT_EQ(wrong, 0);

    gauge->SetBounds(0, 0, 41, 41);
    gauge->SetBorderStyle(TBorderStyle::bsNone);
    gauge->SetKind(TGaugeKind::gkPie);
    gauge->SetProgress(25);
    auto pie = PaintOf(*gauge);
    EXPECT_EQ(pie->Pixel(0, 0), SystemRgb(COLOR_BTNFACE)) << "around the dial";
    EXPECT_EQ(pie->Pixel(30, 10), SystemRgb(COLOR_HIGHLIGHT)) << "the wedge";
    EXPECT_EQ(pie->Pixel(10, 30), SystemRgb(COLOR_BTNFACE)) << "the rest of the dial";
    EXPECT_EQ(gauge->Color(), clNavy);
}

// The window built for a screen of another scale than the form resource's 96 dpi, and laid out
// again when it moves to another screen.

#include "support/MainWindowFixture.h"

#include "app/TrayIcon.h"
#include "controls/GaugeMath.h"
#include "controls/Gauges.h"
#include "controls/Spin.h"
#include "fakes/FakeDisplayScale.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "platform/DisplayScale.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every place a window is moved or sized to, as the window itself hears of it; `onPlaced`, when
// set, runs once at the next one, inside that move.
class Placements {
public:
    explicit Placements(HWND window) : window_(window) {
        SetWindowSubclass(window_, &Placements::Procedure, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    ~Placements() { RemoveWindowSubclass(window_, &Placements::Procedure, 0); }
    Placements(const Placements&) = delete;
    Placements& operator=(const Placements&) = delete;

    std::vector<RECT> rects;
    std::function<void()> onPlaced;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
        if (message == WM_WINDOWPOSCHANGED) {
            const auto* change = reinterpret_cast<const WINDOWPOS*>(lParam);
            if ((change->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
                auto* self = reinterpret_cast<Placements*>(data);
                RECT placed{};
                GetWindowRect(window, &placed);
                self->rects.push_back(placed);
                if (auto placedOnce = std::exchange(self->onPlaced, nullptr)) {
                    placedOnce();
                }
            }
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    HWND window_;
};

class ScreenScaleTest : public MainWindowTest {
protected:
    // The outer size of a window whose client area at 96 dpi is that of `outer96`, at `dpi`.
    static SIZE OuterAt(int dpi, SIZE outer96) {
        auto frame = [](int atDpi) {
            RECT none{0, 0, 0, 0};
            RECT outer = platform::Win32DisplayScale().AdjustWindowRectExForDpi(
                none, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, atDpi);
            return SIZE{outer.right - outer.left, outer.bottom - outer.top};
        };
        const SIZE at96 = frame(96);
        const SIZE atDpi = frame(dpi);
        return {MulDiv(outer96.cx - at96.cx, dpi, 96) + atDpi.cx,
                MulDiv(outer96.cy - at96.cy, dpi, 96) + atDpi.cy};
    }

    static RECT Bounds(const TControl* control) { return control->BoundsRect(); }

    // The face of the font that the control's window draws its text in.
    static std::wstring FaceOf(const TWinControl* control) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(control->Handle(), WM_GETFONT, 0, 0));
        LOGFONTW asked{};
        GetObjectW(font, sizeof asked, &asked);
        return asked.lfFaceName;
    }

    FakeDisplayScale scale;
    ScopedFacet<platform::DisplayScale> scaleSwap_{platform::Current().scale, scale};
};

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

TEST_F(ScreenScaleTest, At144DpiEveryPlaceSizeFontAndBorderIsOneAndAHalfTimesTheResources) {
    scale.dpi = 144;
    Start();
    EXPECT_EQ(FontOf(form->Label1->Handle()).lfHeight, -17);
    const SIZE outer = OuterAt(144, {266, 444});
    EXPECT_EQ(form->Width(), outer.cx);
    EXPECT_EQ(form->Height(), outer.cy);
    RECT box{};
    GetWindowRect(form->GroupBox1->Handle(), &box);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, 8) << "inside the form's border, scaled";
    EXPECT_EQ(form->Font().Height(), -17);
    EXPECT_EQ(form->Label4->Font().Height(), -17) << "a font of its own scales too";
    EXPECT_EQ(form->Label1->Font().Height(), -17) << "a parent's font is followed";
    // The resource's bitmap face has no sizes for 150 %: its outline twin is asked for.
    EXPECT_EQ(FaceOf(form->Label1), L"Microsoft Sans Serif");
    EXPECT_EQ(FaceOf(form->Label4), L"Microsoft Sans Serif");
    EXPECT_EQ(FaceOf(form->Button1), L"Microsoft Sans Serif");

    EXPECT_TRUE(SameRect(Bounds(form->SpinEdit_1), RECT{120, 84, 194, 117}));
    EXPECT_TRUE(SameRect(Bounds(form->Button1), RECT{12, 12, 170, 50}));
    EXPECT_TRUE(SameRect(Bounds(form->Button4), RECT{192, 12, 350, 50}));
    EXPECT_EQ(form->GroupBox1->Height(), 194);
    EXPECT_EQ(form->GroupBox1->Left(), 8);
    EXPECT_EQ(form->GroupBox1->Width(), form->ClientRect().right - 16) << "aligned to the top";
    EXPECT_EQ(form->StatusBar1->Height(), 29);
    EXPECT_EQ(form->Panel1->Height(), 62);

    // The arrows: the button is 15 wide at 96 dpi; at 150 % the glyphs keep their pixels.
    TSpinButton* arrows = form->SpinEdit_1->Button();
    EXPECT_EQ(arrows->Width(), 23);
    EXPECT_TRUE(SameRect(Bounds(arrows), RECT{74 - 23 - 5, 0, 74 - 5, 33 - 5}));
    EXPECT_EQ(arrows->UpGlyph()->Width(), 9);
    EXPECT_EQ(arrows->UpGlyph()->Height(), 6);

    // The gauge fills the bottom of its panel and splits its colours on its real width.
    TGauge* gauge = form->Gauge1;
    EXPECT_EQ(gauge->Height(), 39);
    EXPECT_EQ(gauge->Width(), form->Panel3->ClientRect().right - 2);
    gauge->SetProgress(37);
    TBitmap picture(gauge->Width(), gauge->Height());
    gauge->Paint(picture.Dc());
    const int filled = PercentToSpan(37, gauge->Width() + 1);
    EXPECT_EQ(picture.Pixel(filled - 1, 2), RGB(0, 128, 0));
    EXPECT_EQ(picture.Pixel(filled, 2), RGB(255, 0, 0));
    EXPECT_EQ(picture.Pixel(gauge->Width() - 1, gauge->Height() - 1), RGB(255, 0, 0));

    // The tray icon is the image drawn for 24 pixels, the small icons' size at 150 %.
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(form->TrayIcon1->Icon().Handle(), &info));
    OwnedBitmap colour(info.hbmColor);
    OwnedBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 24);
}

TEST_F(ScreenScaleTest, At200PercentTheArrowsDoubleEveryPixel) {
    scale.dpi = 192;
    Start();
    const TBitmap* up = form->SpinEdit_1->Button()->UpGlyph();
    ASSERT_EQ(up->Width(), 18);
    ASSERT_EQ(up->Height(), 12);
    auto original = TBitmap::FromResource(L"SPINUP");
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 18; ++x) {
            ASSERT_EQ(up->Pixel(x, y), original->Pixel(x / 2, y / 2)) << x << ", " << y;
        }
    }
    EXPECT_EQ(form->SpinEdit_1->Button()->DownGlyph()->Width(), 18);
}

TEST_F(ScreenScaleTest, MovedToAScreenOfAnotherScaleTheWindowTakesTheOfferedPlaceAndScales) {
    Start();
    ASSERT_EQ(FontOf(form->Label1->Handle()).lfHeight, -11);
    const RECT spin96 = Bounds(form->SpinEdit_1);
    const RECT button96 = Bounds(form->Button1);
    auto dpiChanged = [&](int dpi, const RECT& offered) {
        scale.dpi = dpi;
        SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&offered));
    };
    auto at = [](const RECT& rect) { return std::vector<RECT>{rect}; };
    auto same = [](const std::vector<RECT>& a, const std::vector<RECT>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameRect);
    };
    // Away from the place that scaling the window's own would give, (303, 186).
    const RECT offered{100, 50, 100 + 401, 50 + 668};
    const RECT back{100, 50, 100 + 266, 50 + 444};

    Placements placements(form->Handle());
    dpiChanged(144, offered);
    EXPECT_TRUE(same(placements.rects, at(offered))) << "placed once, where Windows offers";
    EXPECT_EQ(FontOf(form->Label1->Handle()).lfHeight, -17);
    EXPECT_TRUE(SameRect(Bounds(form->SpinEdit_1), RECT{120, 84, 194, 117}));
    EXPECT_EQ(form->Gauge1->Height(), 39);
    EXPECT_EQ(form->Font().Height(), -17);

    // Placed back on the first screen, the window falls on the second again: that change comes
    // inside this one, and takes effect after it.
    placements.rects.clear();
    bool cameWhileScaling = false;
    placements.onPlaced = [&] {
        cameWhileScaling = form->Scaling();
        dpiChanged(144, offered);
    };
    dpiChanged(96, back);
    EXPECT_TRUE(cameWhileScaling);
    EXPECT_TRUE(same(placements.rects, {back, offered}));
    EXPECT_EQ(FontOf(form->Label1->Handle()).lfHeight, -17);
    EXPECT_TRUE(SameRect(Bounds(form->SpinEdit_1), RECT{120, 84, 194, 117}));
    EXPECT_EQ(form->Font().Height(), -17);

    // And back: the resource's own figures, not ones worn by rounding.
    placements.rects.clear();
    dpiChanged(96, back);
    EXPECT_TRUE(same(placements.rects, at(back)));
    EXPECT_TRUE(SameRect(Bounds(form->SpinEdit_1), spin96));
    EXPECT_TRUE(SameRect(Bounds(form->Button1), button96));
    EXPECT_EQ(form->Font().Height(), -11);
    EXPECT_EQ(FaceOf(form->Label1), L"MS Sans Serif");
    EXPECT_EQ(FaceOf(form->Label4), L"MS Sans Serif");
    EXPECT_EQ(form->Gauge1->Height(), 26);
}

}  // namespace

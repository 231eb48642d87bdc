// Velmora on a screen at 150 %: laid out for 144 dots per inch, its gauge and arrows drawn at
// the scaled size.

#include "E2eOptions.h"
#include "ProgramUnderTest.h"
#include "ScreenScale.h"
#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowPicture.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kStartTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr int kDpi = 144;

// The form resource's pixels at 96 dpi, at 144.
int Scaled(int length) {
    return MulDiv(length, kDpi, 96);
}

bool IsVisibleOwnedWindow(HWND window) {
    return IsVisible(window) && GetWindow(window, GW_OWNER) != nullptr;
}

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};

Rgb PixelAt(const RgbImage& image, POINT point) {
    const size_t at = (static_cast<size_t>(point.y) * image.width + point.x) * 3;
    return {image.pixels[at], image.pixels[at + 1], image.pixels[at + 2]};
}

// Where the window's client area begins in a picture of the whole window.
POINT ClientOrigin(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x - outer.left, origin.y - outer.top};
}

// The memory load the readout shows, in percent; -1 while the label reads otherwise.
int ShownLoad(HWND label) {
    const std::wstring prefix = L"Mémoire utilisée : ";
    const std::wstring text = WindowText(label);
    return text.starts_with(prefix) ? _wtoi(text.c_str() + prefix.size()) : -1;
}

// The black pixels of a picture's rectangle.
int BlackPixels(const RgbImage& image, const RECT& area) {
    int count = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) {
            count += PixelAt(image, {x, y}) == Rgb{0, 0, 0} ? 1 : 0;
        }
    }
    return count;
}

class VelmoraScreenScale : public testing::Test {
protected:
    ProgramUnderTest velmora_{Options().velmora, L"Velmora.exe"};
};

}  // namespace

TEST_F(VelmoraScreenScale, At144DpiTheWindowAndItsControlsAreOneAndAHalfTimesAsLarge) {
    HWND main = nullptr;
    {
        ScopedLogPixels scale(kDpi);
        LaunchedProcess& process = velmora_.Start();
        EXPECT_TRUE(process.WaitForInputIdle(kStartTimeoutMs));
        main = velmora_.WaitForWindow({.text = L"Velmora"}, kStartTimeoutMs, IsVisibleOwnedWindow);
    }
    ASSERT_NE(main, nullptr) << "no visible window captioned Velmora";

    // 266 x 444 at 96 dpi; the frame around the client area is the system's at 144.
    RECT outer{};
    GetWindowRect(main, &outer);
    EXPECT_NEAR(outer.right - outer.left, 399, 6);
    EXPECT_NEAR(outer.bottom - outer.top, 666, 6);

    // The minutes field: (80, 56), 49 x 22 in the group box at the border of 5.
    const HWND minutes = FindChild(main, {.className = L"Edit"});
    ASSERT_NE(minutes, nullptr);
    const RECT field = RectInClient(minutes, main);
    const int border = Scaled(5);
    EXPECT_EQ(field.left, border + Scaled(80));
    EXPECT_EQ(field.top, border + Scaled(56));
    EXPECT_EQ(field.right - field.left, Scaled(49));
    EXPECT_EQ(field.bottom - field.top, Scaled(22));

    const HWND sweep = FindChild(main, {.className = L"Button", .text = L"Faire le ménage"});
    ASSERT_NE(sweep, nullptr);
    const RECT button = RectInClient(sweep, main);
    EXPECT_EQ(button.left, border + Scaled(8));
    EXPECT_EQ(button.right - button.left, Scaled(105));
    EXPECT_EQ(button.bottom - button.top, Scaled(25));
    const HWND statusBar = FindChild(main, {.className = L"msctls_statusbar32"});
    ASSERT_NE(statusBar, nullptr);
    const RECT bar = RectInClient(statusBar, main);
    EXPECT_EQ(bar.bottom - bar.top, Scaled(19));

    // The gauge lies along the bottom of the readout's panel, inside its one-pixel bevel.
    const HWND load = FindChild(
        main, {.className = L"Static", .text = L"Mémoire utilisée", .textIsPrefix = true});
    ASSERT_NE(load, nullptr);
    const HWND panel = GetParent(load);
    RECT panelClient{};
    GetClientRect(panel, &panelClient);
    MapWindowPoints(panel, main, reinterpret_cast<POINT*>(&panelClient), 2);
    const POINT origin = ClientOrigin(main);
    const int gaugeLeft = origin.x + panelClient.left + 1;
    const int gaugeWidth = panelClient.right - panelClient.left - 2;
    const int gaugeTop = origin.y + panelClient.bottom - 1 - Scaled(26);
    // Above the percentage text, which sits in the middle of the gauge.
    const int row = gaugeTop + 3;

    // The fill ends at the free share of the gauge's real width, not of its 96-dpi width; the
    // readout may move between two looks, so the picture must agree with the label around it.
    RgbImage picture;
    int free = -1;
    int green = -1;
    const Rgb kGreen{0, 128, 0};
    const Rgb kRed{255, 0, 0};
    const bool split = WaitUntil(
        [&] {
            const int before = ShownLoad(load);
            picture = CaptureWindow(main);
            if (before < 0 || ShownLoad(load) != before) {
                return false;
            }
            free = 100 - before;
            int x = gaugeLeft;
            while (x < gaugeLeft + gaugeWidth && PixelAt(picture, {x, row}) == kGreen) {
                ++x;
            }
            green = x - gaugeLeft;
            while (x < gaugeLeft + gaugeWidth && PixelAt(picture, {x, row}) == kRed) {
                ++x;
            }
            // The whole row is green then red, and the fill's end agrees with the label.
            return x == gaugeLeft + gaugeWidth &&
                   std::abs(green - free * (gaugeWidth + 1) / 100) <= 1;
        },
        kStartTimeoutMs);
    EXPECT_TRUE(split) << "green " << green << " of " << gaugeWidth << " at " << free << " % free";

    // Both arrows show, at their own pixels' size, inside the buttons' edges.
    const HWND arrows = FindChild(minutes, {.className = L"TSpinButton"});
    ASSERT_NE(arrows, nullptr);
    RECT pair = RectInClient(arrows, main);
    OffsetRect(&pair, origin.x, origin.y);
    const int half = (pair.bottom - pair.top) / 2;
    const RECT up{pair.left + 2, pair.top + 2, pair.right - 2, pair.top + half - 2};
    const RECT down{pair.left + 2, pair.top + half + 1, pair.right - 2, pair.bottom - 2};
    // 1 + 3 + 5 + 7 pixels of black in each arrow.
    EXPECT_GE(BlackPixels(picture, up), 16);
    EXPECT_GE(BlackPixels(picture, down), 16);

    SaveWindowPicture(main, L"velmora-window-144dpi.png");
    Close(main);
    EXPECT_TRUE(velmora_.Process().WaitForExit(kExitTimeoutMs).has_value());
}

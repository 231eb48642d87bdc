// The spin button's arrow pictures, as stored in the program and as the buttons hold them,
// and how the two buttons share the spin button's area.

#include "controls/Spin.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The stored bitmap resource, row by row from the top, as palette indices.
struct StoredGlyph {
    BITMAPINFOHEADER header{};
    std::vector<RGBQUAD> palette;
    std::vector<std::string> rows;  // '#' for index 0, '.' for index 3, '?' for anything else
};

StoredGlyph ReadStoredGlyph(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (resource == nullptr) {
        ADD_FAILURE() << "no bitmap resource";
        return {};
    }
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    StoredGlyph glyph;
    glyph.header = *reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    const BITMAPINFOHEADER& header = glyph.header;
    const size_t colours = header.biClrUsed != 0 ? header.biClrUsed : 16;
    const auto* palette = reinterpret_cast<const RGBQUAD*>(bytes + header.biSize);
    glyph.palette.assign(palette, palette + colours);
    const BYTE* bits = bytes + header.biSize + colours * sizeof(RGBQUAD);
    const int stride = ((header.biWidth * header.biBitCount + 31) / 32) * 4;
    for (int y = header.biHeight - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < header.biWidth; ++x) {
            BYTE pair = bits[y * stride + x / 2];
            int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            row += index == 0 ? '#' : index == 3 ? '.' : '?';
        }
        glyph.rows.push_back(row);
    }
    return glyph;
}

}  // namespace

TEST(SpinGlyphs, AreNineBySixSixteenColourArrowsOnOlive) {
    const std::vector<std::string> up = {
        ".........", "....#....", "...###...", "..#####..", ".#######.", ".........",
    };
    const std::vector<std::string> down(up.rbegin(), up.rend());
    for (const auto& [name, picture] : {std::pair{L"SPINUP", up}, std::pair{L"SPINDOWN", down}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        StoredGlyph glyph = ReadStoredGlyph(name);
        EXPECT_EQ(glyph.header.biWidth, 9);
        EXPECT_EQ(glyph.header.biHeight, 6);
        EXPECT_EQ(glyph.header.biBitCount, 4);
        EXPECT_EQ(glyph.header.biCompression, static_cast<DWORD>(BI_RGB));
        ASSERT_GE(glyph.palette.size(), 16u);
        const RGBQUAD olive = glyph.palette[3];
        EXPECT_EQ(RGB(olive.rgbRed, olive.rgbGreen, olive.rgbBlue), RGB(128, 128, 0));
        const RGBQUAD black = glyph.palette[0];
        EXPECT_EQ(RGB(black.rgbRed, black.rgbGreen, black.rgbBlue), RGB(0, 0, 0));
        const RGBQUAD white = glyph.palette[15];
        EXPECT_EQ(RGB(white.rgbRed, white.rgbGreen, white.rgbBlue), RGB(255, 255, 255))
            << "the standard sixteen colours";
        EXPECT_EQ(glyph.rows, picture);
    }
}

class SpinButtonTest : public testing::Test {
protected:
    std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
    TSpinButton* spin = new TSpinButton(owner.get());
};

TEST_F(SpinButtonTest, BothButtonsCarryTheirArrowWithOliveTransparent) {
    for (TTimerSpeedButton* button : {spin->UpButton(), spin->DownButton()}) {
        const TBitmap* glyph = button->Glyph();
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->Width(), 9);
        EXPECT_EQ(glyph->Height(), 6);
        EXPECT_EQ(button->NumGlyphs(), 1);
        EXPECT_EQ(glyph->Pixel(0, 5), RGB(128, 128, 0));
        EXPECT_TRUE(button->AutoRepeat());
        EXPECT_EQ(button->Parent(), spin);
    }
    EXPECT_EQ(spin->UpButton()->Glyph()->Pixel(4, 1), RGB(0, 0, 0));
    EXPECT_EQ(spin->DownButton()->Glyph()->Pixel(4, 4), RGB(0, 0, 0));
    EXPECT_EQ(spin->FocusedButton(), spin->UpButton());
    EXPECT_FALSE(spin->TabStop());
}

TEST_F(SpinButtonTest, AGlyphIsCopiedAndNoGlyphBringsBackTheArrow) {
    auto own = std::make_unique<TBitmap>(4, 2);
    own->Blacken();
    spin->SetUpNumGlyphs(2);
    spin->SetUpGlyph(own.get());
    own.reset();
    ASSERT_NE(spin->UpGlyph(), nullptr);
    EXPECT_EQ(spin->UpGlyph()->Width(), 4);
    EXPECT_EQ(spin->UpNumGlyphs(), 2);
    EXPECT_EQ(spin->UpGlyph()->Pixel(3, 1), RGB(0, 0, 0));

    spin->SetUpGlyph(nullptr);
    EXPECT_EQ(spin->UpGlyph()->Width(), 9);
    EXPECT_EQ(spin->UpNumGlyphs(), 1);
    EXPECT_EQ(spin->DownGlyph()->Width(), 9) << "the other button keeps its own";
}

TEST_F(SpinButtonTest, TheButtonsShareOneRowAndTheWidthIsAtLeastFifteen) {
    struct Case {
        int width, height;
        RECT up, down;
        int finalWidth;
    };
    const Case cases[] = {
        {20, 25, {0, 0, 20, 12}, {0, 11, 20, 25}, 20},
        {15, 17, {0, 0, 15, 8}, {0, 7, 15, 17}, 15},
        {10, 10, {0, 0, 15, 5}, {0, 4, 15, 10}, 15},
        {16, 1, {0, 0, 16, 0}, {0, -1, 16, 1}, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        spin->SetBounds(3, 4, c.width, c.height);
        EXPECT_EQ(spin->Width(), c.finalWidth);
        EXPECT_EQ(spin->Height(), c.height);
        RECT up = spin->UpButton()->BoundsRect();
        RECT down = spin->DownButton()->BoundsRect();
        EXPECT_TRUE(EqualRect(&up, &c.up))
            << up.left << "," << up.top << " " << up.right << "," << up.bottom;
        EXPECT_TRUE(EqualRect(&down, &c.down))
            << down.left << "," << down.top << " " << down.right << "," << down.bottom;
    }
}

TEST_F(SpinButtonTest, AFocusControlThatGoesIsForgotten) {
    auto* field = new TSpinEdit(owner.get());
    spin->SetFocusControl(field);
    delete field;
    EXPECT_EQ(spin->FocusControl(), nullptr);
}

namespace {

// What the button paints on its own, off screen.
struct Painted {
    explicit Painted(TTimerSpeedButton& button) : bitmap(button.Width(), button.Height()) {
        button.Paint(bitmap.Dc());
    }
    TBitmap bitmap;
};

// The rows of black pixels inside `area`, with their first column and width.
std::vector<std::pair<int, int>> BlackRuns(const TBitmap& bitmap, const RECT& area) {
    std::vector<std::pair<int, int>> runs;
    for (int y = area.top; y < area.bottom; ++y) {
        int first = -1;
        int width = 0;
        for (int x = area.left; x < area.right; ++x) {
            if (bitmap.Pixel(x, y) == RGB(0, 0, 0)) {
                first = first < 0 ? x : first;
                ++width;
            }
        }
        if (width > 0) {
            runs.emplace_back(first, width);
        }
    }
    return runs;
}

}  // namespace

TEST_F(SpinButtonTest, AButtonShowsItsArrowWithoutTheOliveAndPressedOnePixelFurther) {
    TTimerSpeedButton* up = spin->UpButton();
    up->SetBounds(0, 0, 23, 22);
    const RECT inside{3, 3, 20, 19};
    Painted released(*up);
    // The glyph is centred: (23 - 9) / 2 = 7 and (22 - 6) / 2 = 8.
    EXPECT_EQ(BlackRuns(released.bitmap, inside),
              (std::vector<std::pair<int, int>>{{11, 1}, {10, 3}, {9, 5}, {8, 7}}));
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 23; ++x) {
            ASSERT_NE(released.bitmap.Pixel(x, y), RGB(128, 128, 0)) << x << "," << y;
        }
    }

    up->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    ASSERT_EQ(up->State(), TButtonState::bsDown);
    Painted pressed(*up);
    EXPECT_EQ(BlackRuns(pressed.bitmap, inside),
              (std::vector<std::pair<int, int>>{{12, 1}, {11, 3}, {10, 5}, {9, 7}}));
    up->MouseUp(TMouseButton::mbLeft, {}, 50, 50);
}

TEST_F(SpinButtonTest, TheFocusRectangleStandsThreePixelsInsideAndMovesWhenPressed) {
    TTimerSpeedButton* up = spin->UpButton();
    up->SetBounds(0, 0, 23, 22);
    for (bool press : {false, true}) {
        SCOPED_TRACE(press ? "pressed" : "released");
        if (press) {
            up->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
        }
        up->SetFocusRect(false);
        Painted plain(*up);
        up->SetFocusRect(true);
        Painted focused(*up);
        RECT ring{3, 3, 20, 19};
        if (press) {
            OffsetRect(&ring, 1, 1);
        }
        int changed = 0;
        for (int y = 0; y < 22; ++y) {
            for (int x = 0; x < 23; ++x) {
                if (plain.bitmap.Pixel(x, y) == focused.bitmap.Pixel(x, y)) {
                    continue;
                }
                ++changed;
                const bool onRing =
                    x == ring.left || x == ring.right - 1 || y == ring.top || y == ring.bottom - 1;
                EXPECT_TRUE(onRing && x >= ring.left && x < ring.right && y >= ring.top &&
                            y < ring.bottom)
                    << x << "," << y;
            }
        }
        // A dotted line: every other pixel of the ring.
        EXPECT_GE(changed, 25);
    }
    up->MouseUp(TMouseButton::mbLeft, {}, 50, 50);
}

TEST_F(SpinButtonTest, UnderAHighContrastThemeTheArrowIsButtonTextOrGrayTextWhenDisabled) {
    TTimerSpeedButton* up = spin->UpButton();
    up->SetBounds(0, 0, 23, 22);
    ScopedHighContrast theme;
    auto pixelsOf = [&](int systemColor) {
        Painted painted(*up);
        int count = 0;
        for (int y = 3; y < 19; ++y) {
            for (int x = 3; x < 20; ++x) {
                count += painted.bitmap.Pixel(x, y) == GetSysColor(systemColor);
            }
        }
        return count;
    };
    // The arrow's 1 + 3 + 5 + 7 pixels.
    EXPECT_EQ(pixelsOf(COLOR_BTNTEXT), 16);
    up->SetEnabled(false);
    EXPECT_EQ(pixelsOf(COLOR_GRAYTEXT), 16);
    EXPECT_EQ(pixelsOf(COLOR_BTNHIGHLIGHT), 0) << "not etched into the face";
}

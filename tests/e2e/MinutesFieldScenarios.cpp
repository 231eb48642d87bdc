// The minutes field of the real executable: typing, the arrow key and the two arrow buttons
// that it shows.

#include "E2eOptions.h"
#include "ProgramUnderTest.h"
#include "VelmoraWindow.h"
#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowPicture.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 10000;
constexpr DWORD kAnswerTimeoutMs = 5000;
// The arrows' 3D frame is two pixels wide; the pictures lie inside it.
constexpr int kFrame = 2;

bool IsVisibleOwnedWindow(HWND window) {
    return IsVisible(window) && GetWindow(window, GW_OWNER) != nullptr;
}

// The widths of the runs of black pixels, one per row that has any, from the top, inside
// `area` of the picture.
std::vector<int> BlackRowWidths(const RgbImage& image, const RECT& area) {
    std::vector<int> widths;
    for (int y = area.top; y < area.bottom; ++y) {
        int count = 0;
        for (int x = area.left; x < area.right; ++x) {
            const std::uint8_t* pixel =
                &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
            count += pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0 ? 1 : 0;
        }
        if (count > 0) {
            widths.push_back(count);
        }
    }
    return widths;
}

class VelmoraMinutesField : public testing::Test {
protected:
    void SetUp() override {
        LaunchedProcess& process = velmora_.Start();
        EXPECT_TRUE(process.WaitForInputIdle(kStartTimeoutMs));
        main_ = velmora_.WaitForWindow({.text = L"Velmora"}, kStartTimeoutMs, IsVisibleOwnedWindow);
        ASSERT_NE(main_, nullptr) << "no visible window captioned Velmora";
        field_ = MinutesField(main_);
    }
    void TearDown() override {
        if (main_ != nullptr) {
            Close(main_);
            EXPECT_TRUE(velmora_.Process().WaitForExit(kStartTimeoutMs).has_value());
        }
    }

    ProgramUnderTest velmora_{Options().velmora, L"Velmora.exe"};
    HWND main_ = nullptr;
    HWND field_ = nullptr;
};

}  // namespace

TEST_F(VelmoraMinutesField, ALetterInsertsNothingAndTheUpArrowTurnsThirtyIntoThirtyOne) {
    ASSERT_EQ(WindowText(field_), L"30");
    Post(field_, WM_CHAR, L'a', 1);
    // Handled in order: had the letter gone in, the text would no longer read as 30.
    Post(field_, WM_KEYDOWN, VK_UP, 1 | (LPARAM{MapVirtualKeyW(VK_UP, MAPVK_VK_TO_VSC)} << 16));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(field_) != L"30"; }, kAnswerTimeoutMs));
    EXPECT_EQ(WindowText(field_), L"31");
}

TEST_F(VelmoraMinutesField, IsNamedForAScreenReaderByTheStaticTextAboveIt) {
    HWND above = GetWindow(field_, GW_HWNDPREV);
    while (above != nullptr && _wcsicmp(ClassName(above).c_str(), L"Static") != 0) {
        above = GetWindow(above, GW_HWNDPREV);
    }
    ASSERT_NE(above, nullptr) << "no static text above the field";
    EXPECT_EQ(WindowText(above), L"Minutes");
}

TEST_F(VelmoraMinutesField, ShowsItsTwoArrowButtons) {
    const HWND arrows = FindChild(field_, {.className = L"TSpinButton"});
    ASSERT_NE(arrows, nullptr) << "no arrow buttons in the minutes field";
    EXPECT_TRUE(IsVisible(arrows));
    const RECT inField = RectInClient(arrows, field_);
    EXPECT_EQ(inField.left, 29);
    EXPECT_EQ(inField.top, 0);
    EXPECT_EQ(inField.right - inField.left, 15);
    EXPECT_EQ(inField.bottom - inField.top, 17);

    EXPECT_TRUE(WaitUntil([&] { return IsPainted(main_); }, kStartTimeoutMs));
    RECT window{}, area{};
    GetWindowRect(main_, &window);
    GetWindowRect(arrows, &area);
    OffsetRect(&area, -window.left, -window.top);
    // The up button holds the upper eight rows, the down button the rest, less one shared row.
    const RECT up{area.left + kFrame, area.top + kFrame, area.right - kFrame, area.top + 8 - 1};
    const RECT down{area.left + kFrame, area.top + 8, area.right - kFrame, area.bottom - kFrame};
    const std::vector<int> upArrow{1, 3, 5, 7};
    const std::vector<int> downArrow{7, 5, 3, 1};
    // Wine copies what a window painted to the screen a moment after the paint.
    std::vector<int> upSeen, downSeen;
    WaitUntil(
        [&] {
            const RgbImage picture = CaptureWindow(main_);
            upSeen = BlackRowWidths(picture, up);
            downSeen = BlackRowWidths(picture, down);
            return upSeen == upArrow && downSeen == downArrow;
        },
        kAnswerTimeoutMs, 100);
    EXPECT_EQ(upSeen, upArrow);
    EXPECT_EQ(downSeen, downArrow);
}

// Hiding the real program to the tray and bringing it back, as a user does: the minimize
// button, "Réduire", the icon's double click and its menu.

#include "StateFileFixture.h"
#include "TrayFromOutside.h"
#include "VelmoraWindow.h"
#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kAvailablePrefix[] = L"Mémoire disponible : ";
constexpr wchar_t kMark[] = L"(effacé par le test)";

class VelmoraHiding : public VelmoraStateFile {
protected:
    void StartShown(std::optional<WORD> showCommand = std::nullopt) {
        LaunchedProcess& process = velmora_.Start(showCommand);
        ASSERT_TRUE(process.WaitForInputIdle(kStartTimeoutMs));
        main_ = WaitForMainWindow(velmora_, kStartTimeoutMs);
        ASSERT_NE(main_, nullptr);
        application_ = GetWindow(main_, GW_OWNER);
        tray_ = WaitForTrayWindow(velmora_, kStartTimeoutMs);
        ASSERT_NE(tray_, nullptr);
    }

    bool WaitForShown() {
        return WaitUntil([&] { return IsVisible(main_) && IsVisible(application_); },
                         kStartTimeoutMs);
    }
    bool WaitForHidden() {
        return WaitUntil([&] { return !IsVisible(main_) && !IsVisible(application_); },
                         kStartTimeoutMs);
    }

    // True once the once-a-second readout has rewritten a label that the test overwrote.
    bool ReadoutRefreshes() {
        const HWND available = FindChild(
            main_, {.className = L"Static", .text = kAvailablePrefix, .textIsPrefix = true});
        if (available == nullptr) {
            return false;
        }
        SetText(available, kMark);
        return WaitUntil([&] { return WindowText(available).starts_with(kAvailablePrefix); },
                         kStartTimeoutMs);
    }

    testing::AssertionResult QuitsFromTheMenu() {
        ChooseFromTrayMenu(velmora_, tray_, -1);
        const std::optional<DWORD> exitCode = velmora_.Process().WaitForExit(kExitTimeoutMs);
        if (!exitCode) {
            return testing::AssertionFailure() << "\"Quitter\" did not end the program";
        }
        if (!StateFile()) {
            return testing::AssertionFailure() << "serie.ini was not written";
        }
        return testing::AssertionSuccess();
    }

    HWND main_ = nullptr;
    HWND application_ = nullptr;
    HWND tray_ = nullptr;
};

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

TEST_F(VelmoraHiding, MinimizeThenDoubleClickBringsTheWindowBackWhereItWas) {
    StartShown();
    ASSERT_TRUE(WaitForShown());
    const RECT before = WindowRect(main_);

    Minimize(main_);
    ASSERT_TRUE(WaitForHidden()) << "no taskbar button may stay";
    EXPECT_TRUE(IsIconic(application_));

    NotifyTray(tray_, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitForShown());
    const RECT after = WindowRect(main_);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_FALSE(IsIconic(application_));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }, kStartTimeoutMs))
        << "the window comes to the front";
    EXPECT_TRUE(ReadoutRefreshes());
    EXPECT_TRUE(ClosesQuietly(main_));
}

TEST_F(VelmoraHiding, ReduireThenAfficherFromTheMenu) {
    StartShown();
    ASSERT_TRUE(WaitForShown());
    Click(FindChild(main_, {.className = L"Button", .text = L"Réduire"}));
    ASSERT_TRUE(WaitForHidden());
    EXPECT_FALSE(IsIconic(application_));

    ChooseFromTrayMenu(velmora_, tray_, 2);
    ASSERT_TRUE(WaitForShown());
    EXPECT_TRUE(ReadoutRefreshes());
    EXPECT_TRUE(ClosesQuietly(main_));
}

TEST_F(VelmoraHiding, AHiddenStartShowsTheWindowCentredAtTheFirstDoubleClick) {
    WriteStateFile("[Form1]\r\nSpinEdit_1=30\r\n");
    StartShown();
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id()));
    NotifyTray(tray_, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitForShown());
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const RECT window = WindowRect(main_);
    EXPECT_EQ(window.left, (desktop.right - desktop.left - (window.right - window.left)) / 2);
    EXPECT_EQ(window.top, (desktop.bottom - desktop.top - (window.bottom - window.top)) / 2);
    EXPECT_TRUE(ReadoutRefreshes());
    EXPECT_TRUE(ClosesQuietly(main_));
}

TEST_F(VelmoraHiding, QuitterEndsTheProgramWhileHiddenAndWhileMinimized) {
    StartShown();
    ASSERT_TRUE(WaitForShown());
    Click(FindChild(main_, {.className = L"Button", .text = L"Réduire"}));
    ASSERT_TRUE(WaitForHidden());
    EXPECT_TRUE(QuitsFromTheMenu());

    ASSERT_TRUE(DeleteFileW(velmora_.Folder().PathOf(L"serie.ini").c_str()));
    StartShown();
    ASSERT_TRUE(WaitForShown());
    Minimize(main_);
    ASSERT_TRUE(WaitForHidden());
    EXPECT_TRUE(QuitsFromTheMenu());
}

TEST_F(VelmoraHiding, AStartMinimizedShowsNothingUntilTheDoubleClick) {
    StartShown(SW_SHOWMINNOACTIVE);
    Sleep(kHiddenSettleMs);
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id()))
        << "no window and no taskbar button";
    NotifyTray(tray_, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitForShown());
    EXPECT_FALSE(IsIconic(main_));
    EXPECT_FALSE(IsZoomed(main_));
    EXPECT_TRUE(ClosesQuietly(main_));
}

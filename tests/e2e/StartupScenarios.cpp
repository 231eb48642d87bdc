// How Velmora starts: with its window on a first start, in the tray once it has settings.

#include "E2eOptions.h"
#include "ProgramUnderTest.h"
#include "WindowActions.h"
#include "WindowPicture.h"
#include "WindowQueries.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace {

constexpr DWORD kStartTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 10000;
// Long enough for a window shown by mistake to appear after the program has become idle.
constexpr DWORD kHiddenSettleMs = 1500;
// Wine copies what a window painted to the X screen a moment after the paint.
constexpr DWORD kScreenCatchUpMs = 300;

bool ContainsDigit(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The main window is the visible one among those the application window owns.
bool IsVisibleOwnedWindow(HWND window) {
    return IsVisible(window) && GetWindow(window, GW_OWNER) != nullptr;
}

class VelmoraStartup : public testing::Test {
protected:
    ProgramUnderTest velmora_{Options().velmora, L"Velmora.exe"};
};

}  // namespace

TEST_F(VelmoraStartup, FirstStartShowsTheWindowWithItsDefaults) {
    ASSERT_FALSE(velmora_.Folder().Exists(L"serie.ini"));
    LaunchedProcess& process = velmora_.Start();
    EXPECT_TRUE(process.WaitForInputIdle(kStartTimeoutMs));
    const HWND main =
        velmora_.WaitForWindow({.text = L"Velmora"}, kStartTimeoutMs, IsVisibleOwnedWindow);
    ASSERT_NE(main, nullptr) << "no visible window captioned Velmora";

    EXPECT_TRUE(WaitUntil([&] { return IsPainted(main); }, kStartTimeoutMs));
    Sleep(kScreenCatchUpMs);
    SaveWindowPicture(main, L"velmora-window.png");

    const HWND application = GetWindow(main, GW_OWNER);
    EXPECT_EQ(ClassName(application), L"TApplication");
    RECT applicationRect{};
    GetWindowRect(application, &applicationRect);
    EXPECT_EQ(applicationRect.right - applicationRect.left, 0);
    EXPECT_EQ(applicationRect.bottom - applicationRect.top, 0);

    const HWND minutes = FindChild(main, {.className = L"Edit"});
    ASSERT_NE(minutes, nullptr) << "no minutes field";
    EXPECT_EQ(WindowText(minutes), L"30");
    EXPECT_TRUE(IsVisible(minutes));

    for (const wchar_t* browser :
         {L"J'utilise Internet Explorer", L"J'utilise Firefox", L"J'utilise Chrome"}) {
        const HWND checkBox = FindChild(main, {.className = L"Button", .text = browser});
        ASSERT_NE(checkBox, nullptr) << "no check box " << testing::PrintToString(browser);
        EXPECT_TRUE(IsCheckBox(checkBox)) << testing::PrintToString(browser);
        EXPECT_EQ(CheckState(checkBox), BST_UNCHECKED) << testing::PrintToString(browser);
        EXPECT_TRUE(IsVisible(checkBox)) << testing::PrintToString(browser);
    }

    struct MemoryLabel {
        std::wstring prefix;
        std::wstring unit;
    };
    for (const MemoryLabel& label :
         {MemoryLabel{L"Mémoire totale : ", L" Mo"}, MemoryLabel{L"Mémoire disponible : ", L" Mo"},
          MemoryLabel{L"Mémoire utilisée : ", L" %"}}) {
        const HWND window =
            FindChild(main, {.className = L"Static", .text = label.prefix, .textIsPrefix = true});
        ASSERT_NE(window, nullptr) << "no label " << testing::PrintToString(label.prefix);
        const std::wstring value = WindowText(window).substr(label.prefix.size());
        EXPECT_TRUE(value.ends_with(label.unit)) << testing::PrintToString(WindowText(window));
        EXPECT_TRUE(ContainsDigit(value)) << testing::PrintToString(WindowText(window));
        EXPECT_TRUE(IsVisible(window)) << testing::PrintToString(label.prefix);
    }

    const HWND statusBar = FindChild(main, {.className = L"msctls_statusbar32"});
    ASSERT_NE(statusBar, nullptr) << "no status bar";
    EXPECT_EQ(WindowText(statusBar), L"");

    Close(main);
    const std::optional<DWORD> exitCode = process.WaitForExit(kExitTimeoutMs);
    ASSERT_TRUE(exitCode.has_value()) << "still running after WM_CLOSE";
    EXPECT_EQ(*exitCode, 0u);
}

TEST_F(VelmoraStartup, WithSettingsItStartsInTheTrayWithoutAWindow) {
    velmora_.Folder().WriteFile(L"serie.ini", std::string("[Form1]\r\nSpinEdit_1=30\r\n"));
    LaunchedProcess& process = velmora_.Start();
    EXPECT_TRUE(process.WaitForInputIdle(kStartTimeoutMs));
    Sleep(kHiddenSettleMs);

    EXPECT_FALSE(AnyTopLevelWindowVisible(process.Id()));
    EXPECT_TRUE(process.IsRunning()) << "a program in the tray keeps running";
    process.Terminate();
    EXPECT_TRUE(process.WaitForExit(0).has_value());
}

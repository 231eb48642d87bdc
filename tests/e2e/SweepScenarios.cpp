// A full sweep on a click, seen from outside: the readout it ends with rewrites the labels.

#include "E2eOptions.h"
#include "ProgramUnderTest.h"
#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kStartTimeoutMs = 10000;
constexpr wchar_t kAvailablePrefix[] = L"Mémoire disponible : ";
constexpr wchar_t kMark[] = L"(effacé par le test)";

bool IsVisibleOwnedWindow(HWND window) {
    return IsVisible(window) && GetWindow(window, GW_OWNER) != nullptr;
}

}  // namespace

TEST(VelmoraSweep, FaireLeMenageSweepsAndRefreshesTheReadout) {
    ProgramUnderTest velmora(Options().velmora, L"Velmora.exe");
    LaunchedProcess& process = velmora.Start();
    ASSERT_TRUE(process.WaitForInputIdle(kStartTimeoutMs));
    const HWND main =
        velmora.WaitForWindow({.text = L"Velmora"}, kStartTimeoutMs, IsVisibleOwnedWindow);
    ASSERT_NE(main, nullptr);
    const HWND available =
        FindChild(main, {.className = L"Static", .text = kAvailablePrefix, .textIsPrefix = true});
    ASSERT_NE(available, nullptr);

    // "Réduire" stops the once-a-second readout, so only the sweep can rewrite the label now.
    ClickAndWait(FindChild(main, {.className = L"Button", .text = L"Réduire"}));
    ASSERT_FALSE(IsVisible(main));
    SetText(available, kMark);
    Sleep(1500);
    ASSERT_EQ(WindowText(available), kMark) << "the readout still runs on its timer";

    Click(FindChild(main, {.className = L"Button", .text = L"Faire le ménage"}));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(available).starts_with(kAvailablePrefix); },
                          kStartTimeoutMs));
    EXPECT_TRUE(WindowText(available).ends_with(L" Mo"));
    EXPECT_EQ(WindowText(FindChild(main, {.className = L"msctls_statusbar32"})), L"");
    EXPECT_TRUE(process.IsRunning());

    Close(main);
    EXPECT_TRUE(process.WaitForExit(kStartTimeoutMs).has_value());
}

// The periodic full sweep, seen from outside: with one minute in the settings the program
// sweeps and rewrites its readout a minute after it starts, with no click.

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

bool IsOwnedWindow(HWND window) {
    return GetWindow(window, GW_OWNER) != nullptr;
}

}  // namespace

TEST(VelmoraScheduler, OneMinuteInTheSettingsSweepsAMinuteAfterTheStart) {
    ProgramUnderTest velmora(Options().velmora, L"Velmora.exe");
    velmora.Folder().WriteFile(L"serie.ini", std::string("[Form1]\r\nSpinEdit_1=1\r\n"));
    const ULONGLONG started = GetTickCount64();
    LaunchedProcess& process = velmora.Start();
    ASSERT_TRUE(process.WaitForInputIdle(kStartTimeoutMs));
    const HWND main = velmora.WaitForWindow({.text = L"Velmora"}, kStartTimeoutMs, IsOwnedWindow);
    ASSERT_NE(main, nullptr);
    ASSERT_FALSE(IsVisible(main)) << "a start with settings shows no window";
    ASSERT_EQ(WindowText(FindChild(main, {.className = L"Edit"})), L"1");

    // "Réduire" stops the once-a-second readout: from now on only a sweep rewrites the label.
    ClickAndWait(FindChild(main, {.className = L"Button", .text = L"Réduire"}));
    const HWND available =
        FindChild(main, {.className = L"Static", .text = kAvailablePrefix, .textIsPrefix = true});
    ASSERT_NE(available, nullptr);
    SetText(available, kMark);

    ASSERT_TRUE(
        WaitUntil([&] { return WindowText(available).starts_with(kAvailablePrefix); }, 90000, 100));
    const ULONGLONG elapsed = GetTickCount64() - started;
    EXPECT_GE(elapsed, 55000u) << "the first periodic sweep comes one minute after the start";
    EXPECT_EQ(WindowText(FindChild(main, {.className = L"msctls_statusbar32"})), L"");
    EXPECT_TRUE(process.IsRunning());
}

// The form state store across the application's windows, and at the end of the session.

#include "controls/Spin.h"
#include "framework/StdCtrls.h"
#include "settings/SvgEditIni.h"
#include "support/FormStateStoreFixture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// A window with two stores, the last of which leaves check boxes alone.
const char* const kTwoStoresText =
    "object Second: TTextForm\n"
    "  object Count_1: TSpinEdit\n  end\n"
    "  object Delta_1: TCheckBox\n    Checked = True\n  end\n"
    "  object Early: TSvgEditIni\n  end\n"
    "  object Late: TSvgEditIni\n    SauveCheckBox = False\n  end\n"
    "end\n";

const char* const kNoStoreText =
    "object Third: TTextForm\n"
    "  object Gamma_1: TCheckBox\n  end\n"
    "end\n";

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// As the system tells a program that the session ends: every top-level window hears it.
void SendToEveryWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    for (HWND window : ThreadWindows()) {
        SendMessageW(window, message, wParam, lParam);
    }
}

using StoreAcrossWindows = FormStateStoreTest;
using StoreAtSessionEnd = FormStateStoreTest;

}  // namespace

TEST_F(StoreAcrossWindows, FindStoreIsTheLastStoreOfTheWindow) {
    TextForm* first = Build(StoreWindowText("First"));
    TextForm* second = Build(kTwoStoresText);
    TextForm* third = Build(kNoStoreText);
    EXPECT_EQ(TSvgEditIni::FindStore(*first), Find<TSvgEditIni>(first, "Store"));
    EXPECT_EQ(TSvgEditIni::FindStore(*second), Find<TSvgEditIni>(second, "Late"));
    EXPECT_EQ(TSvgEditIni::FindStore(*third), nullptr);
    EXPECT_TRUE(TSvgEditIni::HasStore(*first));
    EXPECT_TRUE(TSvgEditIni::HasStore(*second));
    EXPECT_FALSE(TSvgEditIni::HasStore(*third));
}

TEST_F(StoreAcrossWindows, EveryWindowWithAStoreIsLoadedAndSavedWithItsLastStoresSwitches) {
    profile.Put("Second", "Count_1", "12");
    profile.Put("Second", "Delta_1", "0");
    profile.Put("Third", "Gamma_1", "abc");
    TextForm* first = Build(StoreWindowText("First"));
    TextForm* second = Build(kTwoStoresText);
    TextForm* third = Build(kNoStoreText);
    EXPECT_EQ(Find<TSpinEdit>(second, "Count_1")->Value(), 12);
    EXPECT_TRUE(Find<TCheckBox>(second, "Delta_1")->Checked()) << "boxes are off there";
    EXPECT_FALSE(Find<TCheckBox>(third, "Gamma_1")->Checked()) << "a window without a store";

    Find<TSpinEdit>(second, "Count_1")->SetValue(13);
    Find<TCheckBox>(third, "Gamma_1")->SetChecked(true);
    first->Close();
    EXPECT_EQ(profile.Text(),
              "[Second]\r\nCount_1=13\r\nDelta_1=0\r\n"
              "[Third]\r\nGamma_1=abc\r\n"
              "[First]\r\nMinutes_1=0\r\nBeta_1=1\r\nAlpha_1=1\r\n");
}

TEST_F(StoreAcrossWindows, EachLoadCoversTheWindowsAlreadyThere) {
    profile.Put("First", "Alpha_1", "0");
    TextForm* first = Build(StoreWindowText("First"));
    TCheckBox* alpha = Find<TCheckBox>(first, "Alpha_1");
    ASSERT_FALSE(alpha->Checked());
    alpha->SetChecked(true);
    Build(kTwoStoresText);
    EXPECT_FALSE(alpha->Checked()) << "read again when the second window was loaded";
}

TEST_F(StoreAtSessionEnd, TheSessionsEndSavesOnceThoughEveryWindowHearsIt) {
    TextForm* form = Build(StoreWindowText("Prefs"));
    Find<TSpinEdit>(form, "Minutes_1")->SetValue(25);
    SendToEveryWindow(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_EQ(CountWritesTo("Minutes_1"), 0u) << "asking is not ending";
    EXPECT_NE(SendMessageW(app->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0)
        << "the program does not hold the session up";

    SendToEveryWindow(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(CountWritesTo("Minutes_1"), 1u);
    EXPECT_TRUE(IsFlush(profile.Writes().back()));
    EXPECT_EQ(profile.Text(), "[Prefs]\r\nMinutes_1=25\r\nBeta_1=1\r\nAlpha_1=1\r\n");
}

TEST_F(StoreAtSessionEnd, ACancelledSessionEndHidingAndMinimizingWriteNothing) {
    TextForm* form = Build(StoreWindowText("Prefs"));
    form->Show();
    Find<TCheckBox>(form, "Beta_1")->SetChecked(false);
    SendToEveryWindow(WM_ENDSESSION, FALSE, 0);
    form->Hide();
    form->Show();
    app->Minimize();
    for (const RecordingProfile::Write& write : profile.Writes()) {
        EXPECT_TRUE(IsFlush(write));
    }
    EXPECT_EQ(profile.Text(), "");
}

TEST_F(StoreAtSessionEnd, AStoreThatIsGoneNoLongerListens) {
    delete Build(StoreWindowText("Prefs"));
    const size_t flushes = CountFlushes();
    SendMessageW(app->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(CountFlushes(), flushes) << "no save was attempted";
}

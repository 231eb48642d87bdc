// Hiding the window to the tray and showing it again, on the real window: what the user is left
// with, and the order of the steps where the order matters.

#include "support/MainWindowFixture.h"

#include "app/TrayIcon.h"
#include "controls/Spin.h"
#include "support/PumpUntil.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class HidingTest : public MainWindowTest {
protected:
    void SetUp() override {
        processes.SetEntries({{0x100, "explorer.exe"}, {0x500, "Velmora.exe"}});
    }

    // A first start as the message loop leaves it: the window shown.
    void StartShown() {
        Start();
        form->Show();
        Pump();
        windows.Clear();
    }

    // What minimizing through the main window sends to the application window, from its left
    // and top onward.
    std::string MinimizeFromMainWindow() const {
        return "SetWindowPos(app, main, " + std::to_string(form->Left()) + ", " +
               std::to_string(form->Top()) + ", " + std::to_string(form->Width()) + ", 0, 0x40)";
    }

    int SelfTrims() const {
        std::vector<DWORD> opened = processes.OpenedIds();
        return static_cast<int>(std::count(opened.begin(), opened.end(), DWORD{0x500}));
    }

    bool ApplicationWindowVisible() const { return IsWindowVisible(app->Handle()) != FALSE; }

    void DoubleClickTheIcon() {
        HWND icon = form->TrayIcon1->MessageWindow();
        SendMessageW(icon, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDOWN);
        SendMessageW(icon, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONUP);
        SendMessageW(icon, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
        SendMessageW(icon, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONUP);
    }

    void ChooseFromTheMenu(TMenuItem* item) {
        SendMessageW(TPopupMenu::CommandWindow(), WM_COMMAND, item->Command(), 0);
    }

    // The application window back as at the start: visible, zero-sized, at the screen's centre.
    void ExpectTheApplicationWindowAtTheCentre() const {
        EXPECT_TRUE(ApplicationWindowVisible());
        EXPECT_FALSE(IsIconic(app->Handle()));
        RECT placed{};
        GetWindowRect(app->Handle(), &placed);
        EXPECT_EQ(placed.left, GetSystemMetrics(SM_CXSCREEN) / 2);
        EXPECT_EQ(placed.top, GetSystemMetrics(SM_CYSCREEN) / 2);
    }

    // The main window and its taskbar button are shown and brought to the front.
    void ExpectShownInFront() const {
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        EXPECT_FALSE(IsIconic(form->Handle()));
        EXPECT_TRUE(ApplicationWindowVisible());
        EXPECT_EQ(windows.foreground, form->Handle());
        EXPECT_TRUE(form->Timer3->Enabled());
    }
};

}  // namespace

TEST_F(HidingTest, MinimizingTheMainWindowHidesTheProgramInTheTrayOnce) {
    StartShown();
    RECT before{};
    GetWindowRect(form->Handle(), &before);
    std::string placement = MinimizeFromMainWindow();

    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);

    // The tray icon's hook minimizes, starting from the main window; the minimize event hides,
    // and the hook hides again. The application's own handling finds it minimized already.
    EXPECT_EQ(windows.calls,
              (Calls{"SetActiveWindow(app)", placement, "DefWindowProcA(app, 0x112, 0xF020, 0)",
                     "ShowWindow(app, 0)", "ShowWindow(app, 0)"}));
    EXPECT_EQ(SelfTrims(), 1);
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_TRUE(IsIconic(app->Handle()));
    EXPECT_FALSE(ApplicationWindowVisible()) << "no taskbar button";
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->TrayIcon1->Visibility().Contains(TTrayVisibility::tvVisibleTaskBar));

    windows.Clear();
    DoubleClickTheIcon();
    // The restore gave the focus back to the main window's control, so the bring to front
    // finds the main window as the last one active.
    ExpectShownInFront();
    ExpectTheApplicationWindowAtTheCentre();
    RECT after{};
    GetWindowRect(form->Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "back where it was";
    EXPECT_EQ(SelfTrims(), 1);
}

TEST_F(HidingTest, AMinimizeCommandWithLowBitsSetMinimizesWithoutTheHook) {
    StartShown();
    std::string placement = MinimizeFromMainWindow();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
    EXPECT_EQ(windows.calls, (Calls{"SetActiveWindow(app)", placement,
                                    "DefWindowProcA(app, 0x112, 0xF020, 0)", "ShowWindow(app, 0)"}))
        << "hidden once, by the minimize event";
    EXPECT_EQ(SelfTrims(), 1);
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_TRUE(IsIconic(app->Handle()));
    EXPECT_FALSE(ApplicationWindowVisible());
}

TEST_F(HidingTest, ReduireHidesWithoutMinimizingAndAfficherShowsAgain) {
    StartShown();
    SendMessageW(form->Button4->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_FALSE(ApplicationWindowVisible());
    EXPECT_FALSE(IsIconic(app->Handle()));
    EXPECT_EQ(SelfTrims(), 1);

    windows.Clear();
    ChooseFromTheMenu(form->Afficher1);
    ExpectShownInFront();
}

TEST_F(HidingTest, ShowingWhileShownOnlyBringsTheWindowToTheFront) {
    StartShown();
    DoubleClickTheIcon();
    EXPECT_EQ(windows.calls, Calls{"SetForegroundWindow(main)"});
    windows.Clear();
    ChooseFromTheMenu(form->Afficher1);
    EXPECT_EQ(windows.calls, Calls{"SetForegroundWindow(main)"});
    ExpectShownInFront();
    EXPECT_EQ(SelfTrims(), 0);
}

TEST_F(HidingTest, AStartMinimizedGoesStraightToTheTrayAndComesBackNormal) {
    Start();
    windows.Clear();
    windows.startupShowCommand = SW_SHOWMINNOACTIVE;
    std::string placement = MinimizeFromMainWindow();
    PostQuitMessage(0);
    app->Run();

    EXPECT_EQ(windows.calls,
              (Calls{"SetActiveWindow(app)", placement, "DefWindowProcA(app, 0x112, 0xF020, 0)",
                     "ShowWindow(app, 0)"}));
    EXPECT_TRUE(IsIconic(app->Handle()));
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
    EXPECT_FALSE(ApplicationWindowVisible());
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_EQ(SelfTrims(), 1);

    DoubleClickTheIcon();
    ExpectShownInFront();
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);

    // The taskbar button goes with the window.
    SendMessageW(form->Button4->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(ApplicationWindowVisible());
}

TEST_F(HidingTest, AnUnanimatedMinimizeAlwaysSwitchesTheAnimationBackOn) {
    StartShown();
    SendMessageW(form->Button4->Handle(), BM_CLICK, 0, 0);
    windows.Clear();
    // Hidden by "Réduire": the main window takes no part, so the minimize is not animated.
    windows.showWindowThrows = true;
    EXPECT_ANY_THROW(app->Minimize());
    // The animation is off while the window minimizes, and on again even though that failed.
    EXPECT_EQ(windows.calls, (Calls{"SetActiveWindow(app)", "SetMinimizeAnimation(0)",
                                    "ShowWindow(app, 6)", "SetMinimizeAnimation(1)"}));
    EXPECT_TRUE(windows.animation);
    EXPECT_TRUE(IsIconic(app->Handle()));

    windows.showWindowThrows = false;
    windows.animation = false;
    windows.Clear();
    app->Restore();
    EXPECT_FALSE(IsIconic(app->Handle()));
    EXPECT_EQ(std::count(windows.calls.begin(), windows.calls.end(), "ShowWindow(app, 9)"), 1);
    EXPECT_FALSE(windows.animation) << "an animation left off stays off";
    for (const std::string& call : windows.calls) {
        EXPECT_EQ(call.find("SetMinimizeAnimation"), std::string::npos) << call;
    }
}

TEST_F(HidingTest, QuitterEndsTheProgramFromEveryStateAndTakesTheIconAway) {
    for (int state = 0; state < 3; ++state) {
        SCOPED_TRACE(state);
        StartShown();
        if (state == 1) {
            SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else if (state == 2) {
            SendMessageW(form->Button4->Handle(), BM_CLICK, 0, 0);
        }
        notifyArea.calls.clear();
        ChooseFromTheMenu(form->Quitter1);
        EXPECT_TRUE(TakeQuitMessage()) << "the program ends";
        std::ifstream file(StateFile());
        EXPECT_TRUE(file.good()) << "the state file is written";
        file.close();
        app.reset();
        form = nullptr;
        EXPECT_EQ(notifyArea.Messages(), std::vector<DWORD>{NIM_DELETE});
        std::filesystem::remove(StateFile());
    }
}

// Hiding the window to the tray and showing it again, on the real window: what the window
// manager is asked, in which order, and what the user is left with.

#include "support/MainWindowFixture.h"

#include "app/TrayIcon.h"
#include "controls/Spin.h"

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

    Calls ShowingToTheFront() const {
        return {"GetLastActivePopup(app) -> main", "IsWindowVisible(main) -> 1",
                "IsWindowEnabled(main)", "SetForegroundWindow(main)"};
    }
};

Calls Join(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace

TEST_F(HidingTest, MinimizingTheMainWindowHidesTheProgramInTheTrayOnce) {
    StartShown();
    RECT before{};
    GetWindowRect(form->Handle(), &before);
    std::string placement = MinimizeFromMainWindow();

    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);

    EXPECT_EQ(windows.calls, (Calls{
                                 "IsIconic(app) -> 0",  // the tray icon's hook
                                 "IsIconic(app) -> 0",  // the application's minimize
                                 "SetActiveWindow(app)", "IsWindowEnabled(main)", placement,
                                 "DefWindowProcA(app, 0x112, 0xF020, 0)",
                                 "IsIconic(app) -> 1",  // the minimize event hides
                                 "ShowWindow(app, 0)",
                                 "ShowWindow(app, 0)",  // back in the hook
                                 "IsIconic(app) -> 1",  // the application's own handling
                             }));
    EXPECT_EQ(SelfTrims(), 1);
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_TRUE(IsIconic(app->Handle()));
    EXPECT_FALSE(ApplicationWindowVisible()) << "no taskbar button";
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->TrayIcon1->Visibility().Contains(TTrayVisibility::tvVisibleTaskBar));

    windows.Clear();
    int halfWidth = GetSystemMetrics(SM_CXSCREEN) / 2;
    int halfHeight = GetSystemMetrics(SM_CYSCREEN) / 2;
    DoubleClickTheIcon();
    const Calls restore{"IsIconic(app) -> 1",
                        "SetActiveWindow(app)",
                        "IsWindowEnabled(main)",
                        "DefWindowProcA(app, 0x112, 0xF120, 0)",
                        "GetSystemMetrics(0)",
                        "GetSystemMetrics(1)",
                        "SetWindowPos(app, 0, " + std::to_string(halfWidth) + ", " +
                            std::to_string(halfHeight) + ", 0, 0, 0x40)",
                        "GetLastActivePopup(app) -> main",
                        "IsWindowVisible(main) -> 1",
                        "IsWindowEnabled(main)",
                        "SetForegroundWindow(main)"};
    // The restore gave the focus back to the main window's control, so the bring to front
    // finds the main window as the last one active.
    EXPECT_EQ(windows.calls, restore);
    RECT after{};
    GetWindowRect(form->Handle(), &after);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(EqualRect(&before, &after)) << "back where it was";
    EXPECT_TRUE(ApplicationWindowVisible());
    EXPECT_FALSE(IsIconic(app->Handle()));
    EXPECT_TRUE(form->Timer3->Enabled());
    EXPECT_EQ(SelfTrims(), 1);
}

TEST_F(HidingTest, AMinimizeCommandWithLowBitsSetMinimizesWithoutTheHook) {
    StartShown();
    std::string placement = MinimizeFromMainWindow();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
    EXPECT_EQ(windows.calls,
              (Calls{"IsIconic(app) -> 0", "SetActiveWindow(app)", "IsWindowEnabled(main)",
                     placement, "DefWindowProcA(app, 0x112, 0xF020, 0)", "IsIconic(app) -> 1",
                     "ShowWindow(app, 0)"}));
    EXPECT_EQ(SelfTrims(), 1);
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_FALSE(ApplicationWindowVisible());
}

TEST_F(HidingTest, ReduireHidesWithoutMinimizingAndAfficherShowsAgain) {
    StartShown();
    SendMessageW(form->Button4->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(windows.calls,
              (Calls{"IsWindowVisible(app) -> 1", "SetWindowPos(app, 0, 0, 0, 0, 0, 0x97)"}));
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(app->ShowMainForm());
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_FALSE(ApplicationWindowVisible());
    EXPECT_FALSE(IsIconic(app->Handle()));
    EXPECT_EQ(SelfTrims(), 1);

    windows.Clear();
    ChooseFromTheMenu(form->Afficher1);
    EXPECT_EQ(windows.calls, Join({"IsIconic(app) -> 0", "IsWindowVisible(app) -> 0",
                                   "SetWindowPos(app, 0, 0, 0, 0, 0, 0x57)"},
                                  ShowingToTheFront()));
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(ApplicationWindowVisible());
    EXPECT_TRUE(app->ShowMainForm());
    EXPECT_TRUE(form->Timer3->Enabled());
}

TEST_F(HidingTest, ShowingWhileShownOnlyBringsTheWindowToTheFront) {
    StartShown();
    DoubleClickTheIcon();
    EXPECT_EQ(windows.calls, Join({"IsIconic(app) -> 0"}, ShowingToTheFront()));
    windows.Clear();
    ChooseFromTheMenu(form->Afficher1);
    EXPECT_EQ(windows.calls, Join({"IsIconic(app) -> 0"}, ShowingToTheFront()));
    EXPECT_EQ(SelfTrims(), 0);
}

TEST_F(HidingTest, AStartMinimizedGoesStraightToTheTrayAndComesBackNormal) {
    Start();
    windows.Clear();
    app->SetStartupShowCommand(SW_SHOWMINNOACTIVE);
    std::string placement = MinimizeFromMainWindow();
    PostQuitMessage(0);
    app->Run();

    EXPECT_EQ(windows.calls,
              (Calls{"IsIconic(app) -> 0", "SetActiveWindow(app)", "IsWindowEnabled(main)",
                     placement, "DefWindowProcA(app, 0x112, 0xF020, 0)", "IsIconic(app) -> 1",
                     "ShowWindow(app, 0)"}));
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
    EXPECT_FALSE(ApplicationWindowVisible());
    EXPECT_FALSE(form->Timer3->Enabled());
    EXPECT_EQ(SelfTrims(), 1);

    DoubleClickTheIcon();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
    EXPECT_TRUE(ApplicationWindowVisible());
    EXPECT_TRUE(form->Timer3->Enabled());

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
    EXPECT_EQ(windows.calls,
              (Calls{"IsIconic(app) -> 0", "SetActiveWindow(app)", "IsWindowEnabled(main)",
                     "GetMinimizeAnimation", "SetMinimizeAnimation(0)", "ShowWindow(app, 6)",
                     "SetMinimizeAnimation(1)"}));
    EXPECT_TRUE(windows.animation);

    windows.showWindowThrows = false;
    windows.animation = false;
    windows.Clear();
    app->Restore();
    EXPECT_EQ(windows.calls[3], "GetMinimizeAnimation");
    EXPECT_EQ(windows.calls[4], "ShowWindow(app, 9)") << "an animation left off stays off";
    EXPECT_FALSE(windows.animation);
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
        EXPECT_TRUE(app->Terminated());
        std::ifstream file(StateFile());
        EXPECT_TRUE(file.good()) << "the state file is written";
        file.close();
        app.reset();
        form = nullptr;
        EXPECT_EQ(notifyArea.Messages(), std::vector<DWORD>{NIM_DELETE});
        std::filesystem::remove(StateFile());
    }
}

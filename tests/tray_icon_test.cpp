// The tray icon against a recording notification area: what the shell is told, with which
// record, and how clicks, double clicks and requests for the menu are told apart.

#include "app/TrayIcon.h"
#include "fakes/FakeDisplayScale.h"
#include "fakes/RecordingNotifyArea.h"
#include "fakes/RecordingWindowManager.h"
#include "fakes/ScopedFacet.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Menus.h"
#include "platform/Facets.h"
#include "platform/NotifyArea.h"
#include "support/MenuWatch.h"
#include "support/PumpUntil.h"
#include "support/TextForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <string>
#include <vector>

namespace {

constexpr DWORD kShell4_71 = 0x40047;
constexpr DWORD kShell6 = 0x60000;

class TrayIconTest : public testing::Test {
protected:
    TrayIconTest() {
        ClassRegistry::Instance().Register<TTrayIcon>("TTrayIcon");
        app.Initialize();
        item->SetCaption("Afficher");
        menu->Add(item);
        windows.nameOf = [this](HWND window) -> std::string {
            if (tray != nullptr && window == tray->MessageWindow()) {
                return "tray";
            }
            return window == app.Handle() ? "app" : "";
        };
    }

    // A tray icon built as the form resource builds it: active while loading, then loaded.
    TTrayIcon* LoadTray(const std::string& hint = "Velmora") {
        tray = new TTrayIcon(&root);
        tray->BeginLoading();
        tray->SetActive(true);
        tray->SetIconResource("MAINICON");
        tray->SetHint(hint);
        tray->SetPopupMenu(menu);
        tray->OnDblClick = [this](TObject* sender, TMouseButton button, TShiftState, int, int) {
            EXPECT_EQ(sender, tray);
            doubleClicks.push_back(button);
        };
        tray->Loaded();
        return tray;
    }

    LRESULT Callback(LPARAM event) {
        return SendMessageW(tray->MessageWindow(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId,
                            event);
    }

    // The width of an icon's image.
    static int IconWidth(HICON icon) {
        ICONINFO info{};  // all null when the icon cannot be read
        GetIconInfo(icon, &info);
        OwnedBitmap colour(info.hbmColor);
        OwnedBitmap mask(info.hbmMask);
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        return bitmap.bmWidth;
    }

    // True when the double-click wait's timer is running on the message window.
    bool DoubleClickTimerRunning() {
        return KillTimer(tray->MessageWindow(), TTrayIcon::kDoubleClickTimer) != FALSE;
    }

    RecordingNotifyArea area;
    RecordingWindowManager windows;
    FakeDisplayScale scale;
    ScopedFacet<platform::NotifyArea> areaSwap_{platform::Current().notifyArea, area};
    ScopedFacet<platform::DisplayScale> scaleSwap_{platform::Current().scale, scale};
    ScopedFacet<platform::WindowManager> windowsSwap_{platform::Current().windows, windows};
    TApplication app;
    TComponent root{nullptr};
    TPopupMenu* menu = new TPopupMenu(&root);
    TMenuItem* item = new TMenuItem(&root);
    TTrayIcon* tray = nullptr;
    std::vector<TMouseButton> doubleClicks;
};

class TrayIconOnShell : public TrayIconTest, public testing::WithParamInterface<DWORD> {};

}  // namespace

TEST_P(TrayIconOnShell, LoadingAddsTheIconWithTheRecordOfTheShellsVersion) {
    area.version = GetParam();
    bool newShell = GetParam() >= 0x50000;
    tray = new TTrayIcon(&root);
    tray->BeginLoading();
    tray->SetActive(true);
    tray->SetIconResource("MAINICON");
    tray->SetHint("Velmora");
    EXPECT_TRUE(area.calls.empty()) << "Active is only recorded while loading";
    tray->Loaded();

    std::vector<DWORD> expected{NIM_ADD};
    if (newShell) {
        expected.push_back(NIM_SETVERSION);
    }
    ASSERT_EQ(area.Messages(), expected);
    const NOTIFYICONDATAA& added = area.calls[0].data;
    EXPECT_EQ(added.cbSize, newShell ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(added.hWnd, tray->MessageWindow());
    EXPECT_EQ(added.uID, 1u);
    EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(added.uCallbackMessage, 0x401u);
    EXPECT_EQ(added.hIcon, tray->Icon().Handle());
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_STREQ(added.szTip, "Velmora");
    EXPECT_EQ(added.uVersion, newShell ? 3u : 0u);
    if (newShell) {
        EXPECT_EQ(area.calls[1].data.uFlags, 0u);
    }
}

TEST_P(TrayIconOnShell, TipsStopAtTheFirstBarAndAtTheShellsLength) {
    area.version = GetParam();
    bool newShell = GetParam() >= 0x50000;
    struct Case {
        std::string hint;
        std::string tip;
    };
    std::string long200(200, 'x');
    const Case cases[] = {
        {"Velmora|Libère la mémoire", "Velmora"},
        {"|rien avant", ""},
        {"ligne 1\r\nligne 2", newShell ? "ligne 1\r\nligne 2" : "ligne 1 - ligne 2"},
        {long200, std::string(newShell ? 127 : 63, 'x')},
    };
    for (const Case& c : cases) {
        area.calls.clear();
        LoadTray(c.hint);
        ASSERT_FALSE(area.calls.empty());
        EXPECT_EQ(std::string(area.calls[0].data.szTip), c.tip) << c.hint;
        delete tray;
    }
    tray = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Versions, TrayIconOnShell, testing::Values(0, kShell4_71, kShell6));

TEST_F(TrayIconTest, TheFirstMouseMovementSendsTheTipOnceMore) {
    LoadTray();
    area.calls.clear();
    Callback(WM_MOUSEMOVE);
    Callback(WM_MOUSEMOVE);
    ASSERT_EQ(area.Messages(), std::vector<DWORD>{NIM_MODIFY});
    EXPECT_EQ(area.calls[0].data.uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_STREQ(area.calls[0].data.szTip, "Velmora");

    tray->SetHint("Velmora");
    Callback(WM_MOUSEMOVE);
    EXPECT_EQ(area.calls.size(), 1u) << "the same hint again is no change";
    tray->SetHint("Autre");
    EXPECT_EQ(area.calls.size(), 1u) << "a new hint waits for the pointer";
    Callback(WM_MOUSEMOVE);
    ASSERT_EQ(area.calls.size(), 2u);
    EXPECT_STREQ(area.calls[1].data.szTip, "Autre");
}

TEST_F(TrayIconTest, TheShellsRestartAndTheSessionsEndTakeTheIconAwayAndBack) {
    LoadTray();
    EXPECT_EQ(IconWidth(area.calls[0].data.hIcon), 16);
    area.calls.clear();
    // The shell says it has started again also when the screen's scale changed.
    scale.dpi = 144;
    SendMessageW(tray->MessageWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(area.Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_SETVERSION}));
    EXPECT_STREQ(area.calls[1].data.szTip, "Velmora");
    EXPECT_EQ(IconWidth(area.calls[1].data.hIcon), 24) << "the small icon at 150 %";

    area.calls.clear();
    EXPECT_EQ(SendMessageW(tray->MessageWindow(), WM_QUERYENDSESSION, 0, 0), 1);
    SendMessageW(tray->MessageWindow(), WM_ENDSESSION, TRUE, 0);
    SendMessageW(tray->MessageWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(area.Messages(), std::vector<DWORD>{NIM_DELETE}) << "removed once";
    SendMessageW(tray->MessageWindow(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(area.Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_SETVERSION}));
}

TEST_F(TrayIconTest, ASingleClickOfAnyButtonDoesNothing) {
    LoadTray();
    MenuWatch menus;
    area.calls.clear();
    for (auto [down, up] :
         {std::pair{WM_LBUTTONDOWN, WM_LBUTTONUP}, std::pair{WM_RBUTTONDOWN, WM_RBUTTONUP},
          std::pair{WM_MBUTTONDOWN, WM_MBUTTONUP}}) {
        Callback(down);
        Callback(up);
        EXPECT_FALSE(DoubleClickTimerRunning()) << "button message " << down;
    }
    EXPECT_TRUE(area.calls.empty());
    EXPECT_TRUE(doubleClicks.empty());
    EXPECT_EQ(menus.Shown(), 0);
}

TEST_F(TrayIconTest, ADoubleClickOfEachButtonRaisesOnDblClickOnce) {
    LoadTray();
    MenuWatch menus;
    // What the shell sends for a double click: down, up, double click, up.
    for (auto [down, up, dbl] : {std::tuple{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                 std::tuple{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                 std::tuple{WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}}) {
        Callback(down);
        Callback(up);
        Callback(dbl);
        Callback(up);
    }
    EXPECT_EQ(doubleClicks, (std::vector<TMouseButton>{TMouseButton::mbLeft, TMouseButton::mbRight,
                                                       TMouseButton::mbMiddle}));
    EXPECT_EQ(menus.Shown(), 0) << "from shell 5.0 on the release opens no menu";
}

TEST_F(TrayIconTest, AClickThatWaitsForASecondOneIsDeliveredWhenTheWaitEnds) {
    LoadTray();
    std::vector<TMouseButton> clicks;
    tray->OnClick = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        clicks.push_back(button);
    };
    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONUP);
    EXPECT_TRUE(clicks.empty()) << "held back while a double click may follow";
    SendMessageW(tray->MessageWindow(), WM_TIMER, TTrayIcon::kDoubleClickTimer, 0);
    EXPECT_EQ(clicks, std::vector<TMouseButton>{TMouseButton::mbLeft});

    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONUP);
    Callback(WM_LBUTTONDBLCLK);
    EXPECT_FALSE(DoubleClickTimerRunning()) << "the double click ends the wait";
    SendMessageW(tray->MessageWindow(), WM_TIMER, TTrayIcon::kDoubleClickTimer, 0);
    EXPECT_EQ(clicks.size(), 1u) << "the held click is dropped";
    EXPECT_EQ(doubleClicks.size(), 1u);
}

TEST_F(TrayIconTest, TheMenuOpensOnTheReleaseBelowShell5AndOnRequestFrom5On) {
    area.version = kShell4_71;
    LoadTray();
    {
        MenuWatch menus;
        windows.Clear();
        Callback(WM_RBUTTONDOWN);
        Callback(WM_RBUTTONUP);
        EXPECT_EQ(menus.Shown(), 1);
        EXPECT_EQ(windows.calls, std::vector<std::string>{"SetForegroundWindow(tray)"});
        MSG posted{};
        EXPECT_TRUE(PeekMessageW(&posted, tray->MessageWindow(), WM_NULL, WM_NULL, PM_REMOVE))
            << "a null message follows the menu";
    }
    delete tray;
    area.version = kShell6;
    LoadTray();
    MenuWatch menus;
    Callback(WM_RBUTTONDOWN);
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(menus.Shown(), 0);
    Callback(WM_CONTEXTMENU);
    EXPECT_EQ(menus.Shown(), 1);
    Callback(NIN_KEYSELECT);
    EXPECT_EQ(menus.Shown(), 2);
}

TEST_F(TrayIconTest, UnknownNotificationsAndAFloodOfThemChangeNothing) {
    LoadTray();
    Callback(WM_MOUSEMOVE);  // the stale tip goes out first
    MenuWatch menus;
    area.calls.clear();
    const LPARAM unknown[] = {0,
                              NIN_SELECT,
                              NIN_BALLOONSHOW,
                              NIN_BALLOONHIDE,
                              NIN_BALLOONTIMEOUT,
                              NIN_BALLOONUSERCLICK,
                              0x20A,
                              0xFFFF,
                              -1,
                              0x7FFFFFFF};
    for (LPARAM event : unknown) {
        EXPECT_EQ(Callback(event), 0);
    }
    for (int i = 0; i < 10000; ++i) {
        Callback(unknown[i % std::size(unknown)] + (i % 3) * 0x10000);
    }
    EXPECT_TRUE(area.calls.empty());
    EXPECT_TRUE(doubleClicks.empty());
    EXPECT_EQ(menus.Shown(), 0);
    EXPECT_FALSE(DoubleClickTimerRunning());
    EXPECT_TRUE(tray->Active());
}

TEST_F(TrayIconTest, TeardownRemovesTheIconOnceAndTheHookWithIt) {
    LoadTray();
    area.calls.clear();
    delete tray;
    tray = nullptr;
    EXPECT_EQ(area.Messages(), std::vector<DWORD>{NIM_DELETE});
    // The hook is gone: a minimize command reaches the application alone.
    windows.Clear();
    SendMessageW(app.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(app.Handle() != nullptr && IsIconic(app.Handle()));
    EXPECT_EQ(std::count(windows.calls.begin(), windows.calls.end(), "ShowWindow(app, 0)"), 0)
        << "nothing hides the application window";
}

TEST_F(TrayIconTest, ADestroyedMenuIsForgotten) {
    LoadTray();
    delete menu;
    menu = nullptr;
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    MenuWatch menus;
    Callback(WM_CONTEXTMENU);
    EXPECT_EQ(menus.Shown(), 0);
}

TEST_F(TrayIconTest, AnExceptionInAHandlerReachesTheApplicationAndTheIconGoesOn) {
    LoadTray();
    auto* events = new TApplicationEvents(&root);
    std::vector<std::string> messages;
    events->OnException = [&](TObject*, const Exception& error) {
        messages.push_back(error.Message());
    };
    tray->OnDblClick = [](TObject*, TMouseButton, TShiftState, int, int) {
        throw Exception("panne du double clic");
    };
    Callback(WM_LBUTTONDBLCLK);
    EXPECT_EQ(messages, std::vector<std::string>{"panne du double clic"});
    area.calls.clear();
    Callback(WM_MOUSEMOVE);
    EXPECT_EQ(area.Messages(), std::vector<DWORD>{NIM_MODIFY}) << "still at work";
}

TEST_F(TrayIconTest, TheFormResourceResolvesTheMenuNamedBeforeItExists) {
    TextForm* form = TextForm::Build(&app, R"(object TextForm: TTextForm
  object Tray: TTrayIcon
    Active = True
    Hint = 'Velmora'
    PopupMenu = Menu
  end
  object Menu: TPopupMenu
  end
end
)");
    auto* loaded = As<TTrayIcon>(form->FindComponent("Tray"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->PopupMenu(), form->FindComponent("Menu"));
    EXPECT_EQ(area.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
    EXPECT_NE(area.calls[0].data.hIcon, nullptr) << "the application's icon when none is set";
    delete form;

    for (const char* broken : {"PopupMenu = Nothing", "PopupMenu = Tray"}) {
        std::string text =
            std::string("object TextForm: TTextForm\n  object Tray: TTrayIcon\n    ") + broken +
            "\n  end\nend\n";
        try {
            delete TextForm::Build(&app, text);
            ADD_FAILURE() << broken << " was accepted";
        } catch (const EReadError& error) {
            EXPECT_NE(std::string(error.Message()).find("ligne 3"), std::string::npos)
                << error.Message();
        }
    }
}

TEST_F(TrayIconTest, ARefusedAddIsTriedAgainUntilTheShellTakesTheIconOnce) {
    area.addsToRefuse = 2;
    LoadTray();
    EXPECT_EQ(area.Messages(), std::vector<DWORD>{NIM_ADD}) << "no version for a refused icon";
    // What one tick of the retry does, twice: the second add is refused, and so is the modify
    // of an icon the shell does not have; the third add is taken.
    SendMessageW(tray->MessageWindow(), WM_TIMER, TTrayIcon::kAddRetryTimer, 0);
    EXPECT_EQ(area.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_MODIFY}));
    SendMessageW(tray->MessageWindow(), WM_TIMER, TTrayIcon::kAddRetryTimer, 0);
    EXPECT_EQ(area.Messages(),
              (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_SETVERSION}));
    EXPECT_FALSE(KillTimer(tray->MessageWindow(), TTrayIcon::kAddRetryTimer))
        << "the retry stops once the icon is in";
    SendMessageW(tray->MessageWindow(), WM_TIMER, TTrayIcon::kAddRetryTimer, 0);
    EXPECT_EQ(area.calls.size(), 5u) << "an icon that is in is not added twice";

    delete tray;
    EXPECT_EQ(area.Messages().back(), static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconTest, AnAddThatTimedOutIsTheIconAtTheFirstRetry) {
    // The shell put the icon in after its answer came too late: it refuses the icon's later
    // adds, and takes a modify.
    area.addsToTimeOut = 1;
    LoadTray();
    SendMessageW(tray->MessageWindow(), WM_TIMER, TTrayIcon::kAddRetryTimer, 0);
    SendMessageW(tray->MessageWindow(), WM_TIMER, TTrayIcon::kAddRetryTimer, 0);
    ASSERT_EQ(area.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_MODIFY, NIM_SETVERSION}));
    EXPECT_EQ(area.calls[2].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_STREQ(area.calls[2].data.szTip, "Velmora");
    EXPECT_FALSE(KillTimer(tray->MessageWindow(), TTrayIcon::kAddRetryTimer));

    MenuWatch menus;
    for (LPARAM event : area.RightClick(tray->MessageWindow(), TTrayIcon::kIconId)) {
        Callback(event);
    }
    EXPECT_EQ(menus.Shown(), 1) << "the right click opens the menu";

    area.calls.clear();
    delete tray;
    tray = nullptr;
    EXPECT_EQ(area.Messages(), std::vector<DWORD>{NIM_DELETE});
    EXPECT_TRUE(area.icons.empty()) << "no dead icon is left in the tray";
}

TEST_F(TrayIconTest, TheRetryRunsOnTheRealTimerAndEndsWithTheIcon) {
    area.addsToRefuse = 1;
    LoadTray();
    ASSERT_TRUE(PumpUntil(app, [&] { return area.calls.size() >= 3; }))
        << "the retry's timer never ticked";
    EXPECT_EQ(area.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_SETVERSION}));
}

TEST_F(TrayIconTest, NothingRetriesOnceTheIconIsDeactivatedOrTheSessionEnds) {
    area.addsToRefuse = 1000;
    LoadTray();
    tray->SetActive(false);
    EXPECT_FALSE(KillTimer(tray->MessageWindow(), TTrayIcon::kAddRetryTimer));
    SendMessageW(tray->MessageWindow(), WM_TIMER, TTrayIcon::kAddRetryTimer, 0);
    // The add being retried may have put the icon in, too late to say so: it is deleted.
    EXPECT_EQ(area.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));

    tray->SetActive(true);
    SendMessageW(tray->MessageWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(KillTimer(tray->MessageWindow(), TTrayIcon::kAddRetryTimer));
    EXPECT_EQ(area.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE, NIM_ADD, NIM_DELETE}));
}

TEST_F(TrayIconTest, TheShellsRestartBroadcastIsLetThroughToTheMessageWindow) {
    LoadTray();
    ASSERT_EQ(area.allowedMessages.size(), 1u);
    EXPECT_EQ(area.allowedMessages[0].first, tray->MessageWindow());
    EXPECT_EQ(area.allowedMessages[0].second, RegisterWindowMessageA("TaskbarCreated"));
}

TEST_F(TrayIconTest, TheMenuOpensToTheLeftWhereTheUsersMenusDropLeft) {
    LoadTray();
    SetCursorPos(640, 500);
    RECT bounds[2]{};
    for (bool dropsLeft : {false, true}) {
        windows.menusDropLeft = dropsLeft;
        MenuWatch menus;
        Callback(WM_CONTEXTMENU);
        ASSERT_EQ(menus.Shown(), 1);
        bounds[dropsLeft] = menus.LastBounds();
    }
    EXPECT_EQ(bounds[0].left, bounds[1].right) << "right-aligned at the same point";
    EXPECT_EQ(bounds[0].top, bounds[1].top);
}

TEST_F(TrayIconTest, FromTheKeyboardTheMenuOpensAtTheIconAndEscHandsTheFocusBack) {
    const RECT icon{300, 200, 316, 216};
    area.iconRect = icon;
    LoadTray();
    SetCursorPos(40, 40);
    MenuWatch menus;
    area.calls.clear();
    Callback(NIN_KEYSELECT);
    ASSERT_EQ(menus.Shown(), 1);
    const RECT menu = menus.LastBounds();
    EXPECT_EQ(menu.left, icon.left);
    EXPECT_TRUE(menu.top == icon.bottom || menu.bottom == icon.top) << "beside the icon";
    // Closed without a command, as with Esc: the notification area takes the focus back.
    ASSERT_FALSE(area.calls.empty());
    const RecordingNotifyArea::Call& last = area.calls.back();
    EXPECT_EQ(last.message, static_cast<DWORD>(NIM_SETFOCUS));
    EXPECT_EQ(last.data.hWnd, tray->MessageWindow());
    EXPECT_EQ(last.data.uID, TTrayIcon::kIconId);

    // The mouse opens it at the pointer, wherever the icon is.
    for (LPARAM event : area.RightClick(tray->MessageWindow(), TTrayIcon::kIconId)) {
        Callback(event);
    }
    ASSERT_EQ(menus.Shown(), 2);
    EXPECT_EQ(menus.LastPosition().x, 40);
    EXPECT_EQ(menus.LastPosition().y, 40);

    // Shift+F10 or the menu key: the shell asks for the menu with no click before.
    Callback(WM_CONTEXTMENU);
    ASSERT_EQ(menus.Shown(), 3);
    EXPECT_EQ(menus.LastBounds().left, icon.left);

    // A shell that cannot say where its icon stands: at the pointer too.
    area.iconRect.reset();
    Callback(NIN_KEYSELECT);
    ASSERT_EQ(menus.Shown(), 4);
    EXPECT_EQ(menus.LastPosition().x, 40);
    EXPECT_EQ(menus.LastPosition().y, 40);
}

TEST_F(TrayIconTest, ACommandChosenFromTheKeyboardRunsAndLeavesTheFocusToIt) {
    area.iconRect = RECT{300, 200, 316, 216};
    LoadTray();
    int shown = 0;
    item->OnClick = [&](TObject*) { ++shown; };
    // Enter on the first item, as the user would choose it.
    const UINT_PTR chooser = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND open = FindWindowW(L"#32768", nullptr);
        if (open != nullptr && IsWindowVisible(open)) {
            PostMessageW(open, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(open, WM_KEYDOWN, VK_RETURN, 0);
        }
    });
    area.calls.clear();
    Callback(NIN_KEYSELECT);
    KillTimer(nullptr, chooser);
    EXPECT_TRUE(PumpUntil(app, [&] { return shown == 1; })) << "the item's command never came";
    EXPECT_EQ(shown, 1);
    const std::vector<DWORD> messages = area.Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), NIM_SETFOCUS), 0);
}

namespace {

HWND asksAgain = nullptr;

}  // namespace

TEST_F(TrayIconTest, ASelectionWhileTheMenuIsUpOpensNoSecondOneAndTakesNoFocus) {
    LoadTray();
    asksAgain = tray->MessageWindow();
    // The shell's second selection arrives through the open menu's own loop.
    const UINT_PTR again = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND open = FindWindowW(L"#32768", nullptr);
        if (open != nullptr && IsWindowVisible(open)) {
            SendMessageW(asksAgain, TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, NIN_KEYSELECT);
            EndMenu();
        }
    });
    area.calls.clear();
    Callback(NIN_KEYSELECT);
    KillTimer(nullptr, again);
    const std::vector<DWORD> messages = area.Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), NIM_SETFOCUS), 1)
        << "only the menu that was up hands the focus back";
}

// One window procedure for every window: a control's notification, a form's own message and the
// commands and ticks of the shared message window all reach their objects, and an exception in
// any of them reaches the application's handler with the right sender.

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "platform/Utf8.h"
#include "support/MainWindowFixture.h"
#include "support/PumpUntil.h"
#include "support/TextForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kFormText[] = R"(object Routed: TTextForm
  object Button1: TButton
    Caption = 'Essai'
  end
  object Menu1: TPopupMenu
    object Item1: TMenuItem
      Caption = 'Essai'
    end
  end
end
)";

class WindowRoutingTest : public testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<TApplication>();
        app->Initialize();
        events = new TApplicationEvents(app.get());
        events->OnException = [this](TObject*, const Exception& error) {
            reports.push_back(error.Message());
        };
        form = TextForm::Build(app.get(), kFormText);
        button = dynamic_cast<TButton*>(form->FindComponent("Button1"));
        item = dynamic_cast<TMenuItem*>(form->FindComponent("Item1"));
    }
    void TearDown() override { app.reset(); }

    void Click(TButton* target) {
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(target->Handle()));
    }

    std::unique_ptr<TApplication> app;
    TApplicationEvents* events = nullptr;
    TextForm* form = nullptr;
    TButton* button = nullptr;
    TMenuItem* item = nullptr;
    // The messages of the exceptions that reached the application.
    std::vector<std::string> reports;
};

}  // namespace

TEST_F(WindowRoutingTest, AControlAFormAndTheMessageWindowEachReachTheirObject) {
    ASSERT_NE(button, nullptr);
    ASSERT_NE(item, nullptr);
    int clicks = 0;
    int commands = 0;
    int closes = 0;
    button->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    item->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, item);
        ++commands;
    };
    form->whileClosing = [&](TObject*, TCloseAction& action) {
        ++closes;
        action = TCloseAction::caNone;
    };
    form->OnClose = form->whileClosing;

    // The button's click, as the system reports it to the parent window.
    Click(button);
    EXPECT_EQ(clicks, 1);
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 1);
    SendMessageW(TPopupMenu::CommandWindow(), WM_COMMAND, item->Command(), 0);
    EXPECT_EQ(commands, 1);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WindowRoutingTest, AnExceptionStopsAtTheWindowProcedureAndReachesTheApplication) {
    button->OnClick = [](TObject*) { throw EInvalidOperation("bouton"); };
    item->OnClick = [](TObject*) { throw EInvalidOperation("menu"); };
    form->OnClose = [](TObject*, TCloseAction&) { throw EInvalidOperation("fenêtre"); };

    Click(button);
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    SendMessageW(TPopupMenu::CommandWindow(), WM_COMMAND, item->Command(), 0);

    const std::vector<std::string> expected{"bouton", "fenêtre", "menu"};
    EXPECT_EQ(reports, expected);
    // The windows still answer.
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Click(button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WindowRoutingTest, TimersOnTheSharedWindowTickIndependently) {
    auto* first = new TTimer(form);
    auto* second = new TTimer(form);
    int firstTicks = 0;
    int secondTicks = 0;
    first->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, first);
        ++firstTicks;
    };
    second->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, second);
        ++secondTicks;
    };
    first->SetInterval(20);
    second->SetInterval(30);
    EXPECT_TRUE(PumpUntil(*app, [&] { return firstTicks >= 3 && secondTicks >= 3; }));

    // Stopping one leaves the other counting.
    first->SetEnabled(false);
    firstTicks = 0;
    secondTicks = 0;
    EXPECT_TRUE(PumpUntil(*app, [&] { return secondTicks >= 3; }));
    EXPECT_EQ(firstTicks, 0);

    // A destroyed timer takes only its own identifier with it.
    first->SetEnabled(true);
    delete second;
    secondTicks = 0;
    firstTicks = 0;
    EXPECT_TRUE(PumpUntil(*app, [&] { return firstTicks >= 3; }));
    EXPECT_EQ(secondTicks, 0);
}

TEST_F(WindowRoutingTest, ATickThatRaisesIsReportedAndTheOtherTimersGoOn) {
    auto* failing = new TTimer(form);
    auto* steady = new TTimer(form);
    int steadyTicks = 0;
    failing->OnTimer = [](TObject*) { throw EInvalidOperation("tic"); };
    steady->OnTimer = [&](TObject*) { ++steadyTicks; };
    failing->SetInterval(20);
    steady->SetInterval(20);
    EXPECT_TRUE(PumpUntil(*app, [&] { return steadyTicks >= 3 && reports.size() >= 3; }));
    for (const std::string& report : reports) {
        EXPECT_EQ(report, "tic");
    }
}

namespace {

// The top-level windows that this program made on this thread, by class name.
std::vector<std::string> OwnTopLevelWindows() {
    std::vector<std::string> classes;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            if (reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) ==
                GetModuleHandleW(nullptr)) {
                wchar_t name[64] = {};
                GetClassNameW(window, name, 64);
                reinterpret_cast<std::vector<std::string>*>(found)->push_back(
                    platform::WideToUtf8(name));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&classes));
    std::sort(classes.begin(), classes.end());
    return classes;
}

}  // namespace

TEST_F(MainWindowTest, TheRunningProgramOwnsFourTopLevelWindows) {
    Start();
    // A timer made later, as the spin button's repeat timer is, counts on the shared window.
    const std::vector<std::string> expected{"TApplication", "TForm1", "TMessageWindow",
                                            "TTrayIconWindow"};
    EXPECT_EQ(OwnTopLevelWindows(), expected);
    TTimer extra(form);
    int ticks = 0;
    extra.OnTimer = [&](TObject*) { ++ticks; };
    extra.SetInterval(20);
    EXPECT_TRUE(PumpUntil(*app, [&] { return ticks > 0; }));
    EXPECT_EQ(OwnTopLevelWindows(), expected);
}

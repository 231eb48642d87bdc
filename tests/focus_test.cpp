// Where the keyboard focus is when the window comes up, and that it comes back to the control
// the user left after the window went to the tray, was hidden or lost the activation.

#include "support/MainWindowFixture.h"
#include "support/PumpUntil.h"

#include "app/TrayIcon.h"
#include "controls/Spin.h"
#include "framework/Handles.h"

#include <utility>

namespace {

class FocusTest : public MainWindowTest {
protected:
    void StartShown() {
        Start();
        form->Show();
        app->BringToFront();
    }

    bool FocusedOn(TWinControl* control) {
        return PumpUntil(*app, [&] { return control->Focused(); });
    }

    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(form->SpinEdit_1->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    // A window of another program, as far as the main window can tell, with the activation.
    OwnedWindow ActivateAnotherWindow() {
        OwnedWindow other(CreateWindowExW(0, L"STATIC", L"autre", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                          0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr));
        SetForegroundWindow(other.get());
        SetFocus(other.get());
        PumpUntil(*app, [&] { return GetActiveWindow() == other.get(); });
        return other;
    }

    void ChooseFromTheMenu(TMenuItem* item) {
        SendMessageW(TPopupMenu::CommandWindow(), WM_COMMAND, item->Command(), 0);
    }

    void DoubleClickTheIcon() {
        HWND icon = form->TrayIcon1->MessageWindow();
        SendMessageW(icon, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDOWN);
        SendMessageW(icon, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONUP);
        SendMessageW(icon, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
        SendMessageW(icon, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONUP);
    }
};

TEST_F(FocusTest, TheFirstShowingPutsTheFocusInTheMinutesFieldWithItsTextSelected) {
    StartShown();
    ASSERT_TRUE(FocusedOn(form->SpinEdit_1)) << "the first control in tab order";
    EXPECT_EQ(form->SpinEdit_1->Text(), "30");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{2}));
    EXPECT_EQ(form->ActiveControl(), form->SpinEdit_1);
}

TEST_F(FocusTest, MinimizedToTheTrayAndBroughtBackTheFocusIsWhereTheUserLeftIt) {
    StartShown();
    ASSERT_TRUE(FocusedOn(form->SpinEdit_1));
    form->Chrome_1->SetFocus();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(PumpUntil(*app, [&] { return IsIconic(app->Handle()) != FALSE; }));
    EXPECT_FALSE(form->Chrome_1->Focused());

    DoubleClickTheIcon();
    EXPECT_TRUE(FocusedOn(form->Chrome_1));

    // Twice in a row: the control is remembered however often the window comes back.
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ChooseFromTheMenu(form->Afficher1);
    EXPECT_TRUE(FocusedOn(form->Chrome_1));
}

TEST_F(FocusTest, HiddenWithReduireAndShownWithAfficherTheFocusComesBack) {
    StartShown();
    ASSERT_TRUE(FocusedOn(form->SpinEdit_1));
    form->Firefox_1->SetFocus();
    form->Button4Click(form->Button4);
    ASSERT_FALSE(IsWindowVisible(form->Handle()));
    // Meanwhile the user works in another window, which keeps the foreground the shell hands
    // on to the program whose icon is clicked.
    OwnedWindow other = ActivateAnotherWindow();
    ChooseFromTheMenu(form->Afficher1);
    EXPECT_TRUE(FocusedOn(form->Firefox_1));
}

TEST_F(FocusTest, BackFromAnotherWindowTheFieldKeepsItsCaretInsteadOfSelectingAgain) {
    StartShown();
    ASSERT_TRUE(FocusedOn(form->SpinEdit_1));
    SendMessageW(form->SpinEdit_1->Handle(), EM_SETSEL, 1, 1);

    OwnedWindow other(CreateWindowExW(0, L"STATIC", L"autre", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                      0, 200, 100, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(other);
    SetForegroundWindow(other.get());
    SetFocus(other.get());
    ASSERT_TRUE(PumpUntil(*app, [&] { return GetActiveWindow() == other.get(); }));
    EXPECT_FALSE(form->SpinEdit_1->Focused());

    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(FocusedOn(form->SpinEdit_1));
    EXPECT_EQ(Selection(), std::make_pair(DWORD{1}, DWORD{1}));

    // Coming in from another control of the window still selects the whole number.
    form->Chrome_1->SetFocus();
    form->SpinEdit_1->SetFocus();
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{2}));
}

}  // namespace

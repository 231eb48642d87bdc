// The minutes field of the real window under Wine: what typing, the arrow keys, the clipboard
// and the focus do to its text.

#include "support/SpinFieldFixture.h"

namespace {

// Puts `text` on the clipboard for the window `owner`.
bool PutOnClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) {
        return false;
    }
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* copy = static_cast<wchar_t*>(GlobalLock(memory));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, copy);
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!placed) {
        GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

}  // namespace

TEST_F(SpinFieldTest, RefusedCharactersBeepAndInsertNothingReturnIncluded) {
    spin->SetFocus();
    SendMessageW(Field(), EM_SETSEL, 0, -1);
    Type(L"-12");
    EXPECT_EQ(spin->Text(), "-12");
    EXPECT_EQ(beeper.beeps, 0);

    Type(L"a x$ ");
    EXPECT_EQ(spin->Text(), "-12");
    EXPECT_EQ(beeper.beeps, 5);

    // The Return key itself, through the window's dialog keys and the keyboard's translation.
    PressKey(VK_RETURN);
    EXPECT_EQ(spin->Text(), "-12");
    EXPECT_EQ(SendMessageW(Field(), EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_EQ(beeper.beeps, 6);
    TypeChar(L'\n');
    EXPECT_EQ(SendMessageW(Field(), EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_EQ(beeper.beeps, 7);
    // Escape is no command to the field's group.
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(IsWindow(form->GroupBox1->Handle()));
    EXPECT_TRUE(spin->Focused());

    // The user's decimal separator is let through although the number cannot hold it.
    Type(L",5");
    EXPECT_EQ(spin->Text(), "-12,5");
    EXPECT_EQ(spin->Value(), 0);
    TypeChar(L'\b');
    TypeChar(L'\b');
    EXPECT_EQ(spin->Text(), "-12");
    EXPECT_EQ(beeper.beeps, 7);
}

TEST_F(SpinFieldTest, WithoutTheEditorOnlyTheArrowsChangeTheNumber) {
    spin->SetEditorEnabled(false);
    spin->SetFocus();
    SendMessageW(Field(), EM_SETSEL, 0, -1);
    Type(L"7\b-");
    EXPECT_EQ(spin->Text(), "30");
    EXPECT_EQ(beeper.beeps, 3);

    ASSERT_TRUE(PutOnClipboard(form->Handle(), L"12"));
    SendMessageW(Field(), WM_PASTE, 0, 0);
    SendMessageW(Field(), WM_CUT, 0, 0);
    EXPECT_EQ(spin->Text(), "30");
    EXPECT_EQ(beeper.beeps, 3) << "paste and cut are refused without a sound";

    PressKey(VK_UP);
    EXPECT_EQ(spin->Text(), "31");
    MouseDown(DownArrow());
    MouseUp(DownArrow());
    EXPECT_EQ(spin->Text(), "30");

    spin->SetEditorEnabled(true);
    SendMessageW(Field(), EM_SETSEL, 0, -1);
    SendMessageW(Field(), WM_PASTE, 0, 0);
    EXPECT_EQ(spin->Text(), "12");
    SendMessageW(Field(), EM_SETSEL, 0, 1);
    SendMessageW(Field(), WM_CUT, 0, 0);
    EXPECT_EQ(spin->Text(), "2");
}

TEST_F(SpinFieldTest, AReadOnlyFieldBeepsAtEveryStep) {
    spin->SetReadOnly(true);
    spin->SetFocus();
    PressKey(VK_UP);
    PressKey(VK_DOWN);
    MouseDown(UpArrow());
    MouseUp(UpArrow());
    EXPECT_EQ(spin->Text(), "30");
    EXPECT_EQ(beeper.beeps, 3);

    ASSERT_TRUE(PutOnClipboard(form->Handle(), L"12"));
    SendMessageW(Field(), EM_SETSEL, 0, -1);
    SendMessageW(Field(), WM_PASTE, 0, 0);
    SendMessageW(Field(), WM_CUT, 0, 0);
    EXPECT_EQ(spin->Text(), "30");
}

TEST_F(SpinFieldTest, EveryArrowKeyDownStepsTheKeyboardsOwnRepeatsIncluded) {
    spin->SetFocus();
    PressKey(VK_UP);
    PressKey(VK_UP, true);
    PressKey(VK_UP, true);
    EXPECT_EQ(spin->Text(), "33");
    PressKey(VK_DOWN);
    EXPECT_EQ(spin->Text(), "32");

    spin->SetValue(0);
    PressKey(VK_DOWN);
    EXPECT_EQ(spin->Text(), "-1") << "the minutes field has no bounds";
    spin->SetValue(INT32_MAX);
    PressKey(VK_UP);
    EXPECT_EQ(spin->Text(), "-2147483648");
    EXPECT_EQ(spin->Focused(), true) << "the arrow keys step; they do not move the focus";
    EXPECT_EQ(beeper.beeps, 0);
}

TEST_F(SpinFieldTest, ComingInSelectsEverythingButAClickPlacesTheCaret) {
    form->Firefox_1->SetFocus();
    spin->SetFocus();
    EXPECT_EQ(Selection(), std::make_pair(0, 2));

    form->Firefox_1->SetFocus();
    spin->SetAutoSelect(false);
    SendMessageW(Field(), EM_SETSEL, 1, 1);
    spin->SetFocus();
    EXPECT_EQ(Selection(), std::make_pair(1, 1));
    spin->SetAutoSelect(true);

    form->Firefox_1->SetFocus();
    SendMessageW(Field(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
    SendMessageW(Field(), WM_LBUTTONUP, 0, MAKELPARAM(2, 5));
    EXPECT_TRUE(spin->Focused());
    EXPECT_EQ(Selection().first, Selection().second) << "the click placed the caret";

    // Pressing an arrow hands the focus to the field, which selects its whole text.
    form->Firefox_1->SetFocus();
    MouseDown(UpArrow());
    EXPECT_TRUE(spin->Focused());
    EXPECT_EQ(Selection(), std::make_pair(0, 2));
    EXPECT_EQ(spin->Text(), "30") << "the step comes at the release";
    MouseUp(UpArrow());
    EXPECT_EQ(spin->Text(), "31");
    EXPECT_FALSE(spin->Button()->Focused());
}

TEST_F(SpinFieldTest, LeavingTheFieldAppliesTheBoundsToANumberOnly) {
    spin->SetMinValue(1);
    spin->SetMaxValue(10);
    spin->SetFocus();
    SendMessageW(Field(), EM_SETSEL, 0, -1);
    Type(L"50");
    EXPECT_EQ(spin->Text(), "50");
    form->Firefox_1->SetFocus();
    EXPECT_EQ(spin->Text(), "10");

    spin->SetFocus();
    PressKey(VK_UP);
    EXPECT_EQ(spin->Text(), "10");

    // Typing x is refused; pasted, it stays and reads as the minimum.
    ASSERT_TRUE(PutOnClipboard(form->Handle(), L"x"));
    SendMessageW(Field(), EM_SETSEL, 0, -1);
    TypeChar(L'x');
    EXPECT_EQ(spin->Text(), "10");
    SendMessageW(Field(), WM_PASTE, 0, 0);
    form->Firefox_1->SetFocus();
    EXPECT_EQ(spin->Text(), "x");
    EXPECT_EQ(spin->Value(), 1);

    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetText("-70000");
    spin->SetFocus();
    form->Firefox_1->SetFocus();
    EXPECT_EQ(spin->Text(), "-70000") << "without bounds the text is never rewritten";
}

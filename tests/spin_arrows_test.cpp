// The minutes field's arrow buttons under Wine: where they stand, what a click and a held
// press do on the real window timer, and Tab's walk through the window.

#include "support/SpinFieldFixture.h"

#include "support/TextForm.h"
#include "support/WindowReadings.h"

#include <algorithm>
#include <vector>

namespace {

RECT ChildRect(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(const RECT& rect, int left, int top, int width, int height) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
}

// Slack for the tick counter's rounding: a repeat may not come before its time.
constexpr ULONGLONG kTickSlackMs = 10;

}  // namespace

TEST_F(SpinFieldTest, TheArrowsStandInsideTheFieldsRightEdgeAndTheTextStopsBeforeThem) {
    ExpectRect(ChildRect(Field()), 80, 56, 49, 22);
    ASSERT_EQ(GetParent(Arrows()), Field());
    EXPECT_TRUE(IsWindowVisible(Arrows()));
    ExpectRect(ChildRect(Arrows()), 29, 0, 15, 17);
    ExpectRect(spin->Button()->UpButton()->BoundsRect(), 0, 0, 15, 8);
    ExpectRect(spin->Button()->DownButton()->BoundsRect(), 0, 7, 15, 10);
    EXPECT_NE(GetWindowLongW(Field(), GWL_STYLE) & ES_MULTILINE, 0);

    RECT format{};
    SendMessageW(Field(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_LE(format.right, 28);
    EXPECT_GT(format.right, 20);

    // Too low a field grows back to the height its font needs, and the arrows follow.
    spin->SetHeight(12);
    EXPECT_EQ(spin->Height(), 22);
    ExpectRect(ChildRect(Field()), 80, 56, 49, 22);
    spin->SetBounds(80, 56, 60, 30);
    ExpectRect(ChildRect(Arrows()), 40, 0, 15, 25);
    ExpectRect(spin->Button()->DownButton()->BoundsRect(), 0, 11, 15, 14);
    SendMessageW(Field(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_LE(format.right, 39);
    EXPECT_GT(format.right, 31);
}

TEST_F(SpinFieldTest, AClickStepsOnceAtTheRelease) {
    MouseDown(UpArrow());
    EXPECT_EQ(spin->Button()->UpButton()->State(), TButtonState::bsDown);
    EXPECT_EQ(spin->Text(), "30");
    MouseUp(UpArrow());
    EXPECT_EQ(spin->Text(), "31");
    EXPECT_EQ(spin->Button()->UpButton()->State(), TButtonState::bsUp);
    EXPECT_EQ(GetCapture(), nullptr);

    // A quick second press is a double click for the system, and a press all the same.
    MouseDown(DownArrow());
    MouseUp(DownArrow());
    const POINT down = DownArrow();
    SendMessageW(Arrows(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    MouseUp(DownArrow());
    EXPECT_EQ(spin->Text(), "29");
    EXPECT_FALSE(PumpUntil([&] { return spin->Text() != "29"; }, 600)) << "no repeat after it";

    // The row the two buttons share belongs to the down button, which lies on top.
    MouseDown({7, 7});
    MouseUp({7, 7});
    EXPECT_EQ(spin->Text(), "28");
}

TEST_F(SpinFieldTest, HeldDownAnArrowRepeatsAfter400MsThenEvery100Ms) {
    std::vector<ULONGLONG> steps;
    TNotifyEvent step = spin->Button()->OnUpClick;
    spin->Button()->OnUpClick = [&](TObject* sender) {
        steps.push_back(GetTickCount64());
        step(sender);
    };
    const ULONGLONG pressed = GetTickCount64();
    MouseDown(UpArrow());
    ASSERT_TRUE(PumpUntil([&] { return steps.size() >= 7; })) << steps.size() << " repeats";
    EXPECT_EQ(steps.size(), 7u);
    MouseUp(UpArrow());
    ASSERT_EQ(steps.size(), 8u) << "one more at the release over the button";
    EXPECT_EQ(spin->Text(), "38");
    for (size_t k = 0; k < 7; ++k) {
        EXPECT_GE(steps[k] + kTickSlackMs, pressed + 400 + 100 * k) << "repeat " << k + 1;
    }
    EXPECT_FALSE(PumpUntil([&] { return steps.size() > 8; }, 300)) << "the repeats stop";
}

TEST_F(SpinFieldTest, DraggedOffTheArrowPausesAndAReleaseOffItDoesNotStep) {
    int steps = 0;
    TNotifyEvent step = spin->Button()->OnUpClick;
    spin->Button()->OnUpClick = [&](TObject* sender) {
        ++steps;
        step(sender);
    };
    TTimerSpeedButton* up = spin->Button()->UpButton();
    MouseDown(UpArrow());

    const POINT off{-20, 3};
    MouseMove(off);
    EXPECT_EQ(up->State(), TButtonState::bsUp);
    EXPECT_FALSE(PumpUntil([&] { return steps > 0; }, 700)) << "no repeat while off the arrow";

    MouseMove(UpArrow());
    EXPECT_EQ(up->State(), TButtonState::bsDown);
    ASSERT_TRUE(PumpUntil([&] { return steps >= 1; })) << "coming back resumes the repeats";

    MouseMove(off);
    const int stepsBeforeRelease = steps;
    MouseUp(off);
    EXPECT_EQ(steps, stepsBeforeRelease);
    MouseMove(UpArrow());
    EXPECT_FALSE(PumpUntil([&] { return steps > stepsBeforeRelease; }, 300))
        << "released, the arrow repeats no more";
    // The arrow's own repeat timer, among the components it owns, is left off.
    const std::vector<TComponent*>& owned = up->Components();
    auto timer = std::ranges::find_if(
        owned, [](TComponent* component) { return dynamic_cast<TTimer*>(component) != nullptr; });
    ASSERT_NE(timer, owned.end()) << "the press made the repeat timer";
    EXPECT_FALSE(static_cast<TTimer*>(*timer)->Enabled()) << "no timer ticks for nothing";
    EXPECT_EQ(spin->Value(), 30 + steps);
}

TEST_F(SpinFieldTest, AnArrowRobbedOfTheMouseComesUpAndStopsRepeating) {
    TTimerSpeedButton* up = spin->Button()->UpButton();
    MouseDown(UpArrow());
    SetCapture(form->Handle());
    EXPECT_EQ(up->State(), TButtonState::bsUp);
    EXPECT_FALSE(up->MouseCapture());
    EXPECT_FALSE(PumpUntil([&] { return spin->Text() != "30"; }, 600)) << "no repeat";
    ReleaseCapture();
    EXPECT_EQ(spin->Text(), "30");
}

TEST_F(SpinFieldTest, AFailingRepeatStopsItsTimerAndShowsTheMessage) {
    int tries = 0;
    spin->Button()->OnUpClick = [&](TObject*) {
        ++tries;
        throw Exception("Pas de pas");
    };
    MouseDown(UpArrow());
    ASSERT_TRUE(PumpUntil([&] { return StatusText(form->StatusBar1->Handle()) == "Pas de pas"; }));
    EXPECT_EQ(tries, 1);
    EXPECT_FALSE(PumpUntil([&] { return tries > 1; }, 300)) << "the repeats stop";
    MouseUp(UpArrow());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SpinFieldTest, TabWalksEveryGroupInTabOrder) {
    const std::vector<TWinControl*> walk = {form->SpinEdit_1, form->i_explore, form->Firefox_1,
                                            form->Chrome_1,   form->Button1,   form->Button4,
                                            form->SpinEdit_1};
    spin->SetFocus();
    for (size_t k = 1; k < walk.size(); ++k) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), walk[k]->Handle())
            << "Tab number " << k << " should reach " << walk[k]->Name();
    }
    // The window's components keep the order of its resource.
    const auto& components = form->Components();
    auto position = [&](TComponent* component) {
        return std::find(components.begin(), components.end(), component) - components.begin();
    };
    EXPECT_LT(position(form->Firefox_1), position(form->i_explore));
}

namespace {

const char* const kArrowsText =
    "object Arrows: TTextForm\n"
    "  Width = 200\n  Height = 120\n"
    "  object Flat: TSpinEdit\n    Left = 8\n    Top = 8\n    Width = 60\n    Height = 22\n"
    "    Ctl3D = False\n  end\n"
    "  object Pair: TSpinButton\n    Left = 100\n    Top = 8\n    Width = 15\n    Height = 17\n"
    "    TabStop = True\n  end\n"
    "end\n";

class SpinButtonWindowTest : public SpinFieldTest {
protected:
    void SetUp() override {
        SpinFieldTest::SetUp();
        ClassRegistry::Instance().Register<TSpinButton>("TSpinButton");
        arrows = TextForm::Build(app.get(), kArrowsText);
        arrows->Show();
        pair = dynamic_cast<TSpinButton*>(arrows->FindComponent("Pair"));
        pair->OnUpClick = [this](TObject*) { clicks += "u"; };
        pair->OnDownClick = [this](TObject*) { clicks += "d"; };
    }

    TextForm* arrows = nullptr;
    TSpinButton* pair = nullptr;
    std::string clicks;
};

}  // namespace

TEST_F(SpinButtonWindowTest, AFlatFieldPutsItsArrowsAgainstTheEdge) {
    auto* flat = dynamic_cast<TSpinEdit*>(arrows->FindComponent("Flat"));
    ExpectRect(ChildRect(flat->Button()->Handle()), 60 - 15, 1, 15, 19);
}

TEST_F(SpinButtonWindowTest, WithTheFocusTheArrowsAnswerTheirKeysAndShowWhichOneIsFocused) {
    TTimerSpeedButton* up = pair->UpButton();
    TTimerSpeedButton* down = pair->DownButton();
    EXPECT_EQ(SendMessageW(pair->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    pair->SetFocus();
    EXPECT_TRUE(up->FocusRect());
    EXPECT_FALSE(down->FocusRect());

    PressKey(VK_SPACE);
    PressKey(VK_DOWN);
    EXPECT_EQ(pair->FocusedButton(), down);
    EXPECT_FALSE(up->FocusRect());
    EXPECT_TRUE(down->FocusRect());
    PressKey(VK_SPACE);
    PressKey(VK_UP);
    EXPECT_EQ(clicks, "uddu");
    EXPECT_TRUE(up->FocusRect());

    // A press makes its button the focused one.
    SendMessageW(pair->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 12));
    SendMessageW(pair->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 12));
    EXPECT_EQ(pair->FocusedButton(), down);
    EXPECT_TRUE(down->FocusRect());
    EXPECT_EQ(clicks, "uddud");

    form->Firefox_1->SetFocus();
    EXPECT_FALSE(up->FocusRect());
    EXPECT_FALSE(down->FocusRect());
    // Without the focus, a press takes it.
    SendMessageW(pair->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 3));
    EXPECT_TRUE(pair->Focused());
    EXPECT_TRUE(up->FocusRect());
    SendMessageW(pair->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 3));
    EXPECT_EQ(clicks, "uddudu");
}

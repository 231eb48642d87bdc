// The spin edit's number lives in its text: read with the program's integer syntax, written
// in decimal, clamped only when it has bounds, stepped with wrapping; typing is filtered.

#include "controls/Spin.h"
#include "fakes/FakePlatform.h"
#include "fakes/ScopedFacet.h"
#include "platform/Facets.h"

#include <gtest/gtest.h>

#include <memory>

class SpinEditTest : public testing::Test {
protected:
    std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
    TSpinEdit* spin = new TSpinEdit(owner.get());
};

TEST_F(SpinEditTest, TextThatIsNoNumberReadsAsTheMinimum) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"", 0},
        {"1,5", 0},
        {"abc", 0},
        {"12 ", 0},
        {"-", 0},
        {"+12", 12},
        {" 12", 12},
        {"$1F", 31},
        {"0x1e", 30},
        {"2147483648", 0},
        {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"2147483647", INT32_MAX},
    };
    EXPECT_EQ(spin->Text(), "0");
    for (const Case& c : cases) {
        spin->SetText(c.text);
        EXPECT_EQ(spin->Value(), c.value) << '"' << c.text << '"';
        EXPECT_EQ(spin->Text(), c.text) << "reading never rewrites the text";
    }
    spin->SetMinValue(3);
    spin->SetMaxValue(9);
    spin->SetText("abc");
    EXPECT_EQ(spin->Value(), 3);
}

TEST_F(SpinEditTest, WritingShowsTheDecimalNumberClampedOnlyWithBounds) {
    for (int32_t value : {30, -1, 0, INT32_MIN, INT32_MAX}) {
        spin->SetValue(value);
        EXPECT_EQ(spin->Text(), std::to_string(value));
        EXPECT_EQ(spin->Value(), value);
    }
    spin->SetMinValue(1);
    spin->SetMaxValue(10);
    spin->SetValue(50);
    EXPECT_EQ(spin->Text(), "10");
    spin->SetValue(-4);
    EXPECT_EQ(spin->Text(), "1");
}

class SpinEditStepTest : public SpinEditTest {
protected:
    FakeBeeper beeper;
    FakeRegional regional;
    ScopedFacet<platform::Beeper> beeperSwap{platform::Current().beeper, beeper};
    ScopedFacet<platform::RegionalSettings> regionalSwap{platform::Current().regional, regional};
};

TEST_F(SpinEditStepTest, WithoutBoundsTheStepsWrapInThirtyTwoBits) {
    spin->SetValue(0);
    spin->StepDown(spin);
    EXPECT_EQ(spin->Text(), "-1");
    spin->SetValue(INT32_MAX);
    spin->StepUp(spin);
    EXPECT_EQ(spin->Text(), "-2147483648");
    spin->StepDown(spin);
    EXPECT_EQ(spin->Text(), "2147483647");

    spin->SetIncrement(INT32_MIN);
    spin->SetValue(5);
    spin->StepDown(spin);
    EXPECT_EQ(spin->Value(), 5 + INT32_MIN) << "minus the smallest number wraps too";
    EXPECT_EQ(beeper.beeps, 0);
}

TEST_F(SpinEditStepTest, BoundsHoldTheStepsAndApplyOnlyAtTheNextWrite) {
    spin->SetMinValue(1);
    spin->SetMaxValue(10);
    spin->SetText("");
    spin->StepUp(spin);
    EXPECT_EQ(spin->Text(), "2") << "empty text reads as MinValue, then one Increment";

    spin->SetValue(10);
    spin->StepUp(spin);
    EXPECT_EQ(spin->Text(), "10");
    spin->SetValue(1);
    spin->StepDown(spin);
    EXPECT_EQ(spin->Text(), "1");

    spin->SetText("50");
    spin->SetMaxValue(60);
    spin->SetMinValue(55);
    EXPECT_EQ(spin->Text(), "50") << "writing a bound leaves the text alone";
    spin->SetIncrement(3);
    spin->StepUp(spin);
    EXPECT_EQ(spin->Text(), "55");
}

TEST_F(SpinEditStepTest, AReadOnlyFieldBeepsAtEachStepAndKeepsItsNumber) {
    spin->SetValue(7);
    spin->SetReadOnly(true);
    spin->StepUp(spin);
    spin->StepDown(spin);
    EXPECT_EQ(spin->Text(), "7");
    EXPECT_EQ(beeper.beeps, 2);
}

TEST_F(SpinEditStepTest, TheArrowsReachAnOverriddenStep) {
    struct Doubling : TSpinEdit {
        using TSpinEdit::TSpinEdit;
        void StepUp(TObject* sender) override {
            TSpinEdit::StepUp(sender);
            TSpinEdit::StepUp(sender);
        }
    };
    auto* doubling = new Doubling(owner.get());
    doubling->Button()->UpButton()->Click();
    EXPECT_EQ(doubling->Text(), "2");
    doubling->Button()->DownButton()->Click();
    EXPECT_EQ(doubling->Text(), "1");
}

TEST_F(SpinEditStepTest, OnlyTheCharactersOfANumberAndHarmlessControlsPass) {
    struct Case {
        wchar_t key;
        bool accepted;
        bool acceptedWithoutEditor;
    };
    const Case cases[] = {
        {L'0', true, false},   {L'9', true, false},     {L'+', true, false},
        {L'-', true, false},   {L',', true, false},     {L'.', false, false},
        {L'a', false, false},  {L'x', false, false},    {L'$', false, false},
        {L' ', false, false},  {L'\r', false, false},   {L'\n', false, false},
        {L'\t', false, false}, {L'\b', true, false},    {3, true, true},
        {22, true, true},      {24, true, true},        {26, true, true},
        {1, true, true},       {L'\x7f', false, false}, {L'\x00e9', false, false},
    };
    for (const Case& c : cases) {
        spin->SetEditorEnabled(true);
        EXPECT_EQ(spin->AcceptsChar(c.key), c.accepted) << "character " << int(c.key);
        spin->SetEditorEnabled(false);
        EXPECT_EQ(spin->AcceptsChar(c.key), c.acceptedWithoutEditor) << "character " << int(c.key);
    }
    regional.decimalSeparator = std::string(".");
    spin->SetEditorEnabled(true);
    EXPECT_TRUE(spin->AcceptsChar(L'.'));
    EXPECT_FALSE(spin->AcceptsChar(L','));
    regional.decimalSeparator = std::string("\u066B");  // the Arabic decimal separator
    EXPECT_TRUE(spin->AcceptsChar(L'\u066B'));
}

// The spin edit's number lives in its text: read with the program's integer syntax, written
// in decimal, clamped only when it has bounds.

#include "controls/Spin.h"

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

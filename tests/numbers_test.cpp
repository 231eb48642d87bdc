#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/Numbers.h"

namespace {

struct IntegerCase {
    const char* text;
    int32_t expected;
};

class ValidIntegerText : public testing::TestWithParam<IntegerCase> {};

TEST_P(ValidIntegerText, Parses) {
    const IntegerCase& c = GetParam();
    int32_t value = 12345;
    ASSERT_TRUE(TryStrToInt(c.text, value)) << '"' << c.text << '"';
    EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
    EXPECT_EQ(StrToIntDef(c.text, 12345), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Decimal, ValidIntegerText,
                         testing::Values(IntegerCase{"0", 0}, IntegerCase{"42", 42},
                                         IntegerCase{"+42", 42}, IntegerCase{"-42", -42},
                                         IntegerCase{"-0", 0}, IntegerCase{"007", 7},
                                         IntegerCase{"   15", 15}, IntegerCase{" -15", -15},
                                         IntegerCase{"2147483647", 2147483647},
                                         IntegerCase{"-2147483648", INT32_MIN},
                                         IntegerCase{"000000000002147483647", 2147483647}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, ValidIntegerText,
    testing::Values(IntegerCase{"$1F", 31}, IntegerCase{"$1f", 31}, IntegerCase{"x1E", 30},
                    IntegerCase{"X1E", 30}, IntegerCase{"0x1E", 30}, IntegerCase{"0X1e", 30},
                    IntegerCase{"$0000001F", 31}, IntegerCase{"$0000000000FF", 255},
                    IntegerCase{"$7FFFFFFF", 2147483647}, IntegerCase{"$80000000", INT32_MIN},
                    IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"0xfffffffe", -2},
                    IntegerCase{"-$1F", -31}, IntegerCase{"+0x10", 16},
                    IntegerCase{"-$FFFFFFFF", 1}, IntegerCase{"-$80000000", INT32_MIN},
                    IntegerCase{"  $A", 10}, IntegerCase{"$0", 0}));

class MalformedIntegerText : public testing::TestWithParam<const char*> {};

TEST_P(MalformedIntegerText, FailsAndLeavesTheValue) {
    const char* text = GetParam();
    int32_t value = 12345;
    EXPECT_FALSE(TryStrToInt(text, value)) << '"' << text << '"';
    EXPECT_EQ(value, 12345) << '"' << text << '"';
    EXPECT_EQ(StrToIntDef(text, -7), -7) << '"' << text << '"';
}

INSTANTIATE_TEST_SUITE_P(Shape, MalformedIntegerText,
                         testing::Values("", " ", "-", "+", "$", "x", "0x", "0X", "-$", "+-5",
                                         "--5", "- 5", "1,5", "1.5", "12 ", "12\t", "12a", "abc",
                                         "1e3", "$1G", "0x-5", "$+5", "\t12", "0b101", "12$",
                                         "$$1"));

INSTANTIATE_TEST_SUITE_P(Range, MalformedIntegerText,
                         testing::Values("2147483648", "-2147483649", "99999999999",
                                         "18446744073709551616", "$100000000", "0x1FFFFFFFF",
                                         "-$100000000", "$FFFFFFFFFFFFFFFFFFFF"));

struct PictureCase {
    const char* picture;
    double value;
    const char* separator;
    const char* expected;
};

class NumberPicture : public testing::TestWithParam<PictureCase> {};

TEST_P(NumberPicture, Formats) {
    const PictureCase& c = GetParam();
    EXPECT_EQ(FormatFloat(c.picture, c.value, c.separator), c.expected)
        << c.picture << " with " << c.value;
}

const char* const kAvailableMemory = "\"Mémoire disponible : \"#,###\" Mo\"";

INSTANTIATE_TEST_SUITE_P(
    LiteralText, NumberPicture,
    testing::Values(PictureCase{kAvailableMemory, 2047.6, " ", "Mémoire disponible : 2 048 Mo"},
                    PictureCase{kAvailableMemory, 0.3, " ", "Mémoire disponible :  Mo"},
                    PictureCase{kAvailableMemory, 0.5, " ", "Mémoire disponible : 1 Mo"},
                    PictureCase{kAvailableMemory, 1234567.0, "\u202F",
                                "Mémoire disponible : 1\u202F234\u202F567 Mo"},
                    PictureCase{kAvailableMemory, -2047.6, " ", "Mémoire disponible : -2 048 Mo"},
                    PictureCase{"'Free: '#,##0' MB'", 65536.0, ",", "Free: 65,536 MB"},
                    PictureCase{"\"a\"'b'#", 5.0, ",", "ab5"},
                    PictureCase{"# MB", 12.0, ",", "12 MB"},
                    PictureCase{"\"# and 0 in quotes: \"0", 3.0, ",", "# and 0 in quotes: 3"},
                    PictureCase{"\"no digits\"", 42.0, ",", "no digits"},
                    PictureCase{"", 42.0, ",", ""},
                    PictureCase{"\"unclosed", 42.0, ",", "unclosed"}));

INSTANTIATE_TEST_SUITE_P(
    Rounding, NumberPicture,
    testing::Values(PictureCase{"0", 2.5, ",", "3"}, PictureCase{"0", -2.5, ",", "-3"},
                    PictureCase{"0", 2.4999, ",", "2"}, PictureCase{"0", -0.4, ",", "0"},
                    PictureCase{"#", -0.4, ",", ""}, PictureCase{"#", -0.5, ",", "-1"},
                    PictureCase{"#", 0.0, ",", ""},
                    PictureCase{"#", 1e20, ",", "100000000000000000000"},
                    PictureCase{"#", 9007199254740994.0, ",", "9007199254740994"},
                    PictureCase{"#", 18446744073709551616.0, ",", "18446744073709551616"},
                    PictureCase{"#", -1.7976931348623157e308, ",",
                                "-179769313486231570814527423731704356798070567525844996598917476"
                                "80315726078002853876058955863276687817154045895351438246423432132"
                                "68894641827684675467035375169860499105765512820762454900903893289"
                                "44075868508455133942304583236903222948165808559332123348274797826"
                                "204144723168738177180919299881250404026184124858368"}));

INSTANTIATE_TEST_SUITE_P(
    CompulsoryDigits, NumberPicture,
    testing::Values(PictureCase{"000", 7.0, ",", "007"}, PictureCase{"000", 12345.0, ",", "12345"},
                    PictureCase{"#,##0", 0.2, " ", "0"}, PictureCase{"000", -7.0, ",", "-007"},
                    PictureCase{"0,000", 5.0, ".", "0.005"}, PictureCase{"#0", 0.0, ",", "0"}));

INSTANTIATE_TEST_SUITE_P(Grouping, NumberPicture,
                         testing::Values(PictureCase{"#,#", 1234567.0, " ", "1 234 567"},
                                         PictureCase{"#,###", 1234567.0, " ", "1 234 567"},
                                         PictureCase{"###,", 1234567.0, " ", "1 234 567"},
                                         PictureCase{",###", 1234567.0, " ", "1 234 567"},
                                         PictureCase{"\"Total\", #", 1234.0, " ", "Total, 1234"},
                                         PictureCase{"#,###", 999.0, " ", "999"},
                                         PictureCase{"#,###", 1000.0, " ", "1 000"},
                                         PictureCase{"#,###", 100000.0, "\u00A0", "100\u00A0000"},
                                         PictureCase{"#,###", -1234.0, ",", "-1,234"},
                                         PictureCase{"####", 1234567.0, " ", "1234567"},
                                         PictureCase{"\"1,2 \"###", 1234.0, " ", "1,2 1234"},
                                         PictureCase{"#\",\"#", 1234.0, " ", "1234,"},
                                         PictureCase{"#", 1234.0, "", "1234"}));

TEST(NumberPicture, NonFiniteValuesKeepTheirSpelling) {
    EXPECT_EQ(FormatFloat("#,##0", std::numeric_limits<double>::infinity(), " "), "inf");
    EXPECT_EQ(FormatFloat("\"x\"0", -std::numeric_limits<double>::infinity(), " "), "x-inf");
    EXPECT_EQ(FormatFloat("000", std::nan(""), " "), "nan");
}

}  // namespace

TEST(FormatIntegers, FillsEachPercentDInTurn) {
    EXPECT_EQ(FormatIntegers(L"La valeur doit être comprise entre %d et %d", {-2147483647 - 1, 7}),
              L"La valeur doit être comprise entre -2147483648 et 7");
    EXPECT_EQ(FormatIntegers(L"%d%%", {100}), L"100%");
    EXPECT_EQ(FormatIntegers(L"%d et %d", {5}), L"5 et %d");
    EXPECT_EQ(FormatIntegers(L"%x %", {5}), L"%x %");
}

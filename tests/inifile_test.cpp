#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "fakes/RecordingProfile.h"
#include "fakes/ScopedFacet.h"
#include "framework/Exceptions.h"
#include "framework/IniFile.h"
#include "platform/Facets.h"

namespace {

// The platform's own profile functions on a file of the test's own in the temporary folder,
// each write written down.
class IniFileTest : public testing::Test {
protected:
    ~IniFileTest() override {
        std::error_code ignored;
        std::filesystem::remove(fileName_, ignored);
    }

    bool Exists() const { return std::filesystem::exists(fileName_); }

    const std::string fileName_ = (std::filesystem::temp_directory_path() /
                                   ("velmora-" + std::to_string(std::random_device{}()) + ".ini"))
                                      .string();
    const char* const kFileName = fileName_.c_str();
    RecordingProfile fake_{fileName_};
    ScopedFacet<platform::Profile> swap_{platform::Current().profile, fake_};
};

struct IntegerReadCase {
    std::optional<std::string> stored;  // nullopt: the key is missing
    int32_t defaultValue;
    int32_t expected;
};

class IniFileReadInteger : public IniFileTest,
                           public testing::WithParamInterface<IntegerReadCase> {};

TEST_P(IniFileReadInteger, ReadsOrFallsBack) {
    const IntegerReadCase& c = GetParam();
    if (c.stored) {
        fake_.Put("Options", "Interval", *c.stored);
    }
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.ReadInteger("Options", "Interval", c.defaultValue), c.expected)
        << "stored: " << c.stored.value_or("(missing)");
}

INSTANTIATE_TEST_SUITE_P(Decimal, IniFileReadInteger,
                         testing::Values(IntegerReadCase{std::nullopt, 60, 60},
                                         IntegerReadCase{"", 60, 60}, IntegerReadCase{"42", 60, 42},
                                         IntegerReadCase{"+42", 60, 42},
                                         IntegerReadCase{"-42", 60, -42},
                                         IntegerReadCase{"0", 60, 0},
                                         IntegerReadCase{"2147483647", 60, 2147483647},
                                         IntegerReadCase{"-2147483648", 60, INT32_MIN}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, IniFileReadInteger,
    testing::Values(IntegerReadCase{"$1F", 60, 31}, IntegerReadCase{"x1E", 60, 30},
                    IntegerReadCase{"X1E", 60, 30}, IntegerReadCase{"0x1E", 60, 30},
                    IntegerReadCase{"0X1E", 60, 30}, IntegerReadCase{"$FFFFFFFF", 60, -1}));

INSTANTIATE_TEST_SUITE_P(
    Blanks, IniFileReadInteger,
    testing::Values(IntegerReadCase{"  12", 60, 12}, IntegerReadCase{"\t12", 60, 12},
                    IntegerReadCase{" \t -12", 60, -12}, IntegerReadCase{" \t ", 60, 60},
                    // The platform strips the blanks after a value before they get here.
                    IntegerReadCase{"12 ", 60, 12}, IntegerReadCase{"12\t", 60, 12},
                    IntegerReadCase{"- 12", 60, 60}));

INSTANTIATE_TEST_SUITE_P(
    NoInteger, IniFileReadInteger,
    testing::Values(IntegerReadCase{"abc", 60, 60}, IntegerReadCase{"12abc", 60, 60},
                    IntegerReadCase{"1.5", 60, 60}, IntegerReadCase{"1,5", 60, 60},
                    IntegerReadCase{"$", 60, 60}, IntegerReadCase{"0x", 60, 60},
                    IntegerReadCase{"2147483648", 60, 60}, IntegerReadCase{"-2147483649", 60, 60},
                    IntegerReadCase{"$100000000", 60, 60}));

struct BoolReadCase {
    std::optional<std::string> stored;
    bool defaultValue;
    bool expected;
};

class IniFileReadBool : public IniFileTest, public testing::WithParamInterface<BoolReadCase> {};

TEST_P(IniFileReadBool, ReadsOrFallsBack) {
    const BoolReadCase& c = GetParam();
    if (c.stored) {
        fake_.Put("Options", "Sound", *c.stored);
    }
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.ReadBool("Options", "Sound", c.defaultValue), c.expected)
        << "stored: " << c.stored.value_or("(missing)") << ", default " << c.defaultValue;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniFileReadBool,
    testing::Values(BoolReadCase{"1", false, true}, BoolReadCase{"0", true, false},
                    BoolReadCase{"-1", false, true}, BoolReadCase{"2", false, true},
                    BoolReadCase{"$0", true, false}, BoolReadCase{"abc", true, true},
                    BoolReadCase{"abc", false, false}, BoolReadCase{"", true, true},
                    BoolReadCase{"", false, false}, BoolReadCase{std::nullopt, true, true},
                    BoolReadCase{std::nullopt, false, false}));

TEST_F(IniFileTest, CreatingDoesNotTouchTheFile) {
    TIniFile ini(kFileName);
    EXPECT_TRUE(fake_.Writes().empty());
    EXPECT_FALSE(Exists());
}

TEST_F(IniFileTest, ReadStringGivesTheValueOrTheDefault) {
    fake_.Put("Options", "Caption", "Velmora");
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.ReadString("Options", "Caption", "none"), "Velmora");
    EXPECT_EQ(ini.ReadString("Options", "Missing", "none"), "none");
    EXPECT_EQ(ini.ReadString("Missing", "Caption", "none"), "none");
}

TEST_F(IniFileTest, ReadStringCutsLongValuesToTheBuffer) {
    std::string value;
    for (int i = 0; value.size() < 3000; ++i) {
        value += static_cast<char>('a' + i % 26);
    }
    fake_.Put("Options", "Long", value);
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.ReadString("Options", "Long", ""), value.substr(0, 2047));
}

TEST_F(IniFileTest, SectionAndKeyNamesIgnoreCase) {
    TIniFile ini(kFileName);
    ini.WriteInteger("Options", "Interval", 5);
    ini.WriteInteger("OPTIONS", "INTERVAL", 7);
    EXPECT_EQ(ini.ReadInteger("options", "interval", 60), 7);
    EXPECT_EQ(fake_.Text(), "[Options]\r\nInterval=7\r\n");
}

struct IntegerWriteCase {
    int32_t value;
    const char* text;
};

class IniFileWriteInteger : public IniFileTest,
                            public testing::WithParamInterface<IntegerWriteCase> {};

TEST_P(IniFileWriteInteger, WritesDecimalTextThatReadsBack) {
    const IntegerWriteCase& c = GetParam();
    TIniFile ini(kFileName);
    ini.WriteInteger("Options", "Interval", c.value);

    EXPECT_EQ(fake_.Text(), std::string("[Options]\r\nInterval=") + c.text + "\r\n");
    EXPECT_EQ(ini.ReadInteger("Options", "Interval", c.value == 0 ? 1 : 0), c.value);
}

INSTANTIATE_TEST_SUITE_P(Values, IniFileWriteInteger,
                         testing::Values(IntegerWriteCase{0, "0"}, IntegerWriteCase{42, "42"},
                                         IntegerWriteCase{-42, "-42"},
                                         IntegerWriteCase{2147483647, "2147483647"},
                                         IntegerWriteCase{INT32_MIN, "-2147483648"}));

TEST_F(IniFileTest, WriteBoolWritesOneOrZero) {
    TIniFile ini(kFileName);
    ini.WriteBool("Options", "Sound", true);
    ini.WriteBool("Options", "Startup", false);
    EXPECT_EQ(fake_.Text(), "[Options]\r\nSound=1\r\nStartup=0\r\n");
    EXPECT_TRUE(ini.ReadBool("Options", "Sound", false));
    EXPECT_FALSE(ini.ReadBool("Options", "Startup", true));
}

TEST_F(IniFileTest, FailedWriteThrowsNamingTheFile) {
    fake_.Put("Options", "Interval", "5");
    fake_.FailWritesTo("Interval");
    TIniFile ini(kFileName);

    try {
        ini.WriteString("Options", "Interval", "7");
        FAIL() << "the failed write went unreported";
    } catch (const EIniFileException& e) {
        EXPECT_NE(e.Message().find(kFileName), std::string::npos) << e.Message();
    }
    EXPECT_THROW(ini.WriteInteger("Options", "Interval", 7), EIniFileException);
    EXPECT_THROW(ini.WriteBool("Options", "Interval", true), EIniFileException);

    ini.WriteInteger("Options", "Delay", 3);
    EXPECT_EQ(fake_.Text(), "[Options]\r\nInterval=5\r\nDelay=3\r\n");
}

void ExpectFlushOf(const RecordingProfile::Write& write, const std::string& fileName) {
    EXPECT_TRUE(write.IsFlush());
    EXPECT_EQ(write.file, fileName);
}

TEST_F(IniFileTest, DestructionFlushesTheFileLast) {
    {
        TIniFile ini(kFileName);
        ini.WriteInteger("Options", "Interval", 5);
    }
    ASSERT_EQ(fake_.Writes().size(), 2u);
    EXPECT_EQ(fake_.Writes().front().key, "Interval");
    ExpectFlushOf(fake_.Writes().back(), fileName_);
}

TEST_F(IniFileTest, DestructionFlushesWhenAnExceptionLeavesTheScope) {
    fake_.FailWritesTo("Interval");
    EXPECT_THROW(
        {
            TIniFile ini(kFileName);
            ini.WriteInteger("Options", "Interval", 5);
        },
        EIniFileException);
    ASSERT_EQ(fake_.Writes().size(), 2u);
    ExpectFlushOf(fake_.Writes().back(), fileName_);
}

TEST_F(IniFileTest, DestructionToleratesAFailedFlush) {
    fake_.FailAllWrites();
    EXPECT_NO_THROW({ TIniFile ini(kFileName); });
    ASSERT_EQ(fake_.Writes().size(), 1u);
    ExpectFlushOf(fake_.Writes().back(), fileName_);
}

TEST_F(IniFileTest, WrittenValuesReadBack) {
    {
        TIniFile ini(kFileName);
        ini.WriteInteger("Options", "Interval", -42);
        ini.WriteBool("Options", "Sound", true);
        ini.WriteString("Window", "Caption", "Velmora");
    }
    ASSERT_TRUE(Exists());
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.ReadInteger("Options", "Interval", 0), -42);
    EXPECT_TRUE(ini.ReadBool("Options", "Sound", false));
    EXPECT_EQ(ini.ReadString("Window", "Caption", ""), "Velmora");
}

TEST_F(IniFileTest, MissingFileGivesTheDefaults) {
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.ReadString("Options", "Caption", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Options", "Interval", 60), 60);
    EXPECT_TRUE(ini.ReadBool("Options", "Sound", true));
    EXPECT_FALSE(ini.ReadBool("Options", "Sound", false));
    EXPECT_FALSE(Exists());
}

TEST_F(IniFileTest, ValuesAreWrittenVerbatim) {
    const std::string values[] = {"C:\\Program Files\\Velmora\\Velmora.exe",
                                  "key=value",
                                  "; not a comment",
                                  "[not a section]",
                                  "say \"hello\" twice",
                                  "#,##0 Mo",
                                  "$1F"};
    TIniFile ini(kFileName);
    for (const std::string& value : values) {
        ini.WriteString("Options", "Value", value);
        EXPECT_EQ(ini.ReadString("Options", "Value", ""), value);
    }
}

TEST_F(IniFileTest, TheFileKeepsTheFirstSpellingOfEachNameInTheOrderWritten) {
    {
        TIniFile ini(kFileName);
        ini.WriteInteger("Options", "Interval", 5);
        ini.WriteBool("Options", "Sound", true);
        ini.WriteString("Window", "Caption", "Velmora");
        ini.WriteInteger("OPTIONS", "interval", -7);
        ini.WriteString("options", "Picture", "#,##0");
    }
    EXPECT_EQ(
        fake_.Text(),
        "[Options]\r\nInterval=-7\r\nSound=1\r\nPicture=#,##0\r\n[Window]\r\nCaption=Velmora\r\n");
}

}  // namespace

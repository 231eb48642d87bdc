#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "fakes/FakeProfile.h"
#include "fakes/ScopedFacet.h"
#include "framework/Exceptions.h"
#include "framework/IniFile.h"
#include "platform/Facets.h"

namespace {

const char* const kFileName = "C:\\Velmora\\Velmora.ini";

class IniFileWithFake : public testing::Test {
protected:
    FakeProfile fake_{kFileName};
    ScopedFacet<platform::Profile> swap_{platform::Current().profile, fake_};
};

struct IntegerReadCase {
    std::optional<std::string> stored;  // nullopt: the key is missing
    int32_t defaultValue;
    int32_t expected;
};

class IniFileReadInteger : public IniFileWithFake,
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
                    // Blanks after the number make it no integer; the platform strips them
                    // before they get here.
                    IntegerReadCase{"12 ", 60, 60}, IntegerReadCase{"12\t", 60, 60},
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

class IniFileReadBool : public IniFileWithFake, public testing::WithParamInterface<BoolReadCase> {};

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

TEST_F(IniFileWithFake, CreatingDoesNotTouchTheFile) {
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.FileName(), kFileName);
    EXPECT_TRUE(fake_.Calls().empty());
}

TEST_F(IniFileWithFake, ReadStringPassesItsArgumentsAndBufferSize) {
    fake_.Put("Options", "Caption", "Velmora");
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.ReadString("Options", "Caption", "none"), "Velmora");
    EXPECT_EQ(ini.ReadString("Options", "Missing", "none"), "none");

    const FakeProfile::Call& call = fake_.Calls().back();
    EXPECT_EQ(call.kind, FakeProfile::CallKind::Read);
    EXPECT_EQ(call.section, "Options");
    EXPECT_EQ(call.key, "Missing");
    EXPECT_EQ(call.value, "none");
    EXPECT_EQ(call.file, kFileName);
    EXPECT_EQ(call.bufferSize, 2048u);
}

TEST_F(IniFileWithFake, ReadStringCutsLongValuesToTheBuffer) {
    fake_.Put("Options", "Long", std::string(3000, 'v'));
    TIniFile ini(kFileName);
    EXPECT_EQ(ini.ReadString("Options", "Long", ""), std::string(2047, 'v'));
}

TEST_F(IniFileWithFake, ReadIntegerAsksWithAnEmptyDefault) {
    TIniFile ini(kFileName);
    ini.ReadInteger("Options", "Interval", 60);
    ini.ReadBool("Options", "Sound", true);
    ASSERT_EQ(fake_.Calls().size(), 2u);
    for (const FakeProfile::Call& call : fake_.Calls()) {
        EXPECT_EQ(call.kind, FakeProfile::CallKind::Read);
        EXPECT_EQ(call.value, "");
    }
}

TEST_F(IniFileWithFake, SectionAndKeyNamesIgnoreCase) {
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

class IniFileWriteInteger : public IniFileWithFake,
                            public testing::WithParamInterface<IntegerWriteCase> {};

TEST_P(IniFileWriteInteger, WritesDecimalTextThatReadsBack) {
    const IntegerWriteCase& c = GetParam();
    TIniFile ini(kFileName);
    ini.WriteInteger("Options", "Interval", c.value);

    const FakeProfile::Call& call = fake_.Calls().back();
    EXPECT_EQ(call.kind, FakeProfile::CallKind::Write);
    EXPECT_EQ(call.section, "Options");
    EXPECT_EQ(call.key, "Interval");
    EXPECT_EQ(call.value, c.text);
    EXPECT_EQ(call.file, kFileName);
    EXPECT_EQ(ini.ReadInteger("Options", "Interval", c.value == 0 ? 1 : 0), c.value);
}

INSTANTIATE_TEST_SUITE_P(Values, IniFileWriteInteger,
                         testing::Values(IntegerWriteCase{0, "0"}, IntegerWriteCase{42, "42"},
                                         IntegerWriteCase{-42, "-42"},
                                         IntegerWriteCase{2147483647, "2147483647"},
                                         IntegerWriteCase{INT32_MIN, "-2147483648"}));

TEST_F(IniFileWithFake, WriteBoolWritesOneOrZero) {
    TIniFile ini(kFileName);
    ini.WriteBool("Options", "Sound", true);
    ini.WriteBool("Options", "Startup", false);
    EXPECT_EQ(fake_.Text(), "[Options]\r\nSound=1\r\nStartup=0\r\n");
    EXPECT_TRUE(ini.ReadBool("Options", "Sound", false));
    EXPECT_FALSE(ini.ReadBool("Options", "Startup", true));
}

TEST_F(IniFileWithFake, FailedWriteThrowsNamingTheFile) {
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

void ExpectFlushOf(const FakeProfile::Call& call) {
    EXPECT_EQ(call.kind, FakeProfile::CallKind::Write);
    EXPECT_EQ(call.section, std::nullopt);
    EXPECT_EQ(call.key, std::nullopt);
    EXPECT_EQ(call.value, std::nullopt);
    EXPECT_EQ(call.file, kFileName);
}

TEST_F(IniFileWithFake, DestructionFlushesTheFileLast) {
    {
        TIniFile ini(kFileName);
        ini.WriteInteger("Options", "Interval", 5);
    }
    ASSERT_EQ(fake_.Calls().size(), 2u);
    EXPECT_EQ(fake_.Calls().front().key, "Interval");
    ExpectFlushOf(fake_.Calls().back());
}

TEST_F(IniFileWithFake, DestructionFlushesWhenAnExceptionLeavesTheScope) {
    fake_.FailWritesTo("Interval");
    EXPECT_THROW(
        {
            TIniFile ini(kFileName);
            ini.WriteInteger("Options", "Interval", 5);
        },
        EIniFileException);
    ASSERT_EQ(fake_.Calls().size(), 2u);
    ExpectFlushOf(fake_.Calls().back());
}

TEST_F(IniFileWithFake, DestructionToleratesAFailedFlush) {
    fake_.FailAllWrites();
    EXPECT_NO_THROW({ TIniFile ini(kFileName); });
    ASSERT_EQ(fake_.Calls().size(), 1u);
    ExpectFlushOf(fake_.Calls().back());
}

// The real private-profile functions, on a file of our own in the temporary folder.
class TemporaryIniFile {
public:
    TemporaryIniFile()
        : path_(std::filesystem::temp_directory_path() /
                ("velmora-" + std::to_string(std::random_device{}()) + ".ini")) {}
    ~TemporaryIniFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TemporaryIniFile(const TemporaryIniFile&) = delete;
    TemporaryIniFile& operator=(const TemporaryIniFile&) = delete;

    std::string Name() const { return path_.string(); }
    bool Exists() const { return std::filesystem::exists(path_); }
    std::string Contents() const {
        std::ifstream stream(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    }

private:
    std::filesystem::path path_;
};

TEST(IniFileOnThePlatform, WrittenValuesReadBack) {
    TemporaryIniFile file;
    {
        TIniFile ini(file.Name());
        ini.WriteInteger("Options", "Interval", -42);
        ini.WriteBool("Options", "Sound", true);
        ini.WriteString("Window", "Caption", "Velmora");
    }
    ASSERT_TRUE(file.Exists());
    TIniFile ini(file.Name());
    EXPECT_EQ(ini.ReadInteger("Options", "Interval", 0), -42);
    EXPECT_TRUE(ini.ReadBool("Options", "Sound", false));
    EXPECT_EQ(ini.ReadString("Window", "Caption", ""), "Velmora");
}

TEST(IniFileOnThePlatform, MissingFileGivesTheDefaults) {
    TemporaryIniFile file;
    TIniFile ini(file.Name());
    EXPECT_EQ(ini.ReadString("Options", "Caption", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Options", "Interval", 60), 60);
    EXPECT_TRUE(ini.ReadBool("Options", "Sound", true));
    EXPECT_FALSE(ini.ReadBool("Options", "Sound", false));
    EXPECT_FALSE(file.Exists());
}

TEST(IniFileOnThePlatform, SectionAndKeyNamesIgnoreCase) {
    TemporaryIniFile file;
    TIniFile ini(file.Name());
    ini.WriteInteger("Options", "Interval", 5);
    ini.WriteInteger("OPTIONS", "INTERVAL", 7);
    EXPECT_EQ(ini.ReadInteger("options", "interval", 60), 7);
}

TEST(IniFileOnThePlatform, LongValuesComeBackCutToTheBuffer) {
    TemporaryIniFile file;
    TIniFile ini(file.Name());
    std::string value;
    for (int i = 0; value.size() < 3000; ++i) {
        value += static_cast<char>('a' + i % 26);
    }
    ini.WriteString("Options", "Long", value);
    EXPECT_EQ(ini.ReadString("Options", "Long", ""), value.substr(0, 2047));
}

TEST(IniFileOnThePlatform, ValuesAreWrittenVerbatim) {
    const std::string values[] = {"C:\\Program Files\\Velmora\\Velmora.exe",
                                  "key=value",
                                  "; not a comment",
                                  "[not a section]",
                                  "say \"hello\" twice",
                                  "#,##0 Mo",
                                  "$1F"};
    TemporaryIniFile file;
    TIniFile ini(file.Name());
    for (const std::string& value : values) {
        ini.WriteString("Options", "Value", value);
        EXPECT_EQ(ini.ReadString("Options", "Value", ""), value);
    }
}

TEST(IniFileOnThePlatform, FileTextMatchesTheFake) {
    auto writeSettings = [](const std::string& fileName) {
        TIniFile ini(fileName);
        ini.WriteInteger("Options", "Interval", 5);
        ini.WriteBool("Options", "Sound", true);
        ini.WriteString("Window", "Caption", "Velmora");
        ini.WriteInteger("OPTIONS", "interval", -7);
        ini.WriteString("options", "Picture", "#,##0");
    };
    TemporaryIniFile file;
    writeSettings(file.Name());

    FakeProfile fake{kFileName};
    {
        ScopedFacet<platform::Profile> swap(platform::Current().profile, fake);
        writeSettings(kFileName);
    }
    EXPECT_EQ(file.Contents(), fake.Text());
}

}  // namespace

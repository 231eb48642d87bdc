// serie.ini seen from outside: what a close leaves in it, and what the next start takes from it.

#include "StateFileFixture.h"
#include "VelmoraWindow.h"
#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr DWORD kReactionTimeoutMs = 5000;

const std::string kFirstStartDefaults =
    "[Form1]\r\nSpinEdit_1=30\r\nFirefox_1=0\r\ni_explore=0\r\nChrome_1=0\r\n";
// Only "J'utilise Internet Explorer" ticked.
const std::string kInternetExplorerOnly =
    "[Form1]\r\nSpinEdit_1=30\r\nFirefox_1=0\r\ni_explore=1\r\nChrome_1=0\r\n";

bool Tick(HWND main, const wchar_t* caption) {
    const HWND box = BrowserBox(main, caption);
    Click(box);
    return WaitUntil([&] { return CheckState(box) == BST_CHECKED; }, kReactionTimeoutMs);
}

struct StoredFileCase {
    const char* name;
    std::string file;
    StoredControls shown;
};

// A folder whose name no Western code page can spell, as a Cyrillic or Chinese user name gives.
class VelmoraInAnyFolder : public VelmoraStateFile {
protected:
    VelmoraInAnyFolder() : VelmoraStateFile(L"-Пользователь-用户") {}
};

class VelmoraHiddenStart : public VelmoraStateFile,
                           public testing::WithParamInterface<StoredFileCase> {};

}  // namespace

TEST_F(VelmoraStateFile, FirstStartClosedUnchangedLeavesTheDefaults) {
    const HWND main = Start();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsVisible(main));
    EXPECT_EQ(StateFile(), std::nullopt) << "loading must not create the file";
    ASSERT_TRUE(ClosesQuietly(main));
    EXPECT_EQ(StateFile(), kFirstStartDefaults);
}

TEST_F(VelmoraStateFile, TickingInternetExplorerIsWrittenAndKeptByTheNextStart) {
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Tick(main, kInternetExplorerBox));
    ASSERT_TRUE(ClosesQuietly(main));
    EXPECT_EQ(StateFile(), kInternetExplorerOnly);

    main = Start();
    ASSERT_NE(main, nullptr);
    Sleep(kHiddenSettleMs);
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id()));
    EXPECT_EQ(ReadStoredControls(main), (StoredControls{L"30", true, false, false}));
    ASSERT_TRUE(ClosesQuietly(main));
    EXPECT_EQ(StateFile(), kInternetExplorerOnly) << "every close writes the four keys again";
}

TEST_F(VelmoraInAnyFolder, KeepsItsSettingsInAFolderOfAnyName) {
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsVisible(main)) << "no serie.ini yet: a first start";
    ASSERT_TRUE(Tick(main, kInternetExplorerBox));
    ASSERT_TRUE(ClosesQuietly(main));
    EXPECT_EQ(StateFile(), kInternetExplorerOnly);

    main = Start();
    ASSERT_NE(main, nullptr);
    Sleep(kHiddenSettleMs);
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id())) << "a hidden start";
    EXPECT_EQ(ReadStoredControls(main), (StoredControls{L"30", true, false, false}));
    ASSERT_TRUE(ClosesQuietly(main));
    EXPECT_EQ(StateFile(), kInternetExplorerOnly);
}

TEST_F(VelmoraStateFile, ChangesAreLostWhenTheProcessIsEndedFromOutside) {
    const HWND main = Start();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Tick(main, kChromeBox));
    velmora_.Process().Terminate();
    EXPECT_EQ(StateFile(), std::nullopt);
}

TEST_F(VelmoraStateFile, ACloseLeavesOtherSectionsAndKeysUntouched) {
    // Windows-1252 text, as the platform keeps it.
    WriteStateFile(
        "[Avant]\r\nclef=valeur\r\n"
        "[Form1]\r\nNote=gard\xE9"
        "e\r\nChrome_1=1\r\nSpinEdit_1=12\r\n"
        "[Apr\xE8s]\r\nautre=1\r\n");
    const HWND main = Start();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ClosesQuietly(main));
    // The keys that were missing loaded as ticked boxes and come at the end of their section.
    EXPECT_EQ(StateFile(),
              "[Avant]\r\nclef=valeur\r\n"
              "[Form1]\r\nNote=gard\xE9"
              "e\r\nChrome_1=1\r\nSpinEdit_1=12\r\nFirefox_1=1\r\ni_explore=1\r\n"
              "[Apr\xE8s]\r\nautre=1\r\n");
}

TEST_P(VelmoraHiddenStart, ShowsNothingAndHoldsTheValuesOfTheFile) {
    const StoredFileCase& c = GetParam();
    WriteStateFile(c.file);
    const HWND main = Start();
    ASSERT_NE(main, nullptr);
    Sleep(kHiddenSettleMs);
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id()));
    EXPECT_EQ(ReadStoredControls(main), c.shown);
    velmora_.Process().Terminate();
    EXPECT_EQ(StateFile(), c.file) << "an end from outside writes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Files, VelmoraHiddenStart,
    testing::Values(
        StoredFileCase{"TwelveMinutesAndFirefox",
                       "[Form1]\r\nSpinEdit_1=12\r\nFirefox_1=1\r\ni_explore=0\r\nChrome_1=0\r\n",
                       {L"12", false, true, false}},
        StoredFileCase{"EmptyFile", "", {L"0", true, true, true}},
        StoredFileCase{"NoSectionForm1",
                       "[Form2]\r\nSpinEdit_1=12\r\nFirefox_1=0\r\ni_explore=0\r\nChrome_1=0\r\n",
                       {L"0", true, true, true}},
        StoredFileCase{"ValuesThatAreNoNumbers",
                       "[Form1]\r\nSpinEdit_1=0x1E\r\nFirefox_1=abc\r\ni_explore=0\r\n"
                       "Chrome_1=abc\r\n",
                       {L"30", false, true, true}},
        StoredFileCase{"MinutesThatAreNoNumber",
                       "[Form1]\r\nSpinEdit_1=abc\r\nFirefox_1=0\r\ni_explore=0\r\nChrome_1=0\r\n",
                       {L"0", false, false, false}},
        StoredFileCase{"NamesInAnotherCase",
                       "[FORM1]\r\nspinedit_1=7\r\nFIREFOX_1=0\r\nI_Explore=1\r\nchrome_1=0\r\n",
                       {L"7", true, false, false}}),
    [](const testing::TestParamInfo<StoredFileCase>& info) { return info.param.name; });

// serie.ini when things go wrong: a file or folder that cannot be written, the end of the
// session, and files that are not what the program wrote.

#include "ImmutableOnLinux.h"
#include "StateFileFixture.h"
#include "VelmoraWindow.h"
#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kReactionTimeoutMs = 5000;

// As the system announces the end of the session: to every top-level window of the program.
void SendToEveryWindow(DWORD processId, UINT message, WPARAM wParam, LPARAM lParam) {
    for (HWND window : TopLevelWindows(processId)) {
        EXPECT_TRUE(Send(window, message, wParam, lParam).has_value())
            << "message " << message << " not answered";
    }
}

struct BrokenFileCase {
    const char* name;
    std::string bytes;
};

std::string EveryByteValue() {
    std::string bytes;
    for (int round = 0; round < 16; ++round) {
        for (int value = 0; value < 256; ++value) {
            bytes += static_cast<char>(value);
        }
    }
    return bytes;
}

std::string Utf16WithMark(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

class VelmoraBrokenFile : public VelmoraStateFile,
                          public testing::WithParamInterface<BrokenFileCase> {};

}  // namespace

TEST_F(VelmoraStateFile, AnUnwritableStateFileIsLeftAsItWasAndTheProgramEndsNormally) {
    const std::string file = "[Form1]\r\nSpinEdit_1=12\r\n";
    WriteStateFile(file);
    // The read-only attribute is not enough under Wine run as root.
    ImmutableOnLinux unwritable(velmora_.Folder().PathOf(L"serie.ini"));
    if (!unwritable.Holds()) {
        GTEST_SKIP() << unwritable.Failure();
    }
    const HWND main = Start();
    ASSERT_NE(main, nullptr);
    Sleep(kHiddenSettleMs);
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id()));
    SetText(MinutesField(main), L"7");
    ASSERT_TRUE(ClosesQuietly(main));
    EXPECT_EQ(StateFile(), file);
    EXPECT_EQ(velmora_.Folder().FileNames(),
              (std::vector<std::wstring>{L"Velmora.exe", L"serie.ini"}))
        << "the save's copy is gone";
}

TEST_F(VelmoraStateFile, AnUnwritableFolderGetsNoStateFileAndTheProgramEndsNormally) {
    ImmutableOnLinux unwritable(velmora_.Folder().Path());
    if (!unwritable.Holds()) {
        GTEST_SKIP() << unwritable.Failure();
    }
    const HWND main = Start();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsVisible(main)) << "a first start";
    const HWND box = BrowserBox(main, kFirefoxBox);
    Click(box);
    ASSERT_TRUE(WaitUntil([&] { return CheckState(box) == BST_CHECKED; }, kReactionTimeoutMs));
    ASSERT_TRUE(ClosesQuietly(main));
    EXPECT_EQ(StateFile(), std::nullopt);
    EXPECT_EQ(velmora_.Folder().FileNames(), std::vector<std::wstring>{L"Velmora.exe"});
}

TEST_F(VelmoraStateFile, TheSessionsEndWritesTheFileWhereHidingAndACancelledEndDoNot) {
    const HWND main = Start();
    ASSERT_NE(main, nullptr);
    const DWORD processId = velmora_.Process().Id();
    const HWND box = BrowserBox(main, kFirefoxBox);
    Click(box);
    ASSERT_TRUE(WaitUntil([&] { return CheckState(box) == BST_CHECKED; }, kReactionTimeoutMs));
    Click(FindChild(main, {.className = L"Button", .text = L"Réduire"}));
    ASSERT_TRUE(WaitUntil([&] { return !IsVisible(main); }, kReactionTimeoutMs));
    EXPECT_EQ(StateFile(), std::nullopt) << "hiding writes nothing";

    SendToEveryWindow(processId, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    SendToEveryWindow(processId, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(StateFile(), std::nullopt) << "a cancelled session end writes nothing";

    SendToEveryWindow(processId, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    SendToEveryWindow(processId, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(StateFile(),
              "[Form1]\r\nSpinEdit_1=30\r\nFirefox_1=1\r\ni_explore=0\r\nChrome_1=0\r\n");
    // The system ends the program without its close event.
    velmora_.Process().Terminate();
    EXPECT_EQ(StateFile(),
              "[Form1]\r\nSpinEdit_1=30\r\nFirefox_1=1\r\ni_explore=0\r\nChrome_1=0\r\n");
}

TEST_F(VelmoraStateFile, AnInstallersCloseThroughTheRestartManagerSavesAndEndsTheProgram) {
    const HWND main = Start();
    ASSERT_NE(main, nullptr);
    const DWORD processId = velmora_.Process().Id();
    const HWND box = BrowserBox(main, kChromeBox);
    Click(box);
    ASSERT_TRUE(WaitUntil([&] { return CheckState(box) == BST_CHECKED; }, kReactionTimeoutMs));
    Click(FindChild(main, {.className = L"Button", .text = L"Réduire"}));
    ASSERT_TRUE(WaitUntil([&] { return !IsVisible(main); }, kReactionTimeoutMs));

    for (HWND window : TopLevelWindows(processId)) {
        EXPECT_NE(Send(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP).value_or(0), 0)
            << "the program does not hold the installer up";
    }
    // As the Restart Manager does, whatever each window answers: once the program has begun to
    // end, its other windows may be gone.
    for (HWND window : TopLevelWindows(processId)) {
        Send(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    }
    EXPECT_EQ(velmora_.Process().WaitForExit(5000), std::optional<DWORD>(0));
    EXPECT_EQ(StateFile(),
              "[Form1]\r\nSpinEdit_1=30\r\nFirefox_1=0\r\ni_explore=0\r\nChrome_1=1\r\n");
}

TEST_P(VelmoraBrokenFile, StartsHiddenAnswersAndClosesNormally) {
    WriteStateFile(GetParam().bytes);
    const HWND main = Start();
    ASSERT_NE(main, nullptr) << "the program did not come up";
    Sleep(kHiddenSettleMs);
    ASSERT_TRUE(velmora_.Process().IsRunning());
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id()));
    EXPECT_NO_THROW(ReadStoredControls(main)) << "the window answers";
    EXPECT_TRUE(ClosesQuietly(main));
    EXPECT_TRUE(StateFile().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Files, VelmoraBrokenFile,
    testing::Values(
        BrokenFileCase{"EveryByteValue", EveryByteValue()},
        BrokenFileCase{"AMegabyteLine",
                       "[Form1]\r\n" + std::string(1 << 20, 'x') + "\r\nSpinEdit_1=12\r\n"},
        BrokenFileCase{"AMegabyteValue", "[Form1]\r\nSpinEdit_1=" + std::string(1 << 20, '7')},
        BrokenFileCase{"NoLineEnds", "[Form1]SpinEdit_1=12Firefox_1=0i_explore=1Chrome_1=0"},
        BrokenFileCase{"OnlyCarriageReturns", "[Form1]\rSpinEdit_1=12\rFirefox_1=0\r"},
        BrokenFileCase{"UnclosedSectionHeader", "[Form1\r\nSpinEdit_1=12\r\nFirefox_1=0\r\n"},
        BrokenFileCase{"Utf16WithAByteOrderMark",
                       Utf16WithMark("[Form1]\r\nSpinEdit_1=12\r\nFirefox_1=\r\n")}),
    [](const testing::TestParamInfo<BrokenFileCase>& info) { return info.param.name; });

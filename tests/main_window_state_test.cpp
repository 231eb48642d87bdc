// The main window's settings in serie.ini, through the platform's own profile functions, in a
// folder of the test's own.

#include "support/MainWindowFixture.h"

#include "controls/Spin.h"
#include "fakes/RecordingProfile.h"
#include "settings/SvgEditIni.h"
#include "support/PumpUntil.h"
#include "support/TextForm.h"

#include "platform/Files.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// The file that the first start leaves when only Internet Explorer was ticked.
const char* const kInternetExplorerOnly =
    "[Form1]\r\nSpinEdit_1=30\r\nFirefox_1=0\r\ni_explore=1\r\nChrome_1=0\r\n";

class MainWindowStateTest : public MainWindowTest {
protected:
    std::vector<std::string> FolderFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::optional<std::string> ReadStateFile() const {
        std::ifstream file(StateFile(), std::ios::binary);
        if (!file) {
            return std::nullopt;
        }
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
};

}  // namespace

TEST_F(MainWindowStateTest, TheStoreComesAfterTheFourControlsAndHandlesBoxesAndSpinEditsOnly) {
    Start();
    ASSERT_NE(form->SvgEditIni1, nullptr);
    const auto& components = form->Components();
    auto place = [&](TComponent* component) {
        return std::find(components.begin(), components.end(), component) - components.begin();
    };
    for (TComponent* stored : std::initializer_list<TComponent*>{form->SpinEdit_1, form->Firefox_1,
                                                                 form->i_explore, form->Chrome_1}) {
        EXPECT_LT(place(stored), place(form->SvgEditIni1)) << stored->Name();
    }
    const TSvgEditIni& store = *form->SvgEditIni1;
    EXPECT_TRUE(store.SauveCheckBox);
    EXPECT_TRUE(store.SauveSpinEdit);
    for (bool other :
         {store.SauveEdit, store.SauveDateTimePicker, store.SauveRadioButton, store.SauveMemo,
          store.SauveRichEdit, store.SauveComboBox, store.SauveListBox, store.SauveStringGrid}) {
        EXPECT_FALSE(other);
    }
}

TEST_F(MainWindowStateTest, FirstStartCreatesNoFileAndTheCloseWritesTheFourKeys) {
    Start();
    EXPECT_EQ(ReadStateFile(), std::nullopt) << "loading must not create the file";
    form->i_explore->SetChecked(true);
    form->Close();
    EXPECT_TRUE(TakeQuitMessage()) << "the program ends";
    EXPECT_EQ(ReadStateFile(), kInternetExplorerOnly);
}

TEST_F(MainWindowStateTest, HiddenStartKeepsTheValuesOfTheFile) {
    WriteStateFile("[Form1]\r\nSpinEdit_1=12\r\nFirefox_1=1\r\ni_explore=0\r\nChrome_1=0\r\n");
    Start();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->SpinEdit_1->Value(), 12);
    EXPECT_TRUE(form->Firefox_1->Checked());
    EXPECT_FALSE(form->i_explore->Checked());
    EXPECT_FALSE(form->Chrome_1->Checked());
    EXPECT_EQ(form->Timer1->Interval(), 12u * 60000u);
}

TEST_F(MainWindowStateTest, ACloseRewritesTheFourKeysAndLeavesEverythingElse) {
    // Windows-1252 text, as the platform keeps it.
    WriteStateFile(
        "[Avant]\r\nclef=valeur\r\n"
        "[Form1]\r\nNote=gard\xE9"
        "e\r\nChrome_1=1\r\nSpinEdit_1=12\r\n"
        "[Apr\xE8s]\r\nautre=1\r\n");
    Start();
    form->SpinEdit_1->SetValue(-3);
    form->Close();
    EXPECT_EQ(ReadStateFile(),
              "[Avant]\r\nclef=valeur\r\n"
              "[Form1]\r\nNote=gard\xE9"
              "e\r\nChrome_1=1\r\nSpinEdit_1=-3\r\nFirefox_1=1\r\n"
              "i_explore=1\r\n"
              "[Apr\xE8s]\r\nautre=1\r\n");
}

TEST_F(MainWindowStateTest, AStoreOnALaterWindowTakesNothingOverYetItsWindowIsSaved) {
    Start();
    TextForm* later = TextForm::Build(app.get(),
                                      "object Later: TTextForm\n"
                                      "  object Extra_1: TCheckBox\n  end\n"
                                      "  object Store: TSvgEditIni\n  end\n"
                                      "end\n");
    EXPECT_FALSE(later->OnClose) << "the close event stays the window's own";
    later->Close();
    EXPECT_EQ(ReadStateFile(), std::nullopt);

    // Loading the later window read the main window again from the missing file, which
    // replaced the first start's defaults with the missing file's.
    form->Close();
    EXPECT_EQ(ReadStateFile(),
              "[Form1]\r\nSpinEdit_1=0\r\nFirefox_1=1\r\ni_explore=1\r\nChrome_1=1\r\n"
              "[Later]\r\nExtra_1=1\r\n");
}

TEST_F(MainWindowStateTest, OnlyTheSessionsEndSavesWithoutAClose) {
    Start();
    form->Show();
    form->Firefox_1->SetChecked(true);
    form->Button4Click(form);
    app->Minimize();
    form->Afficher1Click(form);
    SendMessageW(app->Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(ReadStateFile(), std::nullopt);

    SendMessageW(app->Handle(), WM_QUERYENDSESSION, 0, 0);
    SendMessageW(app->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadStateFile(),
              "[Form1]\r\nSpinEdit_1=30\r\nFirefox_1=1\r\ni_explore=0\r\nChrome_1=0\r\n");
    EXPECT_FALSE(TakeQuitMessage()) << "the system ends the program, not the store";
}

TEST_F(MainWindowStateTest, AnInstallersCloseThroughTheRestartManagerSavesAndEndsTheProgram) {
    Start();
    form->Chrome_1->SetChecked(true);
    EXPECT_NE(SendMessageW(app->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), 0);
    EXPECT_FALSE(TakeQuitMessage()) << "asking is not closing";
    SendMessageW(app->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    EXPECT_EQ(ReadStateFile(),
              "[Form1]\r\nSpinEdit_1=30\r\nFirefox_1=0\r\ni_explore=0\r\nChrome_1=1\r\n");
    EXPECT_TRUE(TakeQuitMessage()) << "the program ends";
}

TEST_F(MainWindowStateTest, ASaveThatFailsShowsNothingAndTheProgramEnds) {
    Start();
    RecordingProfile failing;
    failing.FailAllWrites();
    ScopedFacet<platform::Profile> swap(platform::Current().profile, failing);
    form->Close();
    EXPECT_TRUE(TakeQuitMessage()) << "the program ends";
    EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "");
    EXPECT_EQ(ReadStateFile(), std::nullopt);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{}) << "the save's copy is gone";
}

namespace {

enum class SaveStep { Copy, Write, Flush, Move };

class MainWindowSaveFailingAt : public MainWindowStateTest,
                                public testing::WithParamInterface<SaveStep> {};

std::string StepName(const testing::TestParamInfo<SaveStep>& info) {
    const char* const kNames[] = {"Copy", "Write", "Flush", "Move"};
    return kNames[static_cast<int>(info.param)];
}

}  // namespace

TEST_P(MainWindowSaveFailingAt, LeavesTheFileByteForByteAndNoCopyBehind) {
    // A file the program did not write, with a comment, blanks and no final line end: a failed
    // save must not change a byte of it.
    const std::string earlier =
        "; notes\r\n[Form1]\r\nChrome_1=1\r\nSpinEdit_1=12\r\n[Autre]\r\nx = 1";
    WriteStateFile(earlier);
    Start();
    form->SpinEdit_1->SetValue(45);
    form->Firefox_1->SetChecked(false);

    RecordingProfile refusing;
    refusing.FailWritesTo("Firefox_1");
    std::optional<ScopedFacet<platform::Profile>> swap;
    switch (GetParam()) {
        case SaveStep::Copy:
            files.failCopy = true;
            break;
        case SaveStep::Write:
            swap.emplace(platform::Current().profile, refusing);
            break;
        case SaveStep::Flush:
            files.failFlush = true;
            break;
        case SaveStep::Move:
            files.failMove = true;
            break;
    }
    form->Close();
    EXPECT_TRUE(TakeQuitMessage()) << "the program ends";
    EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "");
    EXPECT_EQ(ReadStateFile(), earlier);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"serie.ini"});
}

INSTANTIATE_TEST_SUITE_P(Steps, MainWindowSaveFailingAt,
                         testing::Values(SaveStep::Copy, SaveStep::Write, SaveStep::Flush,
                                         SaveStep::Move),
                         StepName);

TEST_F(MainWindowStateTest, AStateFileThatAnotherProgramHoldsIsWaitedForTwoSecondsAtMost) {
    const std::string earlier = "[Form1]\r\nSpinEdit_1=12\r\n";
    // Held as a virus scanner holds a file it reads: sharing reads only.
    auto hold = [&] {
        return CreateFileW(platform::Utf8ToWide(StateFile()).c_str(), GENERIC_READ, FILE_SHARE_READ,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    {
        SCOPED_TRACE("held for half a second");
        WriteStateFile(earlier);
        Start();
        form->SpinEdit_1->SetValue(45);
        HANDLE held = hold();
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread release([held] {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            CloseHandle(held);
        });
        form->Close();
        release.join();
        EXPECT_TRUE(TakeQuitMessage()) << "the program ends";
        EXPECT_EQ(ReadStateFile(),
                  "[Form1]\r\nSpinEdit_1=45\r\nFirefox_1=1\r\ni_explore=1\r\nChrome_1=1\r\n");
        EXPECT_EQ(FolderFiles(), std::vector<std::string>{"serie.ini"});
    }
    app.reset();
    {
        SCOPED_TRACE("held past the close");
        WriteStateFile(earlier);
        Start();
        form->SpinEdit_1->SetValue(45);
        HANDLE held = hold();
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const ULONGLONG start = GetTickCount64();
        form->Close();
        const ULONGLONG took = GetTickCount64() - start;
        CloseHandle(held);
        EXPECT_TRUE(TakeQuitMessage()) << "the program ends";
        EXPECT_GE(took, 2000u) << "given up before two seconds";
        EXPECT_LT(took, 3000u);
        EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "");
        EXPECT_EQ(ReadStateFile(), earlier);
        EXPECT_EQ(FolderFiles(), std::vector<std::string>{"serie.ini"});
    }
}

TEST_F(MainWindowStateTest, ACopyLeftByASaveCutShortGoesAtTheNextSaveOnceMadeAMinuteAgo) {
    auto ago = [](ULONGLONG ageMs) {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
        time.QuadPart -= ageMs * 10000;
        return FILETIME{time.LowPart, time.HighPart};
    };
    auto stamp = [&](const std::filesystem::path& path, DWORD disposition, ULONGLONG ageMs) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        // Wine keeps no creation time and reports the last write in its place.
        const FILETIME time = ago(ageMs);
        EXPECT_TRUE(SetFileTime(file, &time, nullptr, &time));
        CloseHandle(file);
    };
    stamp(folder / "ser1F.tmp", CREATE_NEW, 2 * 60 * 1000);
    stamp(folder / "ser20.tmp", CREATE_NEW, 10 * 1000);
    // A second copy of the program, saving at this moment, has just copied a file last written
    // an hour ago.
    WriteStateFile("[Form1]\r\nSpinEdit_1=12\r\n");
    stamp(StateFile(), OPEN_EXISTING, 60 * 60 * 1000);
    const std::filesystem::path fresh = folder / "ser21.tmp";
    stamp(fresh, CREATE_NEW, 0);
    ASSERT_TRUE(platform::Win32Files().Copy(StateFile(), fresh.string()));
    Start();
    form->Close();
    EXPECT_EQ(FolderFiles(), (std::vector<std::string>{"ser20.tmp", "ser21.tmp", "serie.ini"}));
}

TEST_F(MainWindowStateTest, AReadOnlyStateFileIsNotWaitedForAndGetsNoCopy) {
    const std::string earlier = "[Form1]\r\nSpinEdit_1=12\r\n";
    WriteStateFile(earlier);
    const std::wstring path = platform::Utf8ToWide(StateFile());
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Start();
    form->SpinEdit_1->SetValue(45);
    const ULONGLONG start = GetTickCount64();
    form->Close();
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_TRUE(TakeQuitMessage()) << "the program ends";
    EXPECT_LT(took, 1000u) << "a read-only file is no brief hold";
    EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "");
    EXPECT_EQ(ReadStateFile(), earlier);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"serie.ini"});
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

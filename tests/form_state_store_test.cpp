// The form state store's rules: its kind switches, loading, saving and the close event, on a
// window built from test text over a real state file.

#include "controls/Spin.h"
#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"
#include "settings/SvgEditIni.h"
#include "platform/Utf8.h"
#include "support/FormStateStoreFixture.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Reads through the recording profile, except that reading one key raises.
class ReadFailingProfile final : public platform::Profile {
public:
    ReadFailingProfile(RecordingProfile& file, std::string failingKey)
        : file_(file), failingKey_(std::move(failingKey)) {}

    std::string ReadString(const char* section, const char* key, const char* defaultValue,
                           const char* fileName, unsigned bufferSize) override {
        if (key != nullptr && key == failingKey_) {
            throw Exception("lecture impossible");
        }
        return file_.ReadString(section, key, defaultValue, fileName, bufferSize);
    }
    bool WriteString(const char* section, const char* key, const char* value,
                     const char* fileName) override {
        return file_.WriteString(section, key, value, fileName);
    }

private:
    RecordingProfile& file_;
    std::string failingKey_;
};

std::string PrefsText(const std::string& storeProperties = "",
                      const std::string& formProperties = "") {
    return StoreWindowText("Prefs", storeProperties, formProperties);
}

struct SwitchCase {
    const char* name;
    bool TSvgEditIni::*value;
    bool constructed;
};

const SwitchCase kSwitches[] = {
    {"SauveEdit", &TSvgEditIni::SauveEdit, true},
    {"SauveDateTimePicker", &TSvgEditIni::SauveDateTimePicker, true},
    {"SauveCheckBox", &TSvgEditIni::SauveCheckBox, true},
    {"SauveRadioButton", &TSvgEditIni::SauveRadioButton, true},
    {"SauveSpinEdit", &TSvgEditIni::SauveSpinEdit, true},
    {"SauveMemo", &TSvgEditIni::SauveMemo, false},
    {"SauveRichEdit", &TSvgEditIni::SauveRichEdit, false},
    {"SauveComboBox", &TSvgEditIni::SauveComboBox, false},
    {"SauveListBox", &TSvgEditIni::SauveListBox, false},
    {"SauveStringGrid", &TSvgEditIni::SauveStringGrid, false},
};

}  // namespace

TEST_F(FormStateStoreTest, KindSwitchesStartAsConstructedAndTheResourceSetsEachOne) {
    TSvgEditIni* constructed = Find<TSvgEditIni>(Build(PrefsText()), "Store");
    ASSERT_NE(constructed, nullptr);
    std::string flipped;
    for (const SwitchCase& kind : kSwitches) {
        EXPECT_EQ(constructed->*kind.value, kind.constructed) << kind.name;
        flipped +=
            std::string("    ") + kind.name + " = " + (kind.constructed ? "False" : "True") + "\n";
    }
    TSvgEditIni* read = Find<TSvgEditIni>(Build(PrefsText(flipped)), "Store");
    ASSERT_NE(read, nullptr);
    for (const SwitchCase& kind : kSwitches) {
        EXPECT_EQ(read->*kind.value, !kind.constructed) << kind.name;
    }
}

TEST_F(FormStateStoreTest, UnknownPropertiesAndNonBooleanSwitchesAreReadErrors) {
    EXPECT_THROW(Build(PrefsText("    SauveTout = True\n")), EReadError);
    EXPECT_THROW(Build(PrefsText("    SauveCheckBox = 1\n")), EReadError);
}

namespace {

struct BoxLoadCase {
    std::optional<std::string> stored;  // nullopt: no key
    bool ticked;
};

void PrintTo(const BoxLoadCase& c, std::ostream* out) {
    *out << "stored " << (c.stored ? "\"" + *c.stored + "\"" : "(missing)") << " -> "
         << (c.ticked ? "ticked" : "unticked");
}

}  // namespace

class StoreLoadsABox : public FormStateStoreTest,
                       public testing::WithParamInterface<BoxLoadCase> {};

TEST_P(StoreLoadsABox, FromItsKeyInTheWindowsSection) {
    const BoxLoadCase& c = GetParam();
    if (c.stored) {
        // Section and key match whatever their case.
        profile.Put("PREFS", "alpha_1", *c.stored);
    }
    TextForm* form = Build(PrefsText());
    ASSERT_NE(Find<TCheckBox>(form, "Alpha_1"), nullptr);
    EXPECT_EQ(Find<TCheckBox>(form, "Alpha_1")->Checked(), c.ticked);
}

INSTANTIATE_TEST_SUITE_P(Values, StoreLoadsABox,
                         testing::Values(BoxLoadCase{std::nullopt, true}, BoxLoadCase{"", true},
                                         BoxLoadCase{"1", true}, BoxLoadCase{"0", false},
                                         BoxLoadCase{"abc", true}, BoxLoadCase{"2", true},
                                         BoxLoadCase{"-1", true}, BoxLoadCase{"0x0", false},
                                         BoxLoadCase{" 0", false}));

namespace {

struct SpinLoadCase {
    std::optional<std::string> stored;  // nullopt: no key
    int32_t value;
};

void PrintTo(const SpinLoadCase& c, std::ostream* out) {
    *out << "stored " << (c.stored ? "\"" + *c.stored + "\"" : "(missing)") << " -> " << c.value;
}

}  // namespace

class StoreLoadsASpinEdit : public FormStateStoreTest,
                            public testing::WithParamInterface<SpinLoadCase> {};

TEST_P(StoreLoadsASpinEdit, FromItsKeyInTheWindowsSection) {
    const SpinLoadCase& c = GetParam();
    if (c.stored) {
        profile.Put("Prefs", "Minutes_1", *c.stored);
    }
    TextForm* form = Build(PrefsText());
    EXPECT_EQ(Find<TSpinEdit>(form, "Minutes_1")->Value(), c.value);
}

INSTANTIATE_TEST_SUITE_P(Values, StoreLoadsASpinEdit,
                         testing::Values(SpinLoadCase{std::nullopt, 0}, SpinLoadCase{"", 0},
                                         SpinLoadCase{"12", 12}, SpinLoadCase{"-7", -7},
                                         SpinLoadCase{"0x1E", 30}, SpinLoadCase{"$1E", 30},
                                         SpinLoadCase{"abc", 0}, SpinLoadCase{"12abc", 0}));

TEST_F(FormStateStoreTest, LoadingTakesEveryBoxWhateverItsNameButOnlyFromTheWindowsSection) {
    profile.Put("Prefs", "Plain", "0");
    profile.Put("Other", "Alpha_1", "0");
    TextForm* form = Build(PrefsText());
    EXPECT_FALSE(Find<TCheckBox>(form, "Plain")->Checked());
    EXPECT_TRUE(Find<TCheckBox>(form, "Alpha_1")->Checked());
}

TEST_F(FormStateStoreTest, AKindSwitchedOffIsNeitherLoadedNorSaved) {
    profile.Put("Prefs", "Alpha_1", "0");
    profile.Put("Prefs", "Minutes_1", "12");
    TextForm* boxesOff = Build(PrefsText("    SauveCheckBox = False\n"));
    EXPECT_TRUE(Find<TCheckBox>(boxesOff, "Alpha_1")->Checked());
    EXPECT_EQ(Find<TSpinEdit>(boxesOff, "Minutes_1")->Value(), 12);
    Find<TSpinEdit>(boxesOff, "Minutes_1")->SetValue(40);
    boxesOff->Close();
    EXPECT_EQ(profile.Text(), "[Prefs]\r\nAlpha_1=0\r\nMinutes_1=40\r\n");

    delete boxesOff;
    TextForm* spinsOff = Build(PrefsText("    SauveSpinEdit = False\n"));
    EXPECT_FALSE(Find<TCheckBox>(spinsOff, "Alpha_1")->Checked());
    EXPECT_EQ(Find<TSpinEdit>(spinsOff, "Minutes_1")->Value(), 5);
    Find<TCheckBox>(spinsOff, "Alpha_1")->SetChecked(true);
    spinsOff->Close();
    EXPECT_EQ(profile.Text(), "[Prefs]\r\nAlpha_1=1\r\nMinutes_1=40\r\nBeta_1=1\r\n");
}

TEST_F(FormStateStoreTest, AFailedLoadCostsOneControlAndTheLoadingGoesOn) {
    profile.Put("Prefs", "Minutes_1", "12");
    profile.Put("Prefs", "Beta_1", "0");
    profile.Put("Prefs", "Alpha_1", "0");
    ReadFailingProfile failing(profile, "Beta_1");
    ScopedFacet<platform::Profile> swap(platform::Current().profile, failing);
    TextForm* form = Build(PrefsText());
    EXPECT_EQ(Find<TSpinEdit>(form, "Minutes_1")->Value(), 12);
    EXPECT_TRUE(Find<TCheckBox>(form, "Beta_1")->Checked()) << "keeps its resource value";
    EXPECT_FALSE(Find<TCheckBox>(form, "Alpha_1")->Checked());
    EXPECT_FALSE(Find<TSvgEditIni>(form, "Store")->IsLoading()) << "the base's end of loading ran";
    EXPECT_TRUE(IsFlush(profile.Writes().back()));
}

TEST_F(FormStateStoreTest, SavingWritesUnderscoredControlsInTheWindowsOrder) {
    TextForm* form = Build(PrefsText());
    Find<TSpinEdit>(form, "Minutes_1")->SetValue(-7);
    Find<TCheckBox>(form, "Alpha_1")->SetChecked(false);
    Find<TCheckBox>(form, "Plain")->SetChecked(false);
    form->Close();
    EXPECT_EQ(profile.Text(), "[Prefs]\r\nMinutes_1=-7\r\nBeta_1=1\r\nAlpha_1=0\r\n");
}

TEST_F(FormStateStoreTest, LoadsReadTheFileBesideTheExecutableAndSavesWriteACopyThatTakesItsPlace) {
    profile.Put("Other", "Kept", "yes");
    TextForm* form = Build(PrefsText());
    ASSERT_EQ(profile.Writes().size(), 1u) << "a load writes nothing";
    EXPECT_TRUE(IsFlush(profile.Writes().back())) << "released after loading";
    EXPECT_EQ(profile.Writes().back().file, stateFile);
    form->Close();
    EXPECT_TRUE(IsFlush(profile.Writes().back())) << "released after saving";
    EXPECT_EQ(CountFlushes(), 2u);

    const std::string copy = profile.Writes().back().file;
    EXPECT_NE(copy, stateFile);
    EXPECT_EQ(std::filesystem::path(copy).parent_path(), folder)
        << copy << " lies beside serie.ini";
    for (size_t i = 1; i < profile.Writes().size(); ++i) {
        EXPECT_EQ(profile.Writes()[i].file, copy) << "the save writes the copy only";
    }
    EXPECT_EQ(profile.Text(),
              "[Other]\r\nKept=yes\r\n[Prefs]\r\nMinutes_1=0\r\nBeta_1=1\r\nAlpha_1=1\r\n");
    EXPECT_EQ(profile.FileNames(), std::vector<std::string>{stateFile});
}

namespace {

const char* const kEarlierSave = "[Prefs]\r\nMinutes_1=9\r\nBeta_1=0\r\nAlpha_1=0\r\n";

enum class FailingStep { Temporary, Copy, Write, Flush, Move, ReadOnly };

class StoreSaveFailingAt : public FormStateStoreTest,
                           public testing::WithParamInterface<FailingStep> {};

std::string StepName(const testing::TestParamInfo<FailingStep>& info) {
    const char* const kNames[] = {"Temporary", "Copy", "Write", "Flush", "Move", "ReadOnly"};
    return kNames[static_cast<int>(info.param)];
}

}  // namespace

TEST_P(StoreSaveFailingAt, LeavesTheFileAsItWasAndNoCopyBehind) {
    TextForm* form = Build(PrefsText());
    form->Close();
    ASSERT_EQ(profile.Text(), "[Prefs]\r\nMinutes_1=0\r\nBeta_1=1\r\nAlpha_1=1\r\n");
    profile.Put("Prefs", "Minutes_1", "9");
    profile.Put("Prefs", "Beta_1", "0");
    profile.Put("Prefs", "Alpha_1", "0");

    switch (GetParam()) {
        case FailingStep::Temporary:
            files.refuseTemporary = true;
            break;
        case FailingStep::Copy:
            files.failCopy = true;
            break;
        case FailingStep::Write:
            profile.FailWritesTo("Beta_1");  // the first box: one value written before it
            break;
        case FailingStep::Flush:
            files.failFlush = true;
            break;
        case FailingStep::Move:
            files.failMove = true;
            break;
        case FailingStep::ReadOnly:
            SetFileAttributesA(stateFile.c_str(), FILE_ATTRIBUTE_READONLY);
            break;
    }
    form->Show();
    EXPECT_NO_THROW(form->Close());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(profile.Text(), kEarlierSave);
    EXPECT_EQ(profile.FileNames(), std::vector<std::string>{stateFile});
    EXPECT_TRUE(files.waits.empty()) << "no refusal here is mended by waiting";
    if (GetParam() == FailingStep::Write) {
        EXPECT_EQ(CountWritesTo("Alpha_1"), 2u) << "the controls after the failure are tried";
    }

    files.refuseTemporary = files.failCopy = files.failFlush = files.failMove = false;
    SetFileAttributesA(stateFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (GetParam() != FailingStep::Write) {
        form->Close();
        EXPECT_EQ(profile.Text(), "[Prefs]\r\nMinutes_1=0\r\nBeta_1=1\r\nAlpha_1=1\r\n")
            << "the next save goes through";
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, StoreSaveFailingAt,
                         testing::Values(FailingStep::Temporary, FailingStep::Copy,
                                         FailingStep::Write, FailingStep::Flush, FailingStep::Move,
                                         FailingStep::ReadOnly),
                         StepName);

TEST_F(FormStateStoreTest, AReplaceHeldByAnotherProgramIsTriedAgainForTwoSeconds) {
    const char* const kSaved = "[Prefs]\r\nMinutes_1=0\r\nBeta_1=1\r\nAlpha_1=1\r\n";
    const struct {
        DWORD error;
        int refusals;
        bool lands;
        std::vector<DWORD> waits;
    } cases[] = {
        {ERROR_SHARING_VIOLATION, 3, true, {50, 100, 200}},
        {ERROR_ACCESS_DENIED, 1, true, {50}},
        // The seventh try comes at two seconds, the last wait cut to reach it exactly.
        {ERROR_LOCK_VIOLATION, 6, true, {50, 100, 200, 400, 800, 450}},
        {ERROR_SHARING_VIOLATION, 7, false, {50, 100, 200, 400, 800, 450}},
        {ERROR_WRITE_PROTECT, 1, false, {}},
    };
    TextForm* form = Build(PrefsText());
    for (const auto& c : cases) {
        profile.Put("Prefs", "Minutes_1", "9");
        profile.Put("Prefs", "Beta_1", "0");
        profile.Put("Prefs", "Alpha_1", "0");
        files.heldError = c.error;
        files.heldMoves = c.refusals;
        files.waits.clear();
        form->Show();
        EXPECT_NO_THROW(form->Close());
        EXPECT_FALSE(form->Visible());
        EXPECT_EQ(profile.Text(), c.lands ? kSaved : kEarlierSave) << c.error << "/" << c.refusals;
        EXPECT_EQ(profile.FileNames(), std::vector<std::string>{stateFile}) << c.error;
        EXPECT_EQ(files.waits, c.waits) << c.error << "/" << c.refusals;
        files.heldMoves = 0;
    }
}

TEST_F(FormStateStoreTest, CopiesLeftByASaveCutShortGoOnceTheyAreAMinuteOld) {
    const std::string beside = stateFile.substr(0, stateFile.find_last_of('\\') + 1);
    const struct {
        const char* name;
        ULONGLONG ageMs;
        bool kept;
    } copies[] = {
        {"ser1A2B.tmp", 60001, false},  {"SERf.TMP", 3600000, false},
        {"ser7.tmp", 60000, true},       // may be another copy of the program saving now
        {"ser12345.tmp", 600000, true},  // five digits: not a name the program gives
        {"serie.tmp", 600000, true},    {"service.tmp", 600000, true},
        {"ser.tmp", 600000, true},
    };
    TextForm* form = Build(PrefsText());
    for (const bool temporaryRefused : {false, true}) {
        for (const auto& f : copies) {
            MakeFileOfAge(beside + f.name, f.ageMs);
        }
        files.refuseTemporary = temporaryRefused;
        form->Show();
        form->Close();
        std::vector<std::string> kept{stateFile};
        for (const auto& f : copies) {
            if (f.kept) {
                kept.push_back(beside + f.name);
            }
        }
        std::vector<std::string> names = profile.FileNames();
        std::sort(kept.begin(), kept.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, kept) << "temporary refused: " << temporaryRefused;
        for (const std::string& name : names) {
            if (name != stateFile) {
                std::filesystem::remove(std::filesystem::path(platform::Utf8ToWide(name)));
            }
        }
    }
}

TEST_F(FormStateStoreTest, WhenNoWriteSucceedsTheCloseStillGoesThrough) {
    TextForm* form = Build(PrefsText());
    form->Show();
    profile.FailAllWrites();
    EXPECT_NO_THROW(form->Close());
    EXPECT_FALSE(form->Visible());
    for (const char* key : {"Minutes_1", "Beta_1", "Alpha_1"}) {
        EXPECT_EQ(CountWritesTo(key), 1u) << key << " was tried all the same";
    }
    EXPECT_TRUE(IsFlush(profile.Writes().back()));
}

namespace {

std::string AnswerName(const testing::TestParamInfo<TCloseAction>& info) {
    switch (info.param) {
        case TCloseAction::caNone:
            return "caNone";
        case TCloseAction::caHide:
            return "caHide";
    }
    return "unknown";
}

}  // namespace

class StoreAfterAnyCloseAnswer : public FormStateStoreTest,
                                 public testing::WithParamInterface<TCloseAction> {};

TEST_P(StoreAfterAnyCloseAnswer, ThePreviousHandlerRunsFirstThenTheStateIsSaved) {
    TextForm* form = Build(PrefsText("", "  OnClose = FormClose\n"));
    std::vector<TObject*> senders;
    std::optional<size_t> writesSeenByHandler;
    form->whileClosing = [&](TObject* sender, TCloseAction& action) {
        senders.push_back(sender);
        writesSeenByHandler = profile.Writes().size();
        action = GetParam();
    };
    const size_t writesBeforeClose = profile.Writes().size();
    form->Show();
    form->Close();
    ASSERT_EQ(senders, std::vector<TObject*>{form});
    EXPECT_EQ(writesSeenByHandler, writesBeforeClose) << "nothing saved before the handler ran";
    EXPECT_EQ(CountWritesTo("Minutes_1"), 1u);
    // The window follows its handler's answer: only caNone keeps it on the screen.
    EXPECT_EQ(form->Visible(), GetParam() == TCloseAction::caNone);
}

INSTANTIATE_TEST_SUITE_P(Answers, StoreAfterAnyCloseAnswer,
                         testing::Values(TCloseAction::caNone, TCloseAction::caHide), AnswerName);

TEST_F(FormStateStoreTest, ACloseHandlerAssignedLaterReplacesTheStoreWhichThenSavesNothing) {
    TextForm* form = Build(PrefsText());
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    const size_t writesBeforeClose = profile.Writes().size();
    form->Close();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(profile.Writes().size(), writesBeforeClose);
}

// The harness checked against programs that exist: Wine's or Windows' notepad, and controls the
// test process makes for itself.

#include "E2eOptions.h"
#include "ProgramUnderTest.h"
#include "framework/Handles.h"
#include "KernelHandles.h"
#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowPicture.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr DWORD kStartTimeoutMs = 10000;
constexpr DWORD kReactionTimeoutMs = 5000;

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// How many pixels of one row have one of the given colours.
int CountInRow(const RgbImage& image, int y, std::initializer_list<COLORREF> colours) {
    int count = 0;
    for (int x = 0; x < image.width; ++x) {
        const std::uint8_t* pixel =
            &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
        const COLORREF colour = RGB(pixel[0], pixel[1], pixel[2]);
        count += std::find(colours.begin(), colours.end(), colour) != colours.end() ? 1 : 0;
    }
    return count;
}

class NotepadTest : public testing::Test {
protected:
    void SetUp() override {
        LaunchedProcess& process = notepad_.Start();
        ASSERT_TRUE(process.WaitForInputIdle(kStartTimeoutMs));
        main_ = notepad_.WaitForVisibleWindow({.className = L"Notepad"}, kStartTimeoutMs);
        ASSERT_NE(main_, nullptr);
        edit_ = FindChild(main_, {.className = L"Edit"});
        ASSERT_NE(edit_, nullptr);
    }

    ProgramUnderTest notepad_{L"C:\\windows\\notepad.exe", L"notepad.exe"};
    HWND main_ = nullptr;
    HWND edit_ = nullptr;
};

}  // namespace

TEST(E2eOptions, TurnsAUnixPathIntoOneOnDriveZ) {
    EXPECT_EQ(WindowsPathFromUnix(L"/work/x/Velmora.exe"), L"Z:\\work\\x\\Velmora.exe");
    EXPECT_EQ(WindowsPathFromUnix(L"C:\\work\\Velmora.exe"), L"C:\\work\\Velmora.exe");
}

TEST(E2eOptions, NeedsBothPathsAndNothingElse) {
    std::wstring error;
    wchar_t program[] = L"velmora_e2e";
    wchar_t velmora[] = L"--velmora=/b/Velmora.exe";
    wchar_t pictures[] = L"--pictures=/b";
    wchar_t stray[] = L"--colour=red";

    wchar_t* complete[] = {program, pictures, velmora};
    const std::optional<E2eOptions> options = ParseOptions(3, complete, error);
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->velmora, L"Z:\\b\\Velmora.exe");
    EXPECT_EQ(options->pictures, L"Z:\\b");

    wchar_t* missing[] = {program, velmora};
    EXPECT_FALSE(ParseOptions(2, missing, error).has_value());
    wchar_t* unknown[] = {program, velmora, pictures, stray};
    EXPECT_FALSE(ParseOptions(4, unknown, error).has_value());
    EXPECT_NE(error.find(L"--colour=red"), std::wstring::npos);
}

TEST(ScratchFolder, IsAFreshFolderUnderTheTemporaryPath) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    ScratchFolder first;
    ScratchFolder second;
    EXPECT_TRUE(first.Path().starts_with(temp));
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_TRUE(GetFileAttributesW(first.Path().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(first.Exists(L"serie.ini"));
}

TEST(ScratchFolder, KeepsTheBytesWrittenToAFile) {
    ScratchFolder folder;
    const std::string bytes = "[Form1]\r\nSpinEdit_1=30\r\n\xE9";
    folder.WriteFile(L"serie.ini", bytes);
    EXPECT_TRUE(folder.Exists(L"serie.ini"));
    EXPECT_EQ(folder.ReadFile(L"serie.ini"), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

TEST(ScratchFolder, SetsAndClearsTheReadOnlyAttribute) {
    ScratchFolder folder;
    folder.WriteFile(L"serie.ini", std::string("x"));
    const std::wstring path = folder.PathOf(L"serie.ini");
    folder.SetReadOnly(L"serie.ini", true);
    EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    folder.SetReadOnly(L"serie.ini", false);
    EXPECT_FALSE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(ScratchFolder, IsRemovedWithItsFilesEvenReadOnlyOnes) {
    std::wstring path;
    {
        ScratchFolder folder;
        path = folder.Path();
        folder.WriteFile(L"serie.ini", std::string("x"));
        folder.SetReadOnly(L"serie.ini", true);
    }
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WindowQueries, ReadsTheKindAndStateOfButtons) {
    OwnedWindow parent(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 200, 100, nullptr,
                                       nullptr, nullptr, nullptr));
    ASSERT_TRUE(parent);
    OwnedWindow checkBox(CreateWindowExW(0, L"Button", L"J'utilise Firefox",
                                         WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 150, 20,
                                         parent.get(), nullptr, nullptr, nullptr));
    OwnedWindow pushButton(CreateWindowExW(0, L"Button", L"OK",
                                           WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 30, 80, 20,
                                           parent.get(), nullptr, nullptr, nullptr));
    ASSERT_TRUE(checkBox && pushButton);

    EXPECT_EQ(FindChild(parent.get(), {.className = L"Button", .text = L"J'utilise Firefox"}),
              checkBox.get());
    EXPECT_TRUE(IsCheckBox(checkBox.get()));
    EXPECT_FALSE(IsCheckBox(pushButton.get()));
    EXPECT_EQ(CheckState(checkBox.get()), BST_UNCHECKED);
    Click(checkBox.get());
    PumpMessages();
    EXPECT_EQ(CheckState(checkBox.get()), BST_CHECKED);
}

TEST(LaunchedProcess, EndsItsProgramWhenDestroyed) {
    ScratchFolder folder;
    OwnedKernelHandle watcher;
    {
        LaunchedProcess notepad(L"C:\\windows\\notepad.exe", folder.Path());
        watcher.reset(OpenProcess(SYNCHRONIZE, FALSE, notepad.Id()));
        ASSERT_TRUE(watcher);
        EXPECT_TRUE(notepad.IsRunning());
        EXPECT_FALSE(notepad.WaitForExit(0).has_value());
    }
    EXPECT_EQ(WaitForSingleObject(watcher.get(), 0), WAIT_OBJECT_0);
}

TEST(LaunchedProcess, HandsTheShowCommandToTheProgram) {
    ProgramUnderTest notepad(L"C:\\windows\\notepad.exe", L"notepad.exe");
    notepad.Start(SW_SHOWMINNOACTIVE);
    const HWND main = notepad.WaitForVisibleWindow({.className = L"Notepad"}, kStartTimeoutMs);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsIconic(main));
}

TEST_F(NotepadTest, FindsTheWindowsOfItsProcessOnly) {
    const DWORD id = notepad_.Process().Id();
    const std::vector<HWND> windows = TopLevelWindows(id);
    EXPECT_NE(std::find(windows.begin(), windows.end(), main_), windows.end());
    for (HWND window : windows) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        EXPECT_EQ(owner, id);
    }
    EXPECT_EQ(TopLevelWindows(id, {.className = L"Notepad"}), std::vector<HWND>{main_});
    EXPECT_EQ(FindTopLevelWindow(id, {.className = L"Velmora"}), nullptr);
    EXPECT_TRUE(AnyTopLevelWindowVisible(id));
    EXPECT_TRUE(TopLevelWindows(GetCurrentProcessId(), {.className = L"Notepad"}).empty());
}

TEST_F(NotepadTest, SetsAndReadsTheTextOfAChildWindow) {
    const std::wstring text = L"Mémoire disponible : 1 234 Mo";
    SetText(edit_, text);
    EXPECT_EQ(WindowText(edit_), text);
    EXPECT_EQ(FindChild(main_, {.text = text}), edit_);
    EXPECT_EQ(FindChild(main_, {.text = L"Mémoire disponible : ", .textIsPrefix = true}), edit_);
    EXPECT_EQ(FindChild(main_, {.text = L"Mémoire disponible : "}), nullptr);
    EXPECT_EQ(FindChild(main_, {.className = L"Static", .text = text}), nullptr);
    EXPECT_EQ(ChildWindows(main_, {.className = L"Edit"}).size(), 1u);
}

TEST_F(NotepadTest, PlacesTheEditAtTheTopLeftOfTheClientArea) {
    RECT client{};
    GetClientRect(main_, &client);
    const RECT edit = RectInClient(edit_, main_);
    EXPECT_EQ(edit.left, 0);
    EXPECT_EQ(edit.top, 0);
    EXPECT_EQ(edit.right, client.right);
    EXPECT_LT(edit.bottom, client.bottom);  // the status bar is below
    EXPECT_TRUE(IsVisible(edit_));
}

TEST_F(NotepadTest, PictureCoversTheWholeWindowCaptionIncluded) {
    RECT outer{};
    GetWindowRect(main_, &outer);
    const RgbImage picture = CaptureWindow(main_);
    ASSERT_EQ(picture.width, outer.right - outer.left);
    ASSERT_EQ(picture.height, outer.bottom - outer.top);

    // Drawn by Wine itself only when its windows are not left to a window manager.
    const int captionRow = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    const int captionPixels =
        CountInRow(picture, captionRow,
                   {GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_INACTIVECAPTION)});
    EXPECT_GT(captionPixels, picture.width / 2);

    const std::wstring path = SaveWindowPicture(main_, L"harness-notepad.png");
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(NotepadTest, PictureShowsWhatTheWindowNowShows) {
    const RgbImage before = CaptureWindow(main_);
    SetText(edit_, std::wstring(40, L'W') + L"\r\n" + std::wstring(40, L'M'));
    EXPECT_TRUE(WaitUntil([&] { return CaptureWindow(main_).pixels != before.pixels; },
                          kReactionTimeoutMs));
}

TEST_F(NotepadTest, TellsWhetherAPaintIsStillPending) {
    // Notepad's thread is held so that the invalidated edit cannot repaint before it is looked at.
    OwnedKernelHandle thread(
        OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(main_, nullptr)));
    ASSERT_TRUE(thread);
    ASSERT_NE(SuspendThread(thread.get()), static_cast<DWORD>(-1));
    InvalidateRect(edit_, nullptr, TRUE);
    const bool paintedWhileHeld = IsPainted(main_);
    ResumeThread(thread.get());
    EXPECT_FALSE(paintedWhileHeld);
    EXPECT_TRUE(WaitUntil([&] { return IsPainted(main_); }, kReactionTimeoutMs));
}

TEST_F(NotepadTest, MinimizesOnTheSystemCommand) {
    Minimize(main_);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(main_) != FALSE; }, kReactionTimeoutMs));
}

TEST_F(NotepadTest, ExitsOnCloseWhenNothingWasTyped) {
    Close(main_);
    const std::optional<DWORD> exitCode = notepad_.Process().WaitForExit(kReactionTimeoutMs);
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
}

TEST_F(NotepadTest, AsksBeforeClosingModifiedTextAndExitsOnNo) {
    // Notepad lets an empty untitled text go without asking, modified or not.
    SetText(edit_, L"Velmora");
    ASSERT_TRUE(Send(edit_, EM_SETMODIFY, TRUE).has_value());
    Close(main_);
    const HWND question =
        notepad_.WaitForVisibleWindow({.className = L"#32770"}, kReactionTimeoutMs);
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(notepad_.Process().IsRunning());

    const HWND no = GetDlgItem(question, IDNO);
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(ClassName(no), L"Button");
    Click(no);
    const std::optional<DWORD> exitCode = notepad_.Process().WaitForExit(kReactionTimeoutMs);
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
}

// The tray icon of the real program: there from the start, its double click, its menu, and the
// shell's restart.

#include "StateFileFixture.h"
#include "TrayFromOutside.h"
#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kAvailablePrefix[] = L"Mémoire disponible : ";
constexpr wchar_t kMark[] = L"(effacé par le test)";

class VelmoraTray : public VelmoraStateFile {
protected:
    // Velmora started, with its message window and its icon in Wine's notification area.
    void StartWithIcon() {
        iconsBefore_ = WineTrayIconCount();
        main_ = Start();
        ASSERT_NE(main_, nullptr);
        tray_ = WaitForTrayWindow(velmora_, kStartTimeoutMs);
        ASSERT_NE(tray_, nullptr) << "no message window";
        EXPECT_FALSE(IsVisible(tray_));
        EXPECT_NE(GetWindowLongPtrW(tray_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
        EXPECT_EQ(GetWindow(tray_, GW_OWNER), nullptr);
        EXPECT_TRUE(
            WaitUntil([&] { return WineTrayIconCount() == iconsBefore_ + 1; }, kStartTimeoutMs))
            << "the icon is not in the notification area";
    }

    // With the window hidden by "Réduire", "Libère de la Ram" from the menu; true once the sweep
    // has rewritten the readout.
    testing::AssertionResult SweepsFromTheMenuWithTheWindowHidden() {
        const HWND available = FindChild(
            main_, {.className = L"Static", .text = kAvailablePrefix, .textIsPrefix = true});
        if (available == nullptr) {
            return testing::AssertionFailure() << "no readout";
        }
        // "Réduire" stops the once-a-second readout, so only the sweep can rewrite the label.
        Click(FindChild(main_, {.className = L"Button", .text = L"Réduire"}));
        if (!WaitUntil([&] { return !IsVisible(main_); }, kStartTimeoutMs)) {
            return testing::AssertionFailure() << "\"Réduire\" left the window shown";
        }
        SetText(available, kMark);
        ChooseFromTrayMenu(velmora_, tray_, 1);
        if (!WaitUntil([&] { return WindowText(available).starts_with(kAvailablePrefix); },
                       kStartTimeoutMs)) {
            return testing::AssertionFailure() << "the sweep did not refresh the readout";
        }
        return testing::AssertionSuccess();
    }

    testing::AssertionResult IconGoneAtExit() {
        if (!WaitUntil([&] { return WineTrayIconCount() == iconsBefore_; }, kExitTimeoutMs)) {
            return testing::AssertionFailure() << "the icon stayed after the program ended";
        }
        return testing::AssertionSuccess();
    }

    int iconsBefore_ = 0;
    HWND main_ = nullptr;
    HWND tray_ = nullptr;
};

// Wine told to look for these DLLs beside Velmora.exe before its own, as Windows does for any
// DLL that is not one of its known ones; as it was again afterwards. Wine reads the setting
// from the registry, by the executable's name, whenever the program loads one of them.
class ScopedNativeFirst {
public:
    explicit ScopedNativeFirst(std::vector<std::wstring> dlls) : dlls_(std::move(dlls)) {
        DWORD created = 0;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_,
                            &created) != ERROR_SUCCESS) {
            throw std::runtime_error("cannot write Wine's DLL overrides");
        }
        createdKey_ = created == REG_CREATED_NEW_KEY;
        constexpr wchar_t kOrder[] = L"native,builtin";
        for (const std::wstring& dll : dlls_) {
            RegSetValueExW(key_, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder),
                           sizeof kOrder);
        }
    }
    ~ScopedNativeFirst() {
        for (const std::wstring& dll : dlls_) {
            RegDeleteValueW(key_, dll.c_str());
        }
        RegCloseKey(key_);
        if (createdKey_) {
            RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Velmora.exe");
        }
    }
    ScopedNativeFirst(const ScopedNativeFirst&) = delete;
    ScopedNativeFirst& operator=(const ScopedNativeFirst&) = delete;

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\AppDefaults\\Velmora.exe\\DllOverrides";
    std::vector<std::wstring> dlls_;
    HKEY key_ = nullptr;
    bool createdKey_ = false;
};

// The folder that the build leaves the planted DLLs in, beside this executable.
std::wstring PlantedDllFolder() {
    wchar_t path[MAX_PATH];
    std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"planted\\";
}

}  // namespace

TEST_F(VelmoraTray, NoDllLyingBesideTheExecutableRunsInsideIt) {
    const wchar_t* const planted[] = {L"version.dll", L"psapi.dll"};
    for (const wchar_t* dll : planted) {
        velmora_.Folder().CopyIn(PlantedDllFolder() + dll, dll);
    }
    ScopedNativeFirst nativeFirst({L"version", L"psapi"});
    StartWithIcon();
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main_); }, kStartTimeoutMs));
    EXPECT_TRUE(SweepsFromTheMenuWithTheWindowHidden());  // the first trims load PSAPI
    EXPECT_TRUE(ClosesQuietly(main_));
    EXPECT_FALSE(velmora_.Folder().Exists(L"psapi.dll.loaded"));
    // Wine's own user32 imports version.dll, so Wine maps the planted one into any program it is
    // told to prefer it for; Windows' user32 does not. The program itself must never call it.
    for (const wchar_t* dll : planted) {
        EXPECT_FALSE(velmora_.Folder().Exists(std::wstring(dll) + L".called")) << dll;
    }
}

TEST_F(VelmoraTray, FirstStartHasTheIconAndTheMenusQuitterEndsTheProgram) {
    StartWithIcon();
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main_); }, kStartTimeoutMs));
    ChooseFromTrayMenu(velmora_, tray_, -1);
    const std::optional<DWORD> exitCode = velmora_.Process().WaitForExit(kExitTimeoutMs);
    ASSERT_TRUE(exitCode.has_value()) << "\"Quitter\" did not end the program";
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(StateFile().has_value()) << "serie.ini was not written";
    EXPECT_TRUE(IconGoneAtExit());
}

TEST_F(VelmoraTray, AHiddenStartHasTheIconAndADoubleClickShowsTheWindow) {
    WriteStateFile("[Form1]\r\nSpinEdit_1=30\r\n");
    StartWithIcon();
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id()));
    NotifyTray(tray_, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(main_); }, kStartTimeoutMs));
    EXPECT_TRUE(ClosesQuietly(main_));
    EXPECT_TRUE(IconGoneAtExit());
}

TEST_F(VelmoraTray, LibereDeLaRamFromTheMenuRefreshesTheReadout) {
    StartWithIcon();
    EXPECT_TRUE(SweepsFromTheMenuWithTheWindowHidden());
    EXPECT_FALSE(IsVisible(main_)) << "the sweep leaves the window hidden";
    EXPECT_TRUE(ClosesQuietly(main_));
}

TEST_F(VelmoraTray, TheShellsRestartLeavesTheProgramRunningWithItsIcon) {
    StartWithIcon();
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    // Taken away and added again: wait for the message window to have handled the broadcast.
    ASSERT_TRUE(Send(tray_, WM_NULL).has_value());
    EXPECT_TRUE(
        WaitUntil([&] { return WineTrayIconCount() == iconsBefore_ + 1; }, kStartTimeoutMs));
    EXPECT_TRUE(velmora_.Process().IsRunning());
    // The icon still answers.
    NotifyTray(tray_, WM_CONTEXTMENU);
    HWND menu = WaitForPopupMenu(velmora_.Process().Id(), kStartTimeoutMs);
    ASSERT_NE(menu, nullptr);
    Post(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(menu); }, kStartTimeoutMs));
    EXPECT_TRUE(ClosesQuietly(main_));
    EXPECT_TRUE(IconGoneAtExit());
}

TEST_F(VelmoraTray, ChosenFromTheKeyboardTheIconOpensItsMenuAndEscClosesIt) {
    StartWithIcon();
    NotifyTray(tray_, NIN_KEYSELECT);
    HWND menu = WaitForPopupMenu(velmora_.Process().Id(), kStartTimeoutMs);
    ASSERT_NE(menu, nullptr);
    Post(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(menu); }, kStartTimeoutMs));
    // Handing the focus back leaves the icon where it was, and the program answering.
    ASSERT_TRUE(Send(tray_, WM_NULL).has_value());
    EXPECT_EQ(WineTrayIconCount(), iconsBefore_ + 1);
    EXPECT_TRUE(ClosesQuietly(main_));
    EXPECT_TRUE(IconGoneAtExit());
}

TEST_F(VelmoraTray, UnknownAndFloodedNotificationsChangeNothing) {
    WriteStateFile("[Form1]\r\nSpinEdit_1=30\r\n");
    StartWithIcon();
    for (int i = 0; i < 10000; ++i) {
        const LPARAM unknown[] = {0, WM_USER, 0x403, 0x20A, 0xFFFF, -1, 0x12345678};
        PostMessageW(tray_, WM_USER + 1, 1, unknown[i % 7]);
    }
    ASSERT_TRUE(Send(tray_, WM_NULL, 0, 0, 30000).has_value()) << "the flood was not handled";
    EXPECT_TRUE(velmora_.Process().IsRunning());
    EXPECT_FALSE(AnyTopLevelWindowVisible(velmora_.Process().Id()));
    EXPECT_EQ(WineTrayIconCount(), iconsBefore_ + 1);
    EXPECT_TRUE(ClosesQuietly(main_));
}

TEST_F(VelmoraTray, ASecondCopyRunsWithAWindowAndAnIconOfItsOwn) {
    StartWithIcon();
    ProgramUnderTest second(Options().velmora, L"Velmora.exe");
    ASSERT_TRUE(second.Start().WaitForInputIdle(kStartTimeoutMs));
    EXPECT_NE(WaitForTrayWindow(second, kStartTimeoutMs), nullptr);
    EXPECT_TRUE(
        WaitUntil([&] { return WineTrayIconCount() == iconsBefore_ + 2; }, kStartTimeoutMs));
    EXPECT_TRUE(velmora_.Process().IsRunning());
    EXPECT_TRUE(ClosesQuietly(main_));
    EXPECT_TRUE(second.Process().IsRunning()) << "the copies are independent";
}

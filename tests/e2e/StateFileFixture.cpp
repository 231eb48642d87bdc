#include "StateFileFixture.h"

#include "VelmoraWindow.h"
#include "WaitUntil.h"
#include "Win32Error.h"
#include "WindowActions.h"
#include "WindowQueries.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    std::vector<HWND> visible;
    for (HWND window : TopLevelWindows(processId)) {
        if (IsVisible(window)) {
            visible.push_back(window);
        }
    }
    return visible;
}

}  // namespace

HWND VelmoraStateFile::Start() {
    LaunchedProcess& process = velmora_.Start();
    if (!process.WaitForInputIdle(kStartTimeoutMs)) {
        return nullptr;
    }
    return WaitForMainWindow(velmora_, kStartTimeoutMs);
}

testing::AssertionResult VelmoraStateFile::ClosesQuietly(HWND main) {
    const LaunchedProcess& process = velmora_.Process();
    const std::vector<HWND> before = VisibleTopLevelWindows(process.Id());
    Close(main);
    HWND shown = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleTopLevelWindows(process.Id())) {
                if (std::find(before.begin(), before.end(), window) == before.end()) {
                    shown = window;
                }
            }
            return shown != nullptr || !process.IsRunning();
        },
        kExitTimeoutMs);
    if (shown != nullptr) {
        wchar_t className[256] = L"";
        GetClassNameW(shown, className, 256);
        return testing::AssertionFailure()
               << "a window of class " << Utf8(className) << " was shown while closing";
    }
    const std::optional<DWORD> exitCode = process.WaitForExit(0);
    if (!exitCode) {
        return testing::AssertionFailure() << "still running after WM_CLOSE";
    }
    if (*exitCode != 0) {
        return testing::AssertionFailure() << "exit code " << *exitCode;
    }
    return testing::AssertionSuccess();
}

std::optional<std::string> VelmoraStateFile::StateFile() const {
    if (!velmora_.Folder().Exists(L"serie.ini")) {
        return std::nullopt;
    }
    const std::vector<std::uint8_t> bytes = velmora_.Folder().ReadFile(L"serie.ini");
    return std::string(bytes.begin(), bytes.end());
}

void VelmoraStateFile::WriteStateFile(const std::string& bytes) const {
    velmora_.Folder().WriteFile(L"serie.ini", bytes);
}

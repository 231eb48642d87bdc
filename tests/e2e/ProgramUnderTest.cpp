#include "ProgramUnderTest.h"

#include "WaitUntil.h"

#include <stdexcept>

ProgramUnderTest::ProgramUnderTest(const std::wstring& sourceExe, const std::wstring& exeName,
                                   const std::wstring& folderSuffix)
    : folder_(folderSuffix), exePath_(folder_.CopyIn(sourceExe, exeName)) {}

LaunchedProcess& ProgramUnderTest::Start(std::optional<WORD> showCommand) {
    if (process_ && process_->IsRunning()) {
        throw std::logic_error("the program is still running");
    }
    return process_.emplace(exePath_, folder_.Path(), showCommand);
}

LaunchedProcess& ProgramUnderTest::Process() {
    if (!process_) {
        throw std::logic_error("the program was not started");
    }
    return *process_;
}

HWND ProgramUnderTest::WaitForWindow(const WindowMatch& match, DWORD timeoutMs,
                                     const std::function<bool(HWND)>& accept) {
    const LaunchedProcess& process = Process();
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(process.Id(), match)) {
                if (!accept || accept(window)) {
                    found = window;
                    return true;
                }
            }
            return !process.IsRunning();
        },
        timeoutMs);
    return found;
}

HWND ProgramUnderTest::WaitForVisibleWindow(const WindowMatch& match, DWORD timeoutMs) {
    return WaitForWindow(match, timeoutMs, IsVisible);
}

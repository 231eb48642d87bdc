#pragma once
// A copy of a program in a scratch folder of its own, started and watched from outside.
// The process is ended before the folder is removed.

#include "LaunchedProcess.h"
#include "ScratchFolder.h"
#include "WindowQueries.h"

#include <functional>
#include <optional>
#include <string>

class ProgramUnderTest {
public:
    // Copies sourceExe into a fresh scratch folder, whose name ends with folderSuffix, under the
    // name exeName.
    ProgramUnderTest(const std::wstring& sourceExe, const std::wstring& exeName,
                     const std::wstring& folderSuffix = L"");
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    const ScratchFolder& Folder() const { return folder_; }

    // Starts the copy with the scratch folder as working directory; again once the last run ended.
    LaunchedProcess& Start(std::optional<WORD> showCommand = std::nullopt);
    LaunchedProcess& Process();

    // The first top-level window that matches and that accept, when given, approves, once there
    // is one; nullptr after timeoutMs or as soon as the process has exited.
    HWND WaitForWindow(const WindowMatch& match, DWORD timeoutMs,
                       const std::function<bool(HWND)>& accept = {});
    HWND WaitForVisibleWindow(const WindowMatch& match, DWORD timeoutMs);

private:
    ScratchFolder folder_;
    std::wstring exePath_;
    std::optional<LaunchedProcess> process_;
};

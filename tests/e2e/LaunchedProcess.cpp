#include "LaunchedProcess.h"

#include "Win32Error.h"

LaunchedProcess::LaunchedProcess(const std::wstring& exePath, const std::wstring& workingFolder,
                                 std::optional<WORD> showCommand) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (showCommand) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = *showCommand;
    }
    // CreateProcessW may write into the command line, so it gets a buffer of its own.
    std::wstring commandLine = L"\"" + exePath + L"\"";
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &info)) {
        ThrowLastError("CreateProcessW of " + Utf8(exePath));
    }
    OwnedKernelHandle thread(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
}

LaunchedProcess::~LaunchedProcess() {
    if (process_ && IsRunning()) {
        Terminate();
    }
}

bool LaunchedProcess::WaitForInputIdle(DWORD timeoutMs) const {
    return ::WaitForInputIdle(process_.get(), timeoutMs) == 0;
}

bool LaunchedProcess::IsRunning() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> LaunchedProcess::WaitForExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process_.get(), &exitCode)) {
        ThrowLastError("GetExitCodeProcess");
    }
    return exitCode;
}

void LaunchedProcess::Terminate() const {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
}

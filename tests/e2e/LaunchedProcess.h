#pragma once
// A program started for a test, ended on destruction if it is still running so that no test
// leaves a process behind.

#include "KernelHandles.h"

#include <optional>
#include <string>

class LaunchedProcess {
public:
    // Starts exePath in workingFolder; showCommand, when given, is the SW_ value handed to the
    // program through STARTF_USESHOWWINDOW.
    LaunchedProcess(const std::wstring& exePath, const std::wstring& workingFolder,
                    std::optional<WORD> showCommand = std::nullopt);
    ~LaunchedProcess();
    LaunchedProcess(const LaunchedProcess&) = delete;
    LaunchedProcess& operator=(const LaunchedProcess&) = delete;

    DWORD Id() const { return id_; }

    // False when the program exited, or has no message loop, before it became idle.
    bool WaitForInputIdle(DWORD timeoutMs) const;
    bool IsRunning() const;
    // The exit code, or nullopt if the program is still running after timeoutMs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;
    void Terminate() const;

private:
    OwnedKernelHandle process_;
    DWORD id_ = 0;
};

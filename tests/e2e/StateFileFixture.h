#pragma once
// Velmora in a scratch folder of its own, with its serie.ini written and read as bytes.

#include "E2eOptions.h"
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

class VelmoraStateFile : public testing::Test {
protected:
    // In a scratch folder whose name ends with folderSuffix.
    explicit VelmoraStateFile(const std::wstring& folderSuffix = L"")
        : velmora_{Options().velmora, L"Velmora.exe", folderSuffix} {}

    static constexpr DWORD kStartTimeoutMs = 10000;
    static constexpr DWORD kExitTimeoutMs = 10000;
    // Long enough for a window shown by mistake to appear after the program has become idle.
    static constexpr DWORD kHiddenSettleMs = 1000;

    // Starts the program and returns its main window, shown or hidden, once the program waits
    // for input; nullptr if it does not get there.
    HWND Start();
    // Sends WM_CLOSE, as the close box does, and expects the program to end with exit code 0
    // without showing any window that was not already on the screen.
    testing::AssertionResult ClosesQuietly(HWND main);

    // The bytes of serie.ini; nullopt when there is no such file.
    std::optional<std::string> StateFile() const;
    void WriteStateFile(const std::string& bytes) const;

    ProgramUnderTest velmora_;
};

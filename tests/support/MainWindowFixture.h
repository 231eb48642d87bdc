#pragma once
// Builds the real main window from its real form resource inside the test process, with fakes
// for the platform facets whose calls the tests look at.

#include "app/Unit1.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeProcesses.h"
#include "fakes/RecordingNotifyArea.h"
#include "fakes/RecordingWindowManager.h"
#include "fakes/ScopedFacet.h"
#include "framework/Application.h"
#include "platform/Facets.h"
#include "support/WindowReadings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Creates the application and the window, as the program's entry does.
    void Start();
    // Writes the state file beside the (pretended) executable.
    void WriteStateFile(const std::string& contents);
    std::string StateFile() const;
    // Handles the queued messages, for up to `milliseconds`.
    void Pump(int milliseconds = 0);

    FakeMemory memory;
    FakeRegional regional;
    FakePriority priority;
    FakeShell shell;
    FakeFiles files;
    FakeProcesses processes{{}};
    RecordingNotifyArea notifyArea;
    RecordingWindowManager windows;
    std::filesystem::path folder;
    FakeBeeper beeper;
    std::unique_ptr<TApplication> app;
    TForm1* form = nullptr;

private:
    ScopedFacet<platform::MemoryStatus> memorySwap_;
    ScopedFacet<platform::RegionalSettings> regionalSwap_;
    ScopedFacet<platform::ProcessPriority> prioritySwap_;
    ScopedFacet<platform::Shell> shellSwap_;
    ScopedFacet<platform::Files> filesSwap_;
    ScopedFacet<platform::Processes> processesSwap_;
    ScopedFacet<platform::NotifyArea> notifyAreaSwap_;
    ScopedFacet<platform::WindowManager> windowsSwap_;
    ScopedFacet<platform::Beeper> beeperSwap_;
};

#include "MainWindowFixture.h"

#include "support/PumpUntil.h"

#include <fstream>
#include <random>

MainWindowTest::MainWindowTest()
    : memorySwap_(platform::Current().memory, memory),
      regionalSwap_(platform::Current().regional, regional),
      prioritySwap_(platform::Current().priority, priority),
      shellSwap_(platform::Current().shell, shell),
      filesSwap_(platform::Current().files, files),
      processesSwap_(platform::Current().processes, processes),
      notifyAreaSwap_(platform::Current().notifyArea, notifyArea),
      windowsSwap_(platform::Current().windows, windows),
      beeperSwap_(platform::Current().beeper, beeper) {
    windows.nameOf = [this](HWND window) -> std::string {
        if (app != nullptr && window == app->Handle()) {
            return "app";
        }
        return form != nullptr && window == form->Handle() ? "main" : "";
    };
    std::random_device random;
    folder =
        std::filesystem::temp_directory_path() /
        ("velmora-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    files.executable = (folder / "Velmora.exe").string();
}

MainWindowTest::~MainWindowTest() {
    app.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void MainWindowTest::Start() {
    // A quit that an earlier test left in the queue is not this program's.
    TakeQuitMessage();
    app = std::make_unique<TApplication>();
    app->Initialize();
    app->CreateForm(form);
}

std::string MainWindowTest::StateFile() const {
    return (folder / "serie.ini").string();
}

void MainWindowTest::WriteStateFile(const std::string& contents) {
    std::ofstream(StateFile(), std::ios::binary) << contents;
}

void MainWindowTest::Pump(int milliseconds) {
    DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        PumpMessages(*app);
        if (milliseconds > 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

#pragma once
// Fakes of the small platform facets that the main window uses, each writing down what it
// was asked.

#include "fakes/ScopedFacet.h"
#include "framework/Exceptions.h"
#include "framework/Screen.h"
#include "platform/Beep.h"
#include "platform/Contrast.h"
#include "platform/Dialogs.h"
#include "platform/Facets.h"
#include "platform/Files.h"
#include "platform/Memory.h"
#include "platform/Regional.h"
#include "platform/Shell.h"

#include <string>
#include <utility>
#include <vector>

class FakeMemory final : public platform::MemoryStatus {
public:
    platform::MemoryFigures figures{40, 8ull << 30, 3ull << 30};
    std::string failure;  // when set, every query raises an Exception with this message

    platform::MemoryFigures Query() override {
        if (!failure.empty()) {
            throw Exception(failure);
        }
        return figures;
    }
};

class FakeRegional final : public platform::RegionalSettings {
public:
    std::string separator = "\u202F";
    std::string decimalSeparator = ",";
    std::string ThousandSeparator() override { return separator; }
    std::string DecimalSeparator() override { return decimalSeparator; }
};

// Counts the beeps instead of sounding them.
class FakeBeeper final : public platform::Beeper {
public:
    int beeps = 0;
    void DefaultBeep() override { ++beeps; }
};

// A high-contrast theme that the test turns on and off: the real setting is the machine's, and
// Wine refuses SPI_SETHIGHCONTRAST anyway.
class FakeContrast final : public platform::Contrast {
public:
    bool on = false;
    bool HighContrastOn() override { return on; }
};

// The theme on for the life of the object. At its end the screen reads the setting again, so
// that no later test paints under a theme.
class ScopedHighContrast {
public:
    ScopedHighContrast() {
        fake_.on = true;
        Screen().ReadHighContrast();
    }
    ~ScopedHighContrast() {
        fake_.on = false;
        Screen().ReadHighContrast();
    }
    ScopedHighContrast(const ScopedHighContrast&) = delete;
    ScopedHighContrast& operator=(const ScopedHighContrast&) = delete;
    // What the system will say when next asked.
    void Set(bool on) { fake_.on = on; }

private:
    FakeContrast fake_;
    ScopedFacet<platform::Contrast> swap_{platform::Current().contrast, fake_};
};

class FakePriority final : public platform::ProcessPriority {
public:
    std::vector<DWORD> classes;
    void SetOwnPriorityClass(DWORD priorityClass) override { classes.push_back(priorityClass); }
};

class FakeShell final : public platform::Shell {
public:
    struct Opened {
        HWND owner;
        std::string url;
    };
    std::vector<Opened> opened;
    void OpenWebPage(HWND owner, const char* url) override { opened.push_back({owner, url}); }
};

// The executable stands in a folder of the test's choosing; files there are handled for real,
// and each step of a save can be made to fail.
class FakeFiles final : public platform::Files {
public:
    std::string executable = "C:\\Velmora\\Velmora.exe";
    bool refuseTemporary = false;
    bool failCopy = false;
    bool failFlush = false;
    // A refusal that no wait mends.
    bool failMove = false;
    // The next `heldMoves` moves are refused with `heldError`, as while another program holds
    // the file.
    DWORD heldError = ERROR_SHARING_VIOLATION;
    int heldMoves = 0;
    // Every wait asked for; waited for only when `sleeps`, as a real hold needs.
    std::vector<DWORD> waits;
    bool sleeps = true;
    // How long ago FindBeside says these files were written.
    std::vector<std::pair<std::string, ULONGLONG>> ages;

    std::string ExecutablePath() override { return executable; }
    bool FileExists(const std::string& path) override { return real().FileExists(path); }
    bool IsReadOnly(const std::string& path) override { return real().IsReadOnly(path); }
    std::string CreateTemporaryBeside(const std::string& path) override {
        return refuseTemporary ? std::string() : real().CreateTemporaryBeside(path);
    }
    bool Copy(const std::string& from, const std::string& to) override {
        return !failCopy && real().Copy(from, to);
    }
    bool Flush(const std::string& path) override { return !failFlush && real().Flush(path); }
    DWORD MoveOver(const std::string& from, const std::string& to) override {
        if (failMove) {
            return ERROR_WRITE_PROTECT;
        }
        if (heldMoves > 0) {
            --heldMoves;
            return heldError;
        }
        return real().MoveOver(from, to);
    }
    void Remove(const std::string& path) override { real().Remove(path); }
    // The files found, as old as the test said where it said so: the clock is not the test's.
    std::vector<Found> FindBeside(const std::string& path, const std::string& pattern) override {
        std::vector<Found> found = real().FindBeside(path, pattern);
        for (Found& file : found) {
            for (const auto& [aged, ageMs] : ages) {
                if (lstrcmpiA(aged.c_str(), file.path.c_str()) == 0) {
                    file.ageMs = ageMs;
                }
            }
        }
        return found;
    }
    void Wait(DWORD milliseconds) override {
        waits.push_back(milliseconds);
        if (sleeps) {
            real().Wait(milliseconds);
        }
    }

private:
    static platform::Files& real() { return platform::Win32Files(); }
};

class FakeDialogs final : public platform::Dialogs {
public:
    struct Shown {
        std::wstring text;
        std::wstring caption;
    };
    std::vector<Shown> errors;
    void ShowError(const std::wstring& text, const std::wstring& caption) override {
        errors.push_back({text, caption});
    }
};

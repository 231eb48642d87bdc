#pragma once
// The screen's scale that Wine gives the programs started from now on: the user's LogPixels
// value, which each process reads once, at its start.

#include <windows.h>

#include <optional>

class ScopedLogPixels {
public:
    // Sets HKCU\Control Panel\Desktop\LogPixels to dpi; throws when it cannot.
    explicit ScopedLogPixels(DWORD dpi);
    // Puts the value back as it was, on every path, so that no later program sees the scale.
    ~ScopedLogPixels();
    ScopedLogPixels(const ScopedLogPixels&) = delete;
    ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;

    // Restores now, once the program that was to see the scale has started; then does nothing.
    void Restore();

private:
    HKEY key_ = nullptr;
    std::optional<DWORD> previous_;
    bool restored_ = false;
};

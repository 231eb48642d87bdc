#pragma once
// The screen-wide cursor: while it is not the default, every window of the program shows it.
// And the screen-wide high-contrast theme, under which every window paints in system colours.

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crHandPoint = -21;

class TScreen {
public:
    void SetCursor(TCursor cursor);
    // Answers WM_SETCURSOR for a window of the program; false leaves it to the window.
    bool ApplyCursor() const;

    // As last read: the controls ask at every paint.
    bool HighContrast() const { return highContrast_; }
    void ReadHighContrast();

private:
    TCursor cursor_ = crDefault;
    bool highContrast_ = false;
};

TScreen& Screen();

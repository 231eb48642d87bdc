#pragma once
// The screen-wide cursor: while it is not the default, every window of the program shows it.

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crHandPoint = -21;

class TScreen {
public:
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    // Answers WM_SETCURSOR for a window of the program; false leaves it to the window.
    bool ApplyCursor() const;

private:
    TCursor cursor_ = crDefault;
};

TScreen& Screen();

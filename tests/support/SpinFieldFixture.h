#pragma once
// The real main window, shown, with its minutes field driven as a user would: keys and
// characters through the message queue and the window's dialog keys, the mouse on the arrows.

#include "controls/Spin.h"
#include "support/MainWindowFixture.h"

#include <functional>
#include <string>

class SpinFieldTest : public MainWindowTest {
protected:
    void SetUp() override;

    HWND Field() const { return spin->Handle(); }
    HWND Arrows() const { return spin->Button()->Handle(); }

    // A key press as the keyboard sends it; `repeated` marks the keyboard's own repeat.
    void PressKey(UINT key, bool repeated = false);
    void TypeChar(wchar_t character);
    void Type(const std::wstring& text);
    // The selection as [start, end).
    std::pair<int, int> Selection() const;

    // The mouse on the arrows, in the spin button's client coordinates; the screen's pointer
    // goes along so that anything the system makes of it agrees.
    void MouseDown(POINT point);
    void MouseMove(POINT point);
    void MouseUp(POINT point);
    POINT UpArrow() const { return CentreOf(spin->Button()->UpButton()); }
    POINT DownArrow() const { return CentreOf(spin->Button()->DownButton()); }
    static POINT CentreOf(const TControl* control);

    // Dispatches one message at a time until `condition` holds; false after `timeoutMs`.
    bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

    TSpinEdit* spin = nullptr;
};

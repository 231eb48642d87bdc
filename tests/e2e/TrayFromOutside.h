#pragma once
// Velmora's tray icon seen from outside: its message window, the notifications that the shell
// would send it, its menu, and the icons of Wine's own notification area.

#include "ProgramUnderTest.h"

#include <windows.h>

// Velmora's tray icon's message window; nullptr if none comes within timeoutMs.
HWND WaitForTrayWindow(ProgramUnderTest& program, DWORD timeoutMs);

// Posts the tray callback with `event` (WM_LBUTTONDBLCLK, WM_CONTEXTMENU, ...) as lParam, as
// the shell does for the version-3 notifications.
void NotifyTray(HWND trayWindow, LPARAM event);

// A visible popup menu of the process; nullptr if none comes within timeoutMs.
HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs);

// Opens the icon's menu and chooses an entry with the keyboard: `downs` presses of the down
// arrow from the top, or, with downs < 0, one press of the up arrow (the last entry); then
// Enter. Throws if the menu does not come up.
void ChooseFromTrayMenu(ProgramUnderTest& program, HWND trayWindow, int downs);

// How many icons Wine's own notification area shows.
int WineTrayIconCount();

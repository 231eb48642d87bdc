#pragma once
#include <windows.h>

#include <shellapi.h>

#include <memory>

namespace platform {

// The taskbar's notification area, and the version of the shell that runs it.
class NotifyArea {
public:
    virtual ~NotifyArea() = default;
    // Shell_NotifyIconA; true when the shell accepted the call.
    virtual bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) = 0;
    // ChangeWindowMessageFilterEx with MSGFLT_ALLOW: lets `message` reach `window` from a
    // process of a lower integrity level, as the shell's is when the program runs elevated.
    virtual void AllowMessage(HWND window, UINT message) = 0;
    // The dwFileVersionMS of shell32.dll (major version in the upper 16 bits); 0 when it cannot
    // be read.
    virtual DWORD ShellVersion() = 0;
    // Shell_NotifyIconGetRect, looked up at first need since older shells lack it: where the
    // icon of `window` and `id` stands on the screen. False when the call is missing or fails.
    virtual bool IconRect(HWND window, UINT id, RECT& rect) = 0;
};

class ModuleLoader;

NotifyArea& Win32NotifyArea();
// The same over other modules, for a test.
std::unique_ptr<NotifyArea> MakeWin32NotifyArea(ModuleLoader& modules);

}  // namespace platform

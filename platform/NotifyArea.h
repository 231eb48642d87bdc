#pragma once
#include <windows.h>

#include <shellapi.h>

namespace platform {

// The taskbar's notification area, and the version of the shell that runs it.
class NotifyArea {
public:
    virtual ~NotifyArea() = default;
    // Shell_NotifyIconA. The shell's answer never matters to the program.
    virtual void NotifyIcon(DWORD message, NOTIFYICONDATAA& data) = 0;
    // The dwFileVersionMS of shell32.dll (major version in the upper 16 bits); 0 when it cannot
    // be read.
    virtual DWORD ShellVersion() = 0;
};

NotifyArea& Win32NotifyArea();

}  // namespace platform

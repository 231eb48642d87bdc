#pragma once
#include <windows.h>

namespace platform {

// Opening documents with the user's default programs.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens the web page at `url` in the user's browser; the shell's answer does not matter.
    virtual void OpenWebPage(HWND owner, const char* url) = 0;
};

// The priority class of the program's own process.
class ProcessPriority {
public:
    virtual ~ProcessPriority() = default;
    virtual void SetOwnPriorityClass(DWORD priorityClass) = 0;
};

Shell& Win32Shell();
ProcessPriority& Win32ProcessPriority();

}  // namespace platform

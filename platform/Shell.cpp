#include "platform/Shell.h"

#include <shellapi.h>

namespace platform {
namespace {

class Win32ShellFacet final : public Shell {
public:
    void OpenWebPage(HWND owner, const char* url) override {
        ShellExecuteA(owner, "OPEN", url, nullptr, nullptr, SW_SHOW);
    }
};

class Win32Priority final : public ProcessPriority {
public:
    void SetOwnPriorityClass(DWORD priorityClass) override {
        SetPriorityClass(GetCurrentProcess(), priorityClass);
    }
};

}  // namespace

Shell& Win32Shell() {
    static Win32ShellFacet shell;
    return shell;
}

ProcessPriority& Win32ProcessPriority() {
    static Win32Priority priority;
    return priority;
}

}  // namespace platform

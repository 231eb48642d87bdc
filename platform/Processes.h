#pragma once
#include <windows.h>
#include <tlhelp32.h>

#include <memory>

namespace platform {

class ModuleLoader;

// The ANSI process record; with UNICODE defined the plain PROCESSENTRY32 would be the wide one.
using ProcessRecord = tagPROCESSENTRY32;

// Process snapshots and working sets. Every call reports failure as 0 or false, never by
// throwing, so that a missing function makes a sweep visit or trim nothing.
class Processes {
public:
    virtual ~Processes() = default;
    virtual HANDLE CreateSnapshot(DWORD flags, DWORD processId) = 0;
    virtual bool First(HANDLE snapshot, ProcessRecord& record) = 0;
    virtual bool Next(HANDLE snapshot, ProcessRecord& record) = 0;
    virtual HANDLE Open(DWORD access, bool inheritHandle, DWORD processId) = 0;
    virtual bool EmptyWorkingSet(HANDLE process) = 0;
    virtual bool Close(HANDLE handle) = 0;
};

// The Win32 facet, finding the snapshot and trim functions through `modules` at first use.
// `modules` must outlive the facet.
std::unique_ptr<Processes> MakeWin32Processes(ModuleLoader& modules);

// The Win32 facet over the real loader, for the life of the program.
Processes& Win32Processes();

}  // namespace platform

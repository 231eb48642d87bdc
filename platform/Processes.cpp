#include "platform/Processes.h"

namespace platform {
namespace {

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, ProcessRecord*);
using EmptyWorkingSetFn = BOOL(WINAPI*)(HANDLE);

// GetProcAddress returns a generic FARPROC; the cast to the real signature goes through void*.
template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class Win32ProcessesFacet final : public Processes {
public:
    HANDLE CreateSnapshot(DWORD flags, DWORD processId) override {
        LookUpSnapshotFunctions();
        return createSnapshot_ ? createSnapshot_(flags, processId) : nullptr;
    }

    bool First(HANDLE snapshot, ProcessRecord& record) override {
        LookUpSnapshotFunctions();
        return first_ && first_(snapshot, &record);
    }

    bool Next(HANDLE snapshot, ProcessRecord& record) override {
        LookUpSnapshotFunctions();
        return next_ && next_(snapshot, &record);
    }

    HANDLE Open(DWORD access, bool inheritHandle, DWORD processId) override {
        return OpenProcess(access, inheritHandle ? TRUE : FALSE, processId);
    }

    bool EmptyWorkingSet(HANDLE process) override {
        // PSAPI.dll is loaded at the first trim and kept; a failed load is tried again next time.
        if (emptyWorkingSet_ == nullptr) {
            HMODULE psapi = LoadLibraryA("PSAPI.dll");
            if (reinterpret_cast<UINT_PTR>(psapi) < 32) {
                return false;
            }
            emptyWorkingSet_ = Lookup<EmptyWorkingSetFn>(psapi, "EmptyWorkingSet");
            if (emptyWorkingSet_ == nullptr) {
                return false;
            }
        }
        return emptyWorkingSet_(process) != FALSE;
    }

    bool Close(HANDLE handle) override { return CloseHandle(handle) != FALSE; }

private:
    void LookUpSnapshotFunctions() {
        if (lookedUp_) {
            return;
        }
        lookedUp_ = true;
        HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
        createSnapshot_ = Lookup<CreateSnapshotFn>(kernel32, "CreateToolhelp32Snapshot");
        first_ = Lookup<ProcessWalkFn>(kernel32, "Process32First");
        next_ = Lookup<ProcessWalkFn>(kernel32, "Process32Next");
    }

    bool lookedUp_ = false;
    CreateSnapshotFn createSnapshot_ = nullptr;
    ProcessWalkFn first_ = nullptr;
    ProcessWalkFn next_ = nullptr;
    EmptyWorkingSetFn emptyWorkingSet_ = nullptr;
};

}  // namespace

Processes& Win32Processes() {
    static Win32ProcessesFacet processes;
    return processes;
}

}  // namespace platform

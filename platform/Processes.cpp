#include "platform/Processes.h"

#include "platform/ModuleLoader.h"

namespace platform {
namespace {

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, ProcessRecord*);
using EmptyWorkingSetFn = BOOL(WINAPI*)(HANDLE);

class Win32ProcessesFacet final : public Processes {
public:
    explicit Win32ProcessesFacet(ModuleLoader& modules) : modules_(modules) {}

    HANDLE CreateSnapshot(DWORD flags, DWORD processId) override {
        LookUpSnapshotFunctions();
        if (createSnapshot_ == nullptr) {
            return nullptr;
        }
        // The API fails with INVALID_HANDLE_VALUE; this facet's callers know failure as null.
        HANDLE snapshot = createSnapshot_(flags, processId);
        return snapshot == INVALID_HANDLE_VALUE ? nullptr : snapshot;
    }

    bool First(HANDLE snapshot, ProcessRecord& record) override {
        LookUpSnapshotFunctions();
        return first_ != nullptr && first_(snapshot, &record) != FALSE;
    }

    bool Next(HANDLE snapshot, ProcessRecord& record) override {
        LookUpSnapshotFunctions();
        return next_ != nullptr && next_(snapshot, &record) != FALSE;
    }

    HANDLE Open(DWORD access, bool inheritHandle, DWORD processId) override {
        return OpenProcess(access, inheritHandle ? TRUE : FALSE, processId);
    }

    bool EmptyWorkingSet(HANDLE process) override {
        // A failed load is tried again at the next trim. A loaded PSAPI.dll stays loaded for the
        // life of the program, whether or not it exports the function.
        if (psapi_ == nullptr) {
            HMODULE psapi = modules_.Load("PSAPI.dll");
            if (reinterpret_cast<UINT_PTR>(psapi) < 32) {
                return false;
            }
            psapi_ = psapi;
            emptyWorkingSet_ = Lookup<EmptyWorkingSetFn>(psapi_, "EmptyWorkingSet");
        }
        return emptyWorkingSet_ != nullptr && emptyWorkingSet_(process) != FALSE;
    }

    bool Close(HANDLE handle) override { return CloseHandle(handle) != FALSE; }

private:
    template <typename Fn>
    Fn Lookup(HMODULE module, const char* name) {
        return ExportAs<Fn>(modules_, module, name);
    }

    void LookUpSnapshotFunctions() {
        if (snapshotFunctionsLookedUp_) {
            return;
        }
        snapshotFunctionsLookedUp_ = true;
        HMODULE kernel32 = modules_.FindLoaded("kernel32.dll");
        if (kernel32 == nullptr) {
            return;
        }
        createSnapshot_ = Lookup<CreateSnapshotFn>(kernel32, "CreateToolhelp32Snapshot");
        first_ = Lookup<ProcessWalkFn>(kernel32, "Process32First");
        next_ = Lookup<ProcessWalkFn>(kernel32, "Process32Next");
    }

    ModuleLoader& modules_;
    bool snapshotFunctionsLookedUp_ = false;
    CreateSnapshotFn createSnapshot_ = nullptr;
    ProcessWalkFn first_ = nullptr;
    ProcessWalkFn next_ = nullptr;
    HMODULE psapi_ = nullptr;
    EmptyWorkingSetFn emptyWorkingSet_ = nullptr;
};

}  // namespace

std::unique_ptr<Processes> MakeWin32Processes(ModuleLoader& modules) {
    return std::make_unique<Win32ProcessesFacet>(modules);
}

Processes& Win32Processes() {
    static Win32ProcessesFacet processes(Win32ModuleLoader());
    return processes;
}

}  // namespace platform

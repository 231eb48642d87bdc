#pragma once
#include <windows.h>

namespace platform {

// Run-time linking: functions that not every Windows has are found when first needed.
class ModuleLoader {
public:
    virtual ~ModuleLoader() = default;
    // Maps a DLL into the process; the answer is a handle, or a value below 32 on failure.
    virtual HMODULE Load(const char* fileName) = 0;
    // A module already in the process, without taking a reference on it; null if absent.
    virtual HMODULE FindLoaded(const char* moduleName) = 0;
    // The address of an exported function; null if the module does not export it.
    virtual FARPROC Export(HMODULE module, const char* functionName) = 0;
};

ModuleLoader& Win32ModuleLoader();

}  // namespace platform

#pragma once
#include <windows.h>

namespace platform {

// Run-time linking: functions that not every Windows has are found when first needed.
class ModuleLoader {
public:
    virtual ~ModuleLoader() = default;
    // Maps a DLL into the process; the answer is a handle, or a value below 32 on failure.
    virtual HMODULE Load(const char* fileName) = 0;
    // LoadLibraryExW of the file in the system folder, its own dependencies searched there too
    // (LOAD_LIBRARY_SEARCH_SYSTEM32): a DLL that Windows does not count among its known ones is
    // never taken from the folder the program was copied into; null on failure.
    virtual HMODULE LoadFromSystemFolder(const wchar_t* fileName) = 0;
    // FreeLibrary of a module that this program loaded.
    virtual void Release(HMODULE module) = 0;
    // A module already in the process, without taking a reference on it; null if absent.
    virtual HMODULE FindLoaded(const char* moduleName) = 0;
    // The address of an exported function; null if the module does not export it.
    virtual FARPROC Export(HMODULE module, const char* functionName) = 0;
};

// The export as its real type, null if absent. The address comes as a generic FARPROC; the cast
// goes through void* so that the compiler does not take it for a mistake.
template <typename Fn>
Fn ExportAs(ModuleLoader& modules, HMODULE module, const char* functionName) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(modules.Export(module, functionName)));
}

ModuleLoader& Win32ModuleLoader();

// Every later load of a DLL by name searches the system folder only, so that no DLL lying
// beside the executable runs inside the program. SetDefaultDllDirectories where the system has
// it; elsewhere SetDllDirectoryW(L""), which at least takes the current folder out of the search.
void RestrictDllSearchToSystemFolder();

}  // namespace platform

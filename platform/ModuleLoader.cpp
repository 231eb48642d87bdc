#include "platform/ModuleLoader.h"

#include <string>

namespace platform {
namespace {

class Win32Loader final : public ModuleLoader {
public:
    HMODULE Load(const char* fileName) override { return LoadLibraryA(fileName); }
    HMODULE LoadFromSystemFolder(const wchar_t* fileName) override {
        // By its full path: a bare name would be answered by a module of that name already in
        // the process, wherever it came from.
        wchar_t folder[MAX_PATH];
        UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return nullptr;
        }
        const std::wstring path = std::wstring(folder, length) + L"\\" + fileName;
        return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    void Release(HMODULE module) override { FreeLibrary(module); }
    HMODULE FindLoaded(const char* moduleName) override { return GetModuleHandleA(moduleName); }
    FARPROC Export(HMODULE module, const char* functionName) override {
        return GetProcAddress(module, functionName);
    }
};

}  // namespace

ModuleLoader& Win32ModuleLoader() {
    static Win32Loader loader;
    return loader;
}

void RestrictDllSearchToSystemFolder() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    ModuleLoader& loader = Win32ModuleLoader();
    HMODULE kernel32 = loader.FindLoaded("kernel32.dll");
    // Looked up, not imported: Windows 7 has it only with an update installed.
    auto setDefault = kernel32 == nullptr ? nullptr
                                          : ExportAs<SetDefaultDllDirectoriesFn>(
                                                loader, kernel32, "SetDefaultDllDirectories");
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryW(L"");
    }
}

}  // namespace platform

#include "platform/ModuleLoader.h"

namespace platform {
namespace {

class Win32Loader final : public ModuleLoader {
public:
    HMODULE Load(const char* fileName) override { return LoadLibraryA(fileName); }
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

}  // namespace platform

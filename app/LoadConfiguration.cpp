// The image's load configuration, which Windows reads before any of the program's code runs.

#include <windows.h>

namespace {

// Windows resolves the static imports, and their own imports, before wWinMain can restrict
// where DLLs are looked for; from Windows 10 1607 on it takes DependentLoadFlags for those. The
// headers here know the older form of the structure and call that field Reserved1. The security
// cookie stays empty: the runtime keeps its own.
constexpr IMAGE_LOAD_CONFIG_DIRECTORY64 LoadConfiguration() {
    IMAGE_LOAD_CONFIG_DIRECTORY64 configuration{};
    configuration.Size = sizeof configuration;
    configuration.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
    return configuration;
}

}  // namespace

// The name the loader's directory entry is set by; the build points that entry here, since the
// linker does not.
extern "C" constinit const IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used = LoadConfiguration();

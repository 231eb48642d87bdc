#include "platform/NotifyArea.h"

#include "platform/ModuleLoader.h"

#include <vector>

namespace platform {
namespace {

using VersionSizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using VersionInfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using VersionQueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
using IconRectFn = HRESULT(WINAPI*)(const NOTIFYICONIDENTIFIER*, RECT*);

DWORD ReadShellVersion(ModuleLoader& modules, HMODULE version) {
    auto size = ExportAs<VersionSizeFn>(modules, version, "GetFileVersionInfoSizeA");
    auto info = ExportAs<VersionInfoFn>(modules, version, "GetFileVersionInfoA");
    auto query = ExportAs<VersionQueryFn>(modules, version, "VerQueryValueA");
    if (size == nullptr || info == nullptr || query == nullptr) {
        return 0;
    }
    DWORD ignored = 0;
    DWORD blockSize = size("shell32.dll", &ignored);
    if (blockSize == 0) {
        return 0;
    }
    std::vector<char> block(blockSize);
    if (!info("shell32.dll", 0, blockSize, block.data())) {
        return 0;
    }
    void* value = nullptr;
    UINT length = 0;
    if (!query(block.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
        return 0;
    }
    return static_cast<const VS_FIXEDFILEINFO*>(value)->dwFileVersionMS;
}

// version.dll is not one of the DLLs that Windows always takes from the system folder, so it is
// not imported: the loader would look for it first beside the executable.
DWORD ReadShellVersion(ModuleLoader& modules) {
    HMODULE version = modules.LoadFromSystemFolder(L"version.dll");
    if (version == nullptr) {
        return 0;
    }
    DWORD shellVersion = ReadShellVersion(modules, version);
    modules.Release(version);
    return shellVersion;
}

class Win32NotifyAreaFacet final : public NotifyArea {
public:
    explicit Win32NotifyAreaFacet(ModuleLoader& modules) : modules_(modules) {}

    bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) override {
        return Shell_NotifyIconA(message, &data) != FALSE;
    }

    // A refusal leaves the program as it would be without an elevated run: nothing to report.
    void AllowMessage(HWND window, UINT message) override {
        ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
    }

    // Read once for the process's life; a version that could not be read is asked again.
    DWORD ShellVersion() override {
        if (version_ == 0) {
            version_ = ReadShellVersion(modules_);
        }
        return version_;
    }

    bool IconRect(HWND window, UINT id, RECT& rect) override {
        if (!iconRectLookedUp_) {
            iconRectLookedUp_ = true;
            // shell32 is imported for Shell_NotifyIconA, so it is always in the process.
            HMODULE shell = modules_.FindLoaded("shell32.dll");
            iconRect_ = shell != nullptr
                            ? ExportAs<IconRectFn>(modules_, shell, "Shell_NotifyIconGetRect")
                            : nullptr;
        }
        if (iconRect_ == nullptr) {
            return false;
        }
        NOTIFYICONIDENTIFIER icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = window;
        icon.uID = id;
        return SUCCEEDED(iconRect_(&icon, &rect));
    }

private:
    ModuleLoader& modules_;
    DWORD version_ = 0;
    bool iconRectLookedUp_ = false;
    IconRectFn iconRect_ = nullptr;
};

}  // namespace

std::unique_ptr<NotifyArea> MakeWin32NotifyArea(ModuleLoader& modules) {
    return std::make_unique<Win32NotifyAreaFacet>(modules);
}

NotifyArea& Win32NotifyArea() {
    static Win32NotifyAreaFacet area(Win32ModuleLoader());
    return area;
}

}  // namespace platform

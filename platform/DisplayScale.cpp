#include "platform/DisplayScale.h"

#include "platform/ModuleLoader.h"

namespace platform {
namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using MetricsForDpi = int(WINAPI*)(int, UINT);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function Find(const char* name) {
    ModuleLoader& loader = Win32ModuleLoader();
    HMODULE user32 = loader.FindLoaded("user32.dll");
    return user32 != nullptr ? ExportAs<Function>(loader, user32, name) : nullptr;
}

class Win32Scale final : public DisplayScale {
public:
    int GetDpiForWindow(HWND window) override {
        if (dpiForWindow_ != nullptr && window != nullptr) {
            if (UINT dpi = dpiForWindow_(window); dpi != 0) {
                return static_cast<int>(dpi);
            }
        }
        HDC screen = GetDC(nullptr);
        int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen != nullptr) {
            ReleaseDC(nullptr, screen);
        }
        return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
    }

    int GetSystemMetricsForDpi(int index, int dpi) override {
        return metricsForDpi_ != nullptr ? metricsForDpi_(index, static_cast<UINT>(dpi))
                                         : GetSystemMetrics(index);
    }

    RECT AdjustWindowRectExForDpi(const RECT& client, DWORD style, DWORD exStyle,
                                  int dpi) override {
        RECT outer = client;
        // Without a menu bar: the program's windows have none.
        if (adjustForDpi_ == nullptr ||
            !adjustForDpi_(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
            outer = client;
            AdjustWindowRectEx(&outer, style, FALSE, exStyle);
        }
        return outer;
    }

private:
    DpiForWindow dpiForWindow_ = Find<DpiForWindow>("GetDpiForWindow");
    MetricsForDpi metricsForDpi_ = Find<MetricsForDpi>("GetSystemMetricsForDpi");
    AdjustForDpi adjustForDpi_ = Find<AdjustForDpi>("AdjustWindowRectExForDpi");
};

}  // namespace

DisplayScale& Win32DisplayScale() {
    static Win32Scale scale;
    return scale;
}

}  // namespace platform

#include "platform/Contrast.h"

#include <windows.h>

namespace platform {
namespace {

class Win32ContrastFacet final : public Contrast {
public:
    // A refused question leaves the standard colours: what the window paints without a theme.
    bool HighContrastOn() override {
        HIGHCONTRASTW setting{sizeof setting, 0, nullptr};
        return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
               (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
    }
};

}  // namespace

Contrast& Win32Contrast() {
    static Win32ContrastFacet contrast;
    return contrast;
}

}  // namespace platform

#pragma once

namespace platform {

// The user's choice of a high-contrast theme, under which a window paints in system colours only.
class Contrast {
public:
    virtual ~Contrast() = default;
    // SystemParametersInfoW(SPI_GETHIGHCONTRAST): whether HCF_HIGHCONTRASTON is set.
    virtual bool HighContrastOn() = 0;
};

Contrast& Win32Contrast();

}  // namespace platform

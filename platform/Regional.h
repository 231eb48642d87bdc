#pragma once
#include <string>

namespace platform {

// The user's regional settings.
class RegionalSettings {
public:
    virtual ~RegionalSettings() = default;
    // The thousands separator, as UTF-8 (a narrow no-break space in French).
    virtual std::string ThousandSeparator() = 0;
    // The decimal separator, as UTF-8 (a comma in French).
    virtual std::string DecimalSeparator() = 0;
};

RegionalSettings& Win32RegionalSettings();

}  // namespace platform

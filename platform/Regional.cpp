#include "platform/Regional.h"

#include <windows.h>

namespace platform {
namespace {

// One item of the user's locale as UTF-8, or `fallback` when the locale cannot be read. An
// empty item is the user's choice, no separator at all.
std::string LocaleText(LCTYPE item, const char* fallback) {
    wchar_t text[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, 8) == 0) {
        return fallback;
    }
    char utf8[32] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

class Win32Regional final : public RegionalSettings {
public:
    std::string ThousandSeparator() override { return LocaleText(LOCALE_STHOUSAND, ","); }
    std::string DecimalSeparator() override { return LocaleText(LOCALE_SDECIMAL, "."); }
};

}  // namespace

RegionalSettings& Win32RegionalSettings() {
    static Win32Regional regional;
    return regional;
}

}  // namespace platform

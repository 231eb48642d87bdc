#include "platform/Regional.h"

#include <windows.h>

namespace platform {
namespace {

class Win32Regional final : public RegionalSettings {
public:
    std::string ThousandSeparator() override {
        wchar_t separator[8] = {};
        if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8) <= 1) {
            return ",";
        }
        char utf8[32] = {};
        WideCharToMultiByte(CP_UTF8, 0, separator, -1, utf8, sizeof utf8, nullptr, nullptr);
        return utf8;
    }
};

}  // namespace

RegionalSettings& Win32RegionalSettings() {
    static Win32Regional regional;
    return regional;
}

}  // namespace platform

#include "platform/Profile.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

class Win32ProfileFacet final : public Profile {
public:
    std::string ReadString(const char* section, const char* key, const char* defaultValue,
                           const char* fileName, unsigned bufferSize) override {
        std::vector<char> buffer(bufferSize, '\0');
        DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(),
                                                bufferSize, fileName);
        return std::string(buffer.data(), length);
    }

    bool WriteString(const char* section, const char* key, const char* value,
                     const char* fileName) override {
        return WritePrivateProfileStringA(section, key, value, fileName) != FALSE;
    }
};

}  // namespace

Profile& Win32Profile() {
    static Win32ProfileFacet profile;
    return profile;
}

}  // namespace platform

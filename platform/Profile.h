#pragma once
#include <string>

namespace platform {

// The private-profile (INI file) functions, in their ANSI form.
class Profile {
public:
    virtual ~Profile() = default;
    // GetPrivateProfileStringA into a buffer of `bufferSize` bytes.
    virtual std::string ReadString(const char* section, const char* key, const char* defaultValue,
                                   const char* fileName, unsigned bufferSize) = 0;
    // WritePrivateProfileStringA; null section, key and value flush the cached file.
    virtual bool WriteString(const char* section, const char* key, const char* value,
                             const char* fileName) = 0;
};

Profile& Win32Profile();

}  // namespace platform

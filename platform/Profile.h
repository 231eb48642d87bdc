#pragma once
#include <string>

namespace platform {

// The private-profile (INI file) functions. Names, values and the file's path are UTF-8 and go
// to the wide functions, so a folder of any name works; the file itself stays single-byte.
class Profile {
public:
    virtual ~Profile() = default;
    // GetPrivateProfileStringW into a buffer of `bufferSize` bytes.
    virtual std::string ReadString(const char* section, const char* key, const char* defaultValue,
                                   const char* fileName, unsigned bufferSize) = 0;
    // WritePrivateProfileStringW; null section, key and value flush the cached file.
    virtual bool WriteString(const char* section, const char* key, const char* value,
                             const char* fileName) = 0;
};

Profile& Win32Profile();

}  // namespace platform

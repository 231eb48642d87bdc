#pragma once
// Reads and writes one INI file through the platform's private-profile functions.

#include <cstdint>
#include <string>

namespace platform {
class Profile;
}

class TIniFile {
public:
    static constexpr unsigned kReadBufferSize = 2048;

    explicit TIniFile(std::string fileName);
    // Flushes the platform's cached copy of the file to disk.
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    // Values longer than kReadBufferSize - 1 bytes come back cut short.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // A missing key, an empty value or text that is no integer gives `defaultValue`.
    int32_t ReadInteger(const std::string& section, const std::string& key,
                        int32_t defaultValue) const;
    // Any non-zero integer is true.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Throw EIniFileException when the platform reports the write as failed.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    platform::Profile& profile_;
    std::string fileName_;
};

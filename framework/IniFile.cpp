#include "framework/IniFile.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "framework/Exceptions.h"
#include "framework/Numbers.h"
#include "platform/Facets.h"
#include "platform/Profile.h"

TIniFile::TIniFile(std::string fileName)
    : profile_(*platform::Current().profile), fileName_(std::move(fileName)) {}

TIniFile::~TIniFile() {
    try {
        profile_.WriteString(nullptr, nullptr, nullptr, fileName_.c_str());
    } catch (...) {
        // A failed flush leaves the platform's cache to be written later; nothing to report.
    }
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    return profile_.ReadString(section.c_str(), key.c_str(), defaultValue.c_str(),
                               fileName_.c_str(), kReadBufferSize);
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                              int32_t defaultValue) const {
    std::string text = ReadString(section, key, "");
    // Tabs count as blanks too, as they do for the platform's own reader.
    std::string_view number(text);
    number.remove_prefix(std::min(number.find_first_not_of(" \t"), number.size()));
    return StrToIntDef(number, defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    if (!profile_.WriteString(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str())) {
        throw EIniFileException("Impossible d'écrire dans le fichier " + fileName_);
    }
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

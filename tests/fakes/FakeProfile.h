#pragma once
// One INI file held in memory, behaving as the platform's private-profile functions do for
// plain section and key access, and recording every call.

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Profile.h"

class FakeProfile final : public platform::Profile {
public:
    enum class CallKind { Read, Write };

    // Null arguments are recorded as nullopt; a read records its default as the value.
    struct Call {
        CallKind kind;
        std::optional<std::string> section;
        std::optional<std::string> key;
        std::optional<std::string> value;
        std::optional<std::string> file;
        unsigned bufferSize;
    };

    std::string ReadString(const char* section, const char* key, const char* defaultValue,
                           const char* fileName, unsigned bufferSize) override;
    bool WriteString(const char* section, const char* key, const char* value,
                     const char* fileName) override;

    // Makes later writes to this key, in any section, report failure and change nothing.
    void FailWritesTo(const std::string& key);
    // Makes every later write report failure, the flush included.
    void FailAllWrites() { failAll_ = true; }

    // Stores a value as if the file already held it, without recording a call.
    void Put(const std::string& section, const std::string& key, const std::string& value);

    const std::vector<Call>& Calls() const { return calls_; }
    // The file as the platform writes it: "[Section]\r\nkey=value\r\n" lines.
    std::string Text() const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };

    Section* FindSection(const std::string& name);
    std::string* FindValue(const std::string& section, const std::string& key);
    bool WriteFails(const std::string& key) const;

    std::vector<Section> sections_;
    std::vector<Call> calls_;
    std::set<std::string> failingKeys_;  // lower case
    bool failAll_ = false;
};

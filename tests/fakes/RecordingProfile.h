#pragma once
// The platform's own private-profile functions on real files, with every write written down. A
// test may make writes fail before they reach the file, as a full disk or a locked file would.
// Put and Text mean the one file given, in a folder of the test's own.

#include "platform/Profile.h"
#include "platform/Utf8.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class RecordingProfile final : public platform::Profile {
public:
    // Null arguments are written down as nullopt: all three null is the flush of the file.
    struct Write {
        std::optional<std::string> section;
        std::optional<std::string> key;
        std::optional<std::string> value;
        std::string file;
        bool IsFlush() const { return !section && !key && !value; }
    };

    explicit RecordingProfile(std::string file = {}) : file_(std::move(file)) {}

    std::string ReadString(const char* section, const char* key, const char* defaultValue,
                           const char* fileName, unsigned bufferSize) override {
        return real().ReadString(section, key, defaultValue, fileName, bufferSize);
    }
    bool WriteString(const char* section, const char* key, const char* value,
                     const char* fileName) override {
        writes_.push_back({Text(section), Text(key), Text(value), fileName});
        if (failAll_ || (key != nullptr && failingKeys_.contains(Lower(key)))) {
            return false;
        }
        return real().WriteString(section, key, value, fileName);
    }

    // Later writes to this key, in any section, report failure and change nothing.
    void FailWritesTo(const std::string& key) { failingKeys_.insert(Lower(key)); }
    // Every later write reports failure, the flush included.
    void FailAllWrites() { failAll_ = true; }
    const std::vector<Write>& Writes() const { return writes_; }

    // Stores a value in the file as if it held it already, without writing it down.
    void Put(const std::string& section, const std::string& key, const std::string& value) {
        real().WriteString(section.c_str(), key.c_str(), value.c_str(), file_.c_str());
        real().WriteString(nullptr, nullptr, nullptr, file_.c_str());
    }
    // The file's bytes; empty when there is none.
    std::string Text() const {
        std::ifstream stream(std::filesystem::path(platform::Utf8ToWide(file_)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    }
    // The files in the file's folder, by their full names.
    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
            names.push_back(platform::WideToUtf8(entry.path().wstring()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::filesystem::path Folder() const {
        return std::filesystem::path(platform::Utf8ToWide(file_)).parent_path();
    }

private:
    static platform::Profile& real() { return platform::Win32Profile(); }
    static std::optional<std::string> Text(const char* text) {
        return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
    }
    static std::string Lower(std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    }

    std::string file_;
    std::vector<Write> writes_;
    std::set<std::string> failingKeys_;  // lower case
    bool failAll_ = false;
};

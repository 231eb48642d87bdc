#include "fakes/FakeProfile.h"

#include <algorithm>
#include <cctype>

namespace {

std::optional<std::string> Recorded(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    return Lower(a) == Lower(b);
}

}  // namespace

std::string FakeProfile::ReadString(const char* section, const char* key, const char* defaultValue,
                                    const char* fileName, unsigned bufferSize) {
    calls_.push_back({CallKind::Read, Recorded(section), Recorded(key), Recorded(defaultValue),
                      Recorded(fileName), bufferSize});
    std::string text = defaultValue ? defaultValue : "";
    if (section && key) {
        if (const std::string* value = FindValue(section, key)) {
            text = *value;
        }
    }
    // The platform keeps the last byte of the buffer for the terminating null.
    return text.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
}

bool FakeProfile::WriteString(const char* section, const char* key, const char* value,
                              const char* fileName) {
    calls_.push_back({CallKind::Write, Recorded(section), Recorded(key), Recorded(value),
                      Recorded(fileName), 0});
    if (failAll_) {
        return false;
    }
    bool flush = !section && !key && !value;
    if (flush) {
        return true;
    }
    // Deleting keys and sections is not modelled.
    if (!section || !key || !value || WriteFails(key)) {
        return false;
    }
    Put(section, key, value);
    return true;
}

void FakeProfile::FailWritesTo(const std::string& key) {
    failingKeys_.insert(Lower(key));
}

void FakeProfile::Put(const std::string& section, const std::string& key,
                      const std::string& value) {
    if (std::string* existing = FindValue(section, key)) {
        *existing = value;
        return;
    }
    Section* target = FindSection(section);
    if (!target) {
        target = &sections_.emplace_back(Section{section, {}});
    }
    target->entries.emplace_back(key, value);
}

std::string FakeProfile::Text() const {
    std::string text;
    for (const Section& section : sections_) {
        text += "[" + section.name + "]\r\n";
        for (const auto& [key, value] : section.entries) {
            text += key + "=" + value + "\r\n";
        }
    }
    return text;
}

FakeProfile::Section* FakeProfile::FindSection(const std::string& name) {
    auto found = std::find_if(sections_.begin(), sections_.end(),
                              [&](const Section& s) { return SameName(s.name, name); });
    return found == sections_.end() ? nullptr : &*found;
}

std::string* FakeProfile::FindValue(const std::string& section, const std::string& key) {
    Section* owner = FindSection(section);
    if (!owner) {
        return nullptr;
    }
    auto found = std::find_if(owner->entries.begin(), owner->entries.end(),
                              [&](const auto& entry) { return SameName(entry.first, key); });
    return found == owner->entries.end() ? nullptr : &found->second;
}

bool FakeProfile::WriteFails(const std::string& key) const {
    return failingKeys_.contains(Lower(key));
}

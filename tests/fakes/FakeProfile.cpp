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
    auto found = files_.find(Lower(fileName ? fileName : ""));
    if (section && key && found != files_.end()) {
        if (const std::string* value = FindValue(found->second, section, key)) {
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
    if (!section || !key || !value || !fileName || WriteFails(key)) {
        return false;
    }
    Put(FileNamed(fileName), section, key, value);
    return true;
}

void FakeProfile::FailWritesTo(const std::string& key) {
    failingKeys_.insert(Lower(key));
}

void FakeProfile::Put(const std::string& section, const std::string& key,
                      const std::string& value) {
    Put(FileNamed(file_), section, key, value);
}

std::string FakeProfile::Text(const std::string& file) const {
    std::string text;
    if (const File* found = FindFile(file)) {
        for (const Section& section : found->sections) {
            text += "[" + section.name + "]\r\n";
            for (const auto& [key, value] : section.entries) {
                text += key + "=" + value + "\r\n";
            }
        }
    }
    return text;
}

bool FakeProfile::Exists(const std::string& file) const {
    return FindFile(file) != nullptr;
}

std::vector<std::string> FakeProfile::FileNames() const {
    std::vector<std::string> names;
    for (const auto& [lower, file] : files_) {
        names.push_back(file.name);
    }
    return names;
}

void FakeProfile::Create(const std::string& file) {
    FileNamed(file);
}

void FakeProfile::CopyFile(const std::string& from, const std::string& to) {
    const File source = files_.at(Lower(from));
    FileNamed(to).sections = source.sections;
}

void FakeProfile::MoveFile(const std::string& from, const std::string& to) {
    File moved = files_.at(Lower(from));
    files_.erase(Lower(from));
    moved.name = to;
    files_[Lower(to)] = std::move(moved);
}

void FakeProfile::Erase(const std::string& file) {
    files_.erase(Lower(file));
}

const FakeProfile::File* FakeProfile::FindFile(const std::string& name) const {
    auto found = files_.find(Lower(name));
    return found == files_.end() ? nullptr : &found->second;
}

FakeProfile::File& FakeProfile::FileNamed(const std::string& name) {
    auto [found, added] = files_.try_emplace(Lower(name), File{name, {}});
    return found->second;
}

void FakeProfile::Put(File& file, const std::string& section, const std::string& key,
                      const std::string& value) {
    if (std::string* existing = FindValue(file, section, key)) {
        *existing = value;
        return;
    }
    Section* target = FindSection(file, section);
    if (!target) {
        target = &file.sections.emplace_back(Section{section, {}});
    }
    target->entries.emplace_back(key, value);
}

FakeProfile::Section* FakeProfile::FindSection(File& file, const std::string& name) {
    auto found = std::find_if(file.sections.begin(), file.sections.end(),
                              [&](const Section& s) { return SameName(s.name, name); });
    return found == file.sections.end() ? nullptr : &*found;
}

std::string* FakeProfile::FindValue(File& file, const std::string& section,
                                    const std::string& key) {
    Section* owner = FindSection(file, section);
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

std::string FakeProfileFiles::CreateTemporaryBeside(const std::string& path) {
    if (refuseTemporary) {
        return {};
    }
    std::string name;
    do {
        name =
            path.substr(0, path.find_last_of("\\/") + 1) + "ser" + std::to_string(++made_) + ".tmp";
    } while (profile_.Exists(name));
    profile_.Create(name);
    return name;
}

bool FakeProfileFiles::Copy(const std::string& from, const std::string& to) {
    if (failCopy || !profile_.Exists(from)) {
        return false;
    }
    profile_.CopyFile(from, to);
    return true;
}

DWORD FakeProfileFiles::MoveOver(const std::string& from, const std::string& to) {
    if (failMove) {
        return ERROR_WRITE_PROTECT;
    }
    if (heldMoves > 0) {
        --heldMoves;
        return heldError;
    }
    if (IsReadOnly(to)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!profile_.Exists(from)) {
        return ERROR_FILE_NOT_FOUND;
    }
    profile_.MoveFile(from, to);
    ages_.erase(Lower(to));
    return ERROR_SUCCESS;
}

void FakeProfileFiles::SetAge(const std::string& path, ULONGLONG ageMs) {
    ages_[Lower(path)] = ageMs;
}

void FakeProfileFiles::SetReadOnly(const std::string& path, bool readOnly) {
    if (readOnly) {
        readOnly_.insert(Lower(path));
    } else {
        readOnly_.erase(Lower(path));
    }
}

bool FakeProfileFiles::IsReadOnly(const std::string& path) {
    return profile_.Exists(path) && readOnly_.contains(Lower(path));
}

// Only the one wildcard form the program asks for: a prefix and a suffix around "*".
std::vector<platform::Files::Found> FakeProfileFiles::FindBeside(const std::string& path,
                                                                 const std::string& pattern) {
    const std::string folder = Lower(path.substr(0, path.find_last_of("\\/") + 1));
    const std::string prefix = folder + Lower(pattern.substr(0, pattern.find('*')));
    const std::string suffix = Lower(pattern.substr(pattern.find('*') + 1));
    std::vector<Found> found;
    for (const std::string& name : profile_.FileNames()) {
        const std::string lower = Lower(name);
        if (lower.size() >= prefix.size() + suffix.size() && lower.starts_with(prefix) &&
            lower.ends_with(suffix) &&
            lower.find_first_of("\\/", folder.size()) == std::string::npos) {
            const auto age = ages_.find(lower);
            found.push_back({name, age == ages_.end() ? 0 : age->second});
        }
    }
    return found;
}

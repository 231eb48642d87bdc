#pragma once
// INI files held in memory, behaving as the platform's private-profile functions do for plain
// section and key access, and recording every call; and the file calls of the form state
// store over the same files.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "platform/Files.h"
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

    // `file` is the one that Put and Text mean.
    explicit FakeProfile(std::string file) : file_(std::move(file)) {}

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
    std::string Text() const { return Text(file_); }
    std::string Text(const std::string& file) const;

    // The files themselves; names are matched without regard to case, as the system does.
    bool Exists(const std::string& file) const;
    std::vector<std::string> FileNames() const;
    void Create(const std::string& file);
    void CopyFile(const std::string& from, const std::string& to);
    void MoveFile(const std::string& from, const std::string& to);
    void Erase(const std::string& file);

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    struct File {
        std::string name;
        std::vector<Section> sections;
    };

    const File* FindFile(const std::string& name) const;
    Section* FindSection(File& file, const std::string& name);
    std::string* FindValue(File& file, const std::string& section, const std::string& key);
    void Put(File& file, const std::string& section, const std::string& key,
             const std::string& value);
    File& FileNamed(const std::string& name);
    bool WriteFails(const std::string& key) const;

    std::string file_;
    std::map<std::string, File> files_;  // by lower-case name
    std::vector<Call> calls_;
    std::set<std::string> failingKeys_;  // lower case
    bool failAll_ = false;
};

// The executable's path and the file calls, over the fake's files, each call able to fail.
class FakeProfileFiles final : public platform::Files {
public:
    explicit FakeProfileFiles(FakeProfile& profile, std::string executable)
        : profile_(profile), executable_(std::move(executable)) {}

    bool refuseTemporary = false;
    bool failCopy = false;
    bool failFlush = false;
    // A refusal that no wait mends.
    bool failMove = false;
    // The next `heldMoves` moves are refused with `heldError`, as while another program holds
    // the file.
    DWORD heldError = ERROR_SHARING_VIOLATION;
    int heldMoves = 0;
    // Every wait asked for, none of them waited.
    std::vector<DWORD> waits;

    // How long ago the file was created, as FindBeside reports it; 0 unless set.
    void SetAge(const std::string& path, ULONGLONG ageMs);
    // The read-only attribute, which makes a replace of the file fail as on Windows.
    void SetReadOnly(const std::string& path, bool readOnly);

    std::string ExecutablePath() override { return executable_; }
    bool FileExists(const std::string& path) override { return profile_.Exists(path); }
    bool IsReadOnly(const std::string& path) override;
    std::string CreateTemporaryBeside(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to) override;
    bool Flush(const std::string& path) override { return !failFlush && profile_.Exists(path); }
    DWORD MoveOver(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override { profile_.Erase(path); }
    std::vector<Found> FindBeside(const std::string& path, const std::string& pattern) override;
    void Wait(DWORD milliseconds) override { waits.push_back(milliseconds); }

private:
    FakeProfile& profile_;
    std::string executable_;
    std::map<std::string, ULONGLONG> ages_;  // by lower-case name
    std::set<std::string> readOnly_;         // lower case
    int made_ = 0;
};

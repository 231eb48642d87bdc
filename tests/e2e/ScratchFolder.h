#pragma once
// A fresh folder under the temporary path for one test, removed with its files at the end.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class ScratchFolder {
public:
    // The folder's name ends with nameSuffix.
    explicit ScratchFolder(const std::wstring& nameSuffix = L"");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring PathOf(const std::wstring& fileName) const;

    // Copies sourcePath into the folder under fileName and returns the copy's path.
    std::wstring CopyIn(const std::wstring& sourcePath, const std::wstring& fileName) const;

    void WriteFile(const std::wstring& fileName, const std::vector<std::uint8_t>& bytes) const;
    void WriteFile(const std::wstring& fileName, const std::string& bytes) const;
    std::vector<std::uint8_t> ReadFile(const std::wstring& fileName) const;
    bool Exists(const std::wstring& fileName) const;
    // The names of the files in the folder, sorted.
    std::vector<std::wstring> FileNames() const;
    void SetReadOnly(const std::wstring& fileName, bool readOnly) const;

private:
    std::wstring path_;
};

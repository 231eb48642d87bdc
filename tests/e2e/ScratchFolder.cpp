#include "ScratchFolder.h"

#include "KernelHandles.h"
#include "Win32Error.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    OwnedFindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                // A test may have left the file read-only, which DeleteFile refuses.
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find.get(), &entry));
    }
    find.reset();
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder(const std::wstring& nameSuffix) {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1];
    if (GetTempPathW(MAX_PATH + 1, temp) == 0) {
        ThrowLastError("GetTempPathW");
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate =
            std::wstring(temp) + L"velmora-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount()) + nameSuffix;
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = std::move(candidate);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ThrowLastError("CreateDirectoryW");
        }
    }
    throw std::runtime_error("no unused scratch folder name");
}

ScratchFolder::~ScratchFolder() {
    // A process that was just ended may hold its executable for a moment longer.
    for (int attempt = 0; attempt < 20; ++attempt) {
        RemoveTree(path_);
        if (GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return;
        }
        Sleep(100);
    }
}

std::wstring ScratchFolder::PathOf(const std::wstring& fileName) const {
    return path_ + L"\\" + fileName;
}

std::wstring ScratchFolder::CopyIn(const std::wstring& sourcePath,
                                   const std::wstring& fileName) const {
    const std::wstring target = PathOf(fileName);
    if (!CopyFileW(sourcePath.c_str(), target.c_str(), TRUE)) {
        ThrowLastError("CopyFileW of " + Utf8(sourcePath));
    }
    return target;
}

void ScratchFolder::WriteFile(const std::wstring& fileName,
                              const std::vector<std::uint8_t>& bytes) const {
    OwnedKernelHandle file(CreateFileW(PathOf(fileName).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ThrowLastError("CreateFileW of " + Utf8(fileName));
    }
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
        written != bytes.size()) {
        ThrowLastError("WriteFile of " + Utf8(fileName));
    }
}

void ScratchFolder::WriteFile(const std::wstring& fileName, const std::string& bytes) const {
    WriteFile(fileName, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::vector<std::uint8_t> ScratchFolder::ReadFile(const std::wstring& fileName) const {
    OwnedKernelHandle file(CreateFileW(PathOf(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ThrowLastError("CreateFileW of " + Utf8(fileName));
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        ThrowLastError("GetFileSizeEx of " + Utf8(fileName));
    }
    std::vector<std::uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size()) {
        ThrowLastError("ReadFile of " + Utf8(fileName));
    }
    return bytes;
}

bool ScratchFolder::Exists(const std::wstring& fileName) const {
    return GetFileAttributesW(PathOf(fileName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ScratchFolder::FileNames() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(PathOf(L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(found.cFileName);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void ScratchFolder::SetReadOnly(const std::wstring& fileName, bool readOnly) const {
    const std::wstring path = PathOf(fileName);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ThrowLastError("GetFileAttributesW of " + Utf8(fileName));
    }
    const DWORD updated =
        readOnly ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~FILE_ATTRIBUTE_READONLY;
    if (!SetFileAttributesW(path.c_str(), updated)) {
        ThrowLastError("SetFileAttributesW of " + Utf8(fileName));
    }
}

#include "platform/Files.h"

#include "platform/Utf8.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

class Win32FilesFacet final : public Files {
public:
    std::string ExecutablePath() override {
        std::vector<wchar_t> path(MAX_PATH);
        for (;;) {
            DWORD length =
                GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length < path.size()) {
                return WideToUtf8({path.data(), length});
            }
            path.resize(path.size() * 2);
        }
    }

    bool FileExists(const std::string& path) override {
        DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool IsReadOnly(const std::string& path) override {
        DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    }

    std::string CreateTemporaryBeside(const std::string& path) override {
        const std::wstring folder = FolderOf(Utf8ToWide(path));
        std::vector<wchar_t> name(std::max<size_t>(MAX_PATH, folder.size() + 16));
        if (GetTempFileNameW(folder.c_str(), L"ser", 0, name.data()) == 0) {
            return {};
        }
        return WideToUtf8(name.data());
    }

    bool Copy(const std::string& from, const std::string& to) override {
        const std::wstring copy = Utf8ToWide(to);
        if (!CopyFileW(Utf8ToWide(from).c_str(), copy.c_str(), FALSE)) {
            return false;
        }
        // Only a mark for the clean-up of abandoned copies: a copy it cannot stamp is still whole.
        HANDLE file = CreateFileW(copy.c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            FILETIME now;
            GetSystemTimeAsFileTime(&now);
            SetFileTime(file, nullptr, nullptr, &now);
            CloseHandle(file);
        }
        return true;
    }

    bool Flush(const std::string& path) override {
        HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        bool flushed = FlushFileBuffers(file) != FALSE;
        CloseHandle(file);
        return flushed;
    }

    DWORD MoveOver(const std::string& from, const std::string& to) override {
        if (MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return ERROR_SUCCESS;
        }
        return GetLastError();
    }

    void Remove(const std::string& path) override {
        std::wstring name = Utf8ToWide(path);
        // A copy of a read-only file is read-only too, and DeleteFileW refuses those.
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(name.c_str());
    }

    std::vector<Found> FindBeside(const std::string& path, const std::string& pattern) override {
        const std::wstring folder = FolderOf(Utf8ToWide(path));
        std::vector<Found> found;
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileExW((folder + Utf8ToWide(pattern)).c_str(), FindExInfoBasic,
                                         &entry, FindExSearchNameMatch, nullptr, 0);
        if (search == INVALID_HANDLE_VALUE) {
            return found;
        }
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                found.push_back({WideToUtf8(folder + entry.cFileName),
                                 MillisecondsBetween(entry.ftCreationTime, now)});
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        return found;
    }

    void Wait(DWORD milliseconds) override { Sleep(milliseconds); }

private:
    // With its final separator; "." and a separator when the path names no folder.
    static std::wstring FolderOf(std::wstring path) {
        path.erase(std::min(path.find_last_of(L"\\/") + 1, path.size()));
        return path.empty() ? L".\\" : path;
    }

    // Zero for a time after `now`, as a clock set back can leave.
    static ULONGLONG MillisecondsBetween(FILETIME earlier, FILETIME now) {
        ULARGE_INTEGER from{{earlier.dwLowDateTime, earlier.dwHighDateTime}};
        ULARGE_INTEGER to{{now.dwLowDateTime, now.dwHighDateTime}};
        return to.QuadPart > from.QuadPart ? (to.QuadPart - from.QuadPart) / 10000 : 0;
    }
};

}  // namespace

Files& Win32Files() {
    static Win32FilesFacet files;
    return files;
}

}  // namespace platform

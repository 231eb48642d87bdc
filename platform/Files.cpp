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

    std::string CreateTemporaryBeside(const std::string& path) override {
        std::wstring folder = Utf8ToWide(path);
        folder.erase(std::min(folder.find_last_of(L"\\/") + 1, folder.size()));
        if (folder.empty()) {
            folder = L".";
        }
        std::vector<wchar_t> name(std::max<size_t>(MAX_PATH, folder.size() + 16));
        if (GetTempFileNameW(folder.c_str(), L"ser", 0, name.data()) == 0) {
            return {};
        }
        return WideToUtf8(name.data());
    }

    bool Copy(const std::string& from, const std::string& to) override {
        return CopyFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), FALSE) != FALSE;
    }

    bool MoveOver(const std::string& from, const std::string& to) override {
        return MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }

    void Remove(const std::string& path) override {
        std::wstring name = Utf8ToWide(path);
        // A copy of a read-only file is read-only too, and DeleteFileW refuses those.
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(name.c_str());
    }
};

}  // namespace

Files& Win32Files() {
    static Win32FilesFacet files;
    return files;
}

}  // namespace platform

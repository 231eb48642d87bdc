#include "platform/Files.h"

#include "platform/Utf8.h"

#include <windows.h>

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
};

}  // namespace

Files& Win32Files() {
    static Win32FilesFacet files;
    return files;
}

}  // namespace platform

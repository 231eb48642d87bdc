#include "platform/Files.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

class Win32FilesFacet final : public Files {
public:
    std::string ExecutablePath() override {
        std::vector<char> path(MAX_PATH);
        for (;;) {
            DWORD length =
                GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length < path.size()) {
                return std::string(path.data(), length);
            }
            path.resize(path.size() * 2);
        }
    }

    bool FileExists(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
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

#include "platform/NotifyArea.h"

#include <vector>

namespace platform {
namespace {

DWORD ReadShellVersion() {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA("shell32.dll", &ignored);
    if (size == 0) {
        return 0;
    }
    std::vector<char> block(size);
    if (!GetFileVersionInfoA("shell32.dll", 0, size, block.data())) {
        return 0;
    }
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
        return 0;
    }
    return static_cast<const VS_FIXEDFILEINFO*>(value)->dwFileVersionMS;
}

class Win32NotifyAreaFacet final : public NotifyArea {
public:
    bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) override {
        return Shell_NotifyIconA(message, &data) != FALSE;
    }

    // A refusal leaves the program as it would be without an elevated run: nothing to report.
    void AllowMessage(HWND window, UINT message) override {
        ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
    }

    // Read once for the process's life; a version that could not be read is asked again.
    DWORD ShellVersion() override {
        if (version_ == 0) {
            version_ = ReadShellVersion();
        }
        return version_;
    }

private:
    DWORD version_ = 0;
};

}  // namespace

NotifyArea& Win32NotifyArea() {
    static Win32NotifyAreaFacet area;
    return area;
}

}  // namespace platform

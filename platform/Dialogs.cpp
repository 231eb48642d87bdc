#include "platform/Dialogs.h"

#include <windows.h>

namespace platform {
namespace {

class Win32DialogsFacet final : public Dialogs {
public:
    void ShowError(const std::wstring& text, const std::wstring& caption) override {
        MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
};

}  // namespace

Dialogs& Win32Dialogs() {
    static Win32DialogsFacet dialogs;
    return dialogs;
}

}  // namespace platform

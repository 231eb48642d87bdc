#pragma once
#include <string>

namespace platform {

// The one dialog the program ever shows: why it could not start.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal error box without owner, waiting for the user's OK.
    virtual void ShowError(const std::wstring& text, const std::wstring& caption) = 0;
};

Dialogs& Win32Dialogs();

}  // namespace platform

#include "platform/Profile.h"

#include "platform/Utf8.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace platform {
namespace {

// A null argument stays null: it means "every section" or "flush" to the functions.
class WideArgument {
public:
    explicit WideArgument(const char* text) {
        if (text != nullptr) {
            text_ = Utf8ToWide(text);
        }
    }
    const wchar_t* get() const { return text_ ? text_->c_str() : nullptr; }

private:
    std::optional<std::wstring> text_;
};

class Win32ProfileFacet final : public Profile {
public:
    std::string ReadString(const char* section, const char* key, const char* defaultValue,
                           const char* fileName, unsigned bufferSize) override {
        std::vector<wchar_t> buffer(bufferSize, L'\0');
        DWORD length = GetPrivateProfileStringW(
            WideArgument(section).get(), WideArgument(key).get(), WideArgument(defaultValue).get(),
            buffer.data(), bufferSize, WideArgument(fileName).get());
        return WideToUtf8({buffer.data(), length});
    }

    bool WriteString(const char* section, const char* key, const char* value,
                     const char* fileName) override {
        return WritePrivateProfileStringW(WideArgument(section).get(), WideArgument(key).get(),
                                          WideArgument(value).get(),
                                          WideArgument(fileName).get()) != FALSE;
    }
};

}  // namespace

Profile& Win32Profile() {
    static Win32ProfileFacet profile;
    return profile;
}

}  // namespace platform

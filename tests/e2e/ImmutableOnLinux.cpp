#include "ImmutableOnLinux.h"

#include "KernelHandles.h"
#include "WaitUntil.h"
#include "Win32Error.h"

#include <windows.h>

#include <optional>

namespace {

constexpr DWORD kTakesEffectMs = 5000;
const wchar_t* const kChattr = L"Z:\\usr\\bin\\chattr";

// Wine's kernel32 tells where a Windows path lies in the Unix file system.
std::optional<std::string> UnixPathOf(const std::wstring& windowsPath) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    // Through void*, so that the compiler does not take the cast for a mistake.
    auto convert = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr) {
        return std::nullopt;
    }
    char* path = convert(windowsPath.c_str());
    if (path == nullptr) {
        return std::nullopt;
    }
    std::string unixPath(path);
    HeapFree(GetProcessHeap(), 0, path);
    return unixPath;
}

std::wstring FromUtf8(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// Wine starts a Unix program named by its Windows path; it is not waited for, since Wine gives
// no exit code for it: the caller watches for the effect instead.
bool StartChattr(const std::string& flag, const std::string& unixPath) {
    std::wstring commandLine = L"chattr " + FromUtf8(flag) + L" \"" + FromUtf8(unixPath) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(kChattr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    OwnedKernelHandle process(info.hProcess);
    OwnedKernelHandle thread(info.hThread);
    return true;
}

// A file can be opened for writing; a folder takes a new file.
bool IsWritable(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        OwnedKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(file);
    }
    const std::wstring probe = path + L"\\write-probe";
    bool created = false;
    {
        OwnedKernelHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        created = static_cast<bool>(file);
    }
    if (created) {
        DeleteFileW(probe.c_str());
    }
    return created;
}

}  // namespace

ImmutableOnLinux::ImmutableOnLinux(std::wstring windowsPath)
    : windowsPath_(std::move(windowsPath)) {
    std::optional<std::string> unixPath = UnixPathOf(windowsPath_);
    if (!unixPath) {
        failure_ = "not running under Wine: no Unix path for " + Utf8(windowsPath_);
        return;
    }
    unixPath_ = *unixPath;
    if (!StartChattr("+i", unixPath_)) {
        failure_ = "chattr could not be started";
        return;
    }
    holds_ = WaitUntil([&] { return !IsWritable(windowsPath_); }, kTakesEffectMs);
    if (!holds_) {
        failure_ = "chattr +i had no effect on " + unixPath_;
        // It may yet take effect: clear it all the same.
        StartChattr("-i", unixPath_);
    }
}

ImmutableOnLinux::~ImmutableOnLinux() {
    if (holds_ && StartChattr("-i", unixPath_)) {
        WaitUntil([&] { return IsWritable(windowsPath_); }, kTakesEffectMs);
    }
}

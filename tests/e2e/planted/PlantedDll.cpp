// A DLL that someone left beside the executable, under the name of a system DLL. It leaves
// "<its name>.loaded" beside itself when a process maps it, and "<its name>.called" when one of
// its functions is called; the functions do nothing else.

#include <windows.h>

#include <string>

namespace {

HINSTANCE self;

void LeaveMark(const wchar_t* mark) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    std::wstring name = std::wstring(path, length) + mark;
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

}  // namespace

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR, LPDWORD) {
    LeaveMark(L".called");
    return 0;
}
BOOL WINAPI GetFileVersionInfoA(LPCSTR, DWORD, DWORD, LPVOID) {
    LeaveMark(L".called");
    return FALSE;
}
BOOL WINAPI VerQueryValueA(LPCVOID, LPCSTR, LPVOID*, PUINT) {
    LeaveMark(L".called");
    return FALSE;
}
BOOL WINAPI EmptyWorkingSet(HANDLE) {
    LeaveMark(L".called");
    return TRUE;
}
// Wine's own user32 imports these.
DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR, LPDWORD) {
    return 0;
}
BOOL WINAPI GetFileVersionInfoW(LPCWSTR, DWORD, DWORD, LPVOID) {
    return FALSE;
}
BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID*, PUINT) {
    return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        self = instance;
        LeaveMark(L".loaded");
    }
    return TRUE;
}

}  // extern "C"

// Timings of the sweeps and the readout, and the size of the shipped executable; run by hand,
// not one of the tests. The executable's path may be given as --velmora=PATH; by default it is
// Velmora.exe in the folder above the bench's own.

#include "bench/Benches.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring DefaultExecutable() {
    wchar_t own[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring path = own;
    for (int levels = 0; levels < 2 && path.find_last_of(L"\\/") != std::wstring::npos; ++levels) {
        path.resize(path.find_last_of(L"\\/"));
    }
    return path + L"\\Velmora.exe";
}

void PrintExecutableSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        std::printf("Velmora.exe: not found\n");
        return;
    }
    const unsigned long long size =
        (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    std::printf("Velmora.exe: %llu bytes (%.1f KiB, limit 512 KiB)\n", size, size / 1024.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring executable = DefaultExecutable();
    const std::wstring option = L"--velmora=";
    for (int i = 1; i < argc; ++i) {
        if (std::wstring(argv[i]).starts_with(option)) {
            executable = std::wstring(argv[i]).substr(option.size());
        }
    }
    PrintExecutableSize(executable);
    const bool sweeps = BenchSweeps();
    const bool readouts = BenchReadouts();
    return sweeps && readouts ? 0 : 1;
}

#include "E2eOptions.h"

E2eOptions& Options() {
    static E2eOptions options;
    return options;
}

std::wstring WindowsPathFromUnix(std::wstring_view path) {
    if (path.empty() || path.front() != L'/') {
        return std::wstring(path);
    }
    std::wstring windowsPath = L"Z:";
    for (wchar_t c : path) {
        windowsPath += c == L'/' ? L'\\' : c;
    }
    return windowsPath;
}

std::optional<E2eOptions> ParseOptions(int argc, wchar_t** argv, std::wstring& error) {
    constexpr std::wstring_view velmoraFlag = L"--velmora=";
    constexpr std::wstring_view picturesFlag = L"--pictures=";
    E2eOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        if (argument.starts_with(velmoraFlag)) {
            options.velmora = WindowsPathFromUnix(argument.substr(velmoraFlag.size()));
        } else if (argument.starts_with(picturesFlag)) {
            options.pictures = WindowsPathFromUnix(argument.substr(picturesFlag.size()));
        } else {
            error = L"unknown argument: " + std::wstring(argument);
            return std::nullopt;
        }
    }
    if (options.velmora.empty() || options.pictures.empty()) {
        error = L"usage: velmora_e2e --velmora=<path of Velmora.exe> --pictures=<folder>";
        return std::nullopt;
    }
    return options;
}

#pragma once
// The command line of the end-to-end run: the program to drive and where to leave pictures.

#include <optional>
#include <string>
#include <string_view>

struct E2eOptions {
    std::wstring velmora;   // Windows path of the built Velmora.exe
    std::wstring pictures;  // Windows path of the folder that receives the PNG pictures
};

// Set once by main before the tests run.
E2eOptions& Options();

// CMake hands Unix paths; under Wine the root of the Unix file system is drive Z:.
// Paths that already name a drive are returned unchanged.
std::wstring WindowsPathFromUnix(std::wstring_view path);

// Reads --velmora= and --pictures=, both required; arguments gtest left are an error.
// Returns the options, or nullopt with a message in error.
std::optional<E2eOptions> ParseOptions(int argc, wchar_t** argv, std::wstring& error);

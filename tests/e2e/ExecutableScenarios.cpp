// What is shipped: one 64-bit Windows GUI executable that needs nothing but the system's DLLs,
// marked for the places it is run from.

#include "E2eOptions.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <imagehlp.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<char> ReadAll(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

template <typename T>
T At(const std::vector<char>& image, size_t offset) {
    T value{};
    if (offset + sizeof value <= image.size()) {
        std::memcpy(&value, image.data() + offset, sizeof value);
    }
    return value;
}

// The file offset of a relative virtual address, through the section table.
size_t FileOffset(const std::vector<char>& image, const IMAGE_NT_HEADERS64& headers,
                  size_t headersOffset, DWORD rva) {
    size_t sections = headersOffset + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                      headers.FileHeader.SizeOfOptionalHeader;
    for (WORD i = 0; i < headers.FileHeader.NumberOfSections; ++i) {
        auto section = At<IMAGE_SECTION_HEADER>(image, sections + i * sizeof(IMAGE_SECTION_HEADER));
        if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
            return rva - section.VirtualAddress + section.PointerToRawData;
        }
    }
    return image.size();
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

TEST(VelmoraExecutable, IsA64BitGuiProgramThatImportsOnlySystemDlls) {
    const std::vector<char> image = ReadAll(Options().velmora);
    ASSERT_GT(image.size(), 4096u);
    EXPECT_LE(image.size(), 512u * 1024u) << "the executable stays within 512 KiB";
    ASSERT_EQ(At<WORD>(image, 0), IMAGE_DOS_SIGNATURE);
    const size_t headersOffset = At<LONG>(image, offsetof(IMAGE_DOS_HEADER, e_lfanew));
    const auto headers = At<IMAGE_NT_HEADERS64>(image, headersOffset);
    ASSERT_EQ(headers.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(headers.FileHeader.TimeDateStamp, 0u) << "the image carries no build time";
    EXPECT_EQ(headers.FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(headers.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    EXPECT_EQ(headers.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    const IMAGE_DATA_DIRECTORY imports =
        headers.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(imports.VirtualAddress, 0u);
    // Windows' known DLLs, which it always takes from the system folder (ole32 for COM, which the
    // shell may need), and the common controls, which the manifest binds to the system's
    // side-by-side assembly. Any other DLL would be looked for first beside the executable.
    const std::set<std::string> system{"kernel32.dll", "user32.dll",  "gdi32.dll",
                                       "shell32.dll",  "ole32.dll",   "msvcrt.dll",
                                       "advapi32.dll", "comctl32.dll"};
    size_t descriptor = FileOffset(image, headers, headersOffset, imports.VirtualAddress);
    std::vector<std::string> names;
    for (;; descriptor += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        auto entry = At<IMAGE_IMPORT_DESCRIPTOR>(image, descriptor);
        if (entry.Name == 0) {
            break;
        }
        size_t name = FileOffset(image, headers, headersOffset, entry.Name);
        ASSERT_LT(name, image.size());
        names.push_back(Lower(std::string(image.data() + name)));
    }
    EXPECT_FALSE(names.empty());
    for (const std::string& name : names) {
        EXPECT_TRUE(system.count(name) != 0) << "imports " << name;
    }
}

TEST(VelmoraExecutable, RunsFromSwapAndHoldsItsImportsOwnImportsToTheSystemFolder) {
    const std::vector<char> image = ReadAll(Options().velmora);
    const size_t headersOffset = At<LONG>(image, offsetof(IMAGE_DOS_HEADER, e_lfanew));
    const auto headers = At<IMAGE_NT_HEADERS64>(image, headersOffset);
    ASSERT_EQ(headers.Signature, IMAGE_NT_SIGNATURE);
    // Started from a USB stick or a share, the image goes to the page file first: the program
    // trims its own working set, and its code must not be read back from media that went away.
    const WORD fromSwap = IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP;
    EXPECT_EQ(headers.FileHeader.Characteristics & fromSwap, fromSwap);

    const IMAGE_DATA_DIRECTORY entry =
        headers.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
    ASSERT_NE(entry.VirtualAddress, 0u) << "no load configuration";
    const size_t configuration = FileOffset(image, headers, headersOffset, entry.VirtualAddress);
    ASSERT_LE(configuration + sizeof(IMAGE_LOAD_CONFIG_DIRECTORY64), image.size());
    const auto loadConfiguration = At<IMAGE_LOAD_CONFIG_DIRECTORY64>(image, configuration);
    EXPECT_EQ(loadConfiguration.Size, entry.Size);
    EXPECT_GE(loadConfiguration.Size, offsetof(IMAGE_LOAD_CONFIG_DIRECTORY64, Reserved1) + 2);
    // DependentLoadFlags, which these headers' older form of the structure calls Reserved1.
    EXPECT_EQ(loadConfiguration.Reserved1, LOAD_LIBRARY_SEARCH_SYSTEM32);
    EXPECT_EQ(loadConfiguration.SecurityCookie, 0u) << "the runtime keeps its own cookie";

    DWORD inHeader = 0;
    DWORD computed = 0;
    std::wstring path = Options().velmora;
    ASSERT_EQ(MapFileAndCheckSumW(path.data(), &inHeader, &computed), CHECKSUM_SUCCESS);
    EXPECT_EQ(inHeader, computed) << "the checksum was not made again after the marks";
}

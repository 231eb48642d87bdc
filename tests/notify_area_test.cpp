// What the tray icon stands on: the shell's version, read from shell32, and the icon images that
// the program carries for every scale of the notification area.

#include "fakes/FakeModuleLoader.h"
#include "platform/NotifyArea.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

TEST(ShellVersion, IsReadFromShell32sVersionInformation) {
    // Wine's shell32 carries the version of the shells that speak the newer protocol.
    DWORD version = platform::Win32NotifyArea().ShellVersion();
    EXPECT_GE(version, 0x50000u);
    EXPECT_EQ(platform::Win32NotifyArea().ShellVersion(), version);

    // Taken from the system folder only; where it cannot be, the version is unknown.
    FakeModuleLoader modules;
    modules.AnswerLoad("version.dll", reinterpret_cast<HMODULE>(0x7000));
    EXPECT_EQ(platform::MakeWin32NotifyArea(modules)->ShellVersion(), 0u);
    EXPECT_EQ(modules.SystemFolderLoads(), std::vector<std::wstring>{L"version.dll"});
    EXPECT_TRUE(modules.Loads().empty());
}

TEST(ProgramIcon, HoldsAnImageForEveryScaleOfTheNotificationArea) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, L"MAINICON", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(group, nullptr);
    WORD count = 0;
    std::memcpy(&count, group + 4, sizeof count);
    struct Image {
        int width;
        int bits;
        bool operator==(const Image&) const = default;
    };
    std::vector<Image> images;
    for (int i = 0; i < count; ++i) {
        // Each entry: width, height, colours, reserved, planes, bit count, size, identifier.
        const BYTE* entry = group + 6 + 14 * i;
        WORD bits = 0;
        std::memcpy(&bits, entry + 6, sizeof bits);
        EXPECT_EQ(entry[0], entry[1]);
        images.push_back({entry[0] == 0 ? 256 : entry[0], bits});
    }
    // Small icons at 100, 125, 150 and 200 %, each drawn for its size: none is stretched.
    EXPECT_EQ(images, (std::vector<Image>{{48, 24}, {32, 32}, {24, 32}, {20, 32}, {16, 32}}));
}

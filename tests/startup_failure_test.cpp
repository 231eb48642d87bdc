// A program that cannot start says why in one box and ends with a non-zero code, leaving no
// window behind.

#include "app/Program.h"
#include "fakes/FakePlatform.h"
#include "fakes/ScopedFacet.h"
#include "framework/Application.h"
#include "platform/Facets.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string MainFormResource() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, L"TForm1", MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL data = resource != nullptr ? LoadResource(module, resource) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return std::string(static_cast<const char*>(LockResource(data)),
                       SizeofResource(module, resource));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The program's own top-level windows on this thread; their classes all begin with a T.
int ProgramWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) {
            wchar_t name[64] = L"";
            GetClassNameW(window, name, 64);
            if (name[0] == L'T') {
                ++*reinterpret_cast<int*>(counter);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

TEST(StartupFailure, ABrokenMainWindowIsToldInOneBoxAndEndsTheProgram) {
    const std::string resource = MainFormResource();
    ASSERT_FALSE(resource.empty());
    struct Case {
        const char* what;
        std::string text;
        std::wstring named;  // what the message must name
    };
    const Case cases[] = {
        {"another class at the top", Replaced(resource, ": TForm1", ": TForm2"), L"TForm2"},
        {"a handler the window lacks, found once all is read",
         Replaced(resource, "OnTimer = Timer3Timer", "OnTimer = Timer9Timer"), L"Timer9Timer"},
        {"a property unknown to the last component",
         Replaced(resource, "object XPManifest1: TXPManifest",
                  "object XPManifest1: TXPManifest\n    Couleur = 3"),
         L"Couleur"},
        {"a text cut off halfway", resource.substr(0, resource.size() / 2), L"ligne"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int windowsBefore = ProgramWindows();
        FakeDialogs dialogs;
        ScopedFacet swap(platform::Current().dialogs, dialogs);

        EXPECT_EQ(RunVelmora(c.text), 1);

        ASSERT_EQ(dialogs.errors.size(), 1u);
        EXPECT_EQ(dialogs.errors[0].caption, L"Velmora");
        EXPECT_TRUE(dialogs.errors[0].text.starts_with(L"Ressource de fiche, ligne "))
            << platform::WideToUtf8(dialogs.errors[0].text);
        EXPECT_NE(dialogs.errors[0].text.find(c.named), std::wstring::npos);
        EXPECT_EQ(Application, nullptr);
        EXPECT_EQ(ProgramWindows(), windowsBefore) << "a window of the failed start is left";
    }
}

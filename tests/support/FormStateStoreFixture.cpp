#include "support/FormStateStoreFixture.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <fstream>
#include <random>

namespace {

std::filesystem::path NewFolder() {
    std::random_device random;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("velmora-store-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

std::string StoreWindowText(const std::string& name, const std::string& storeProperties,
                            const std::string& formProperties) {
    return "object " + name + ": TTextForm\n" + formProperties +
           "  object Minutes_1: TSpinEdit\n    Value = 5\n  end\n"
           "  object Beta_1: TCheckBox\n    Checked = True\n  end\n"
           "  object Plain: TCheckBox\n    Checked = True\n  end\n"
           "  object Alpha_1: TCheckBox\n    Checked = True\n  end\n"
           "  object Store: TSvgEditIni\n" +
           storeProperties + "  end\nend\n";
}

bool IsFlush(const RecordingProfile::Write& write) {
    return write.IsFlush();
}

bool IsWriteTo(const RecordingProfile::Write& write, const std::string& key) {
    return write.key == key;
}

FormStateStoreTest::FormStateStoreTest()
    : folder(NewFolder()), stateFile(platform::WideToUtf8((folder / L"serie.ini").wstring())) {
    files.executable = platform::WideToUtf8((folder / L"Velmora.exe").wstring());
    files.sleeps = false;
    app->Initialize();
}

FormStateStoreTest::~FormStateStoreTest() {
    app.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void FormStateStoreTest::MakeFileOfAge(const std::string& path, ULONGLONG ageMs) {
    std::ofstream(std::filesystem::path(platform::Utf8ToWide(path)));
    files.ages.emplace_back(path, ageMs);
}

size_t FormStateStoreTest::CountWritesTo(const std::string& key) const {
    return static_cast<size_t>(
        std::count_if(profile.Writes().begin(), profile.Writes().end(),
                      [&](const auto& call) { return IsWriteTo(call, key); }));
}

size_t FormStateStoreTest::CountFlushes() const {
    return static_cast<size_t>(
        std::count_if(profile.Writes().begin(), profile.Writes().end(), IsFlush));
}

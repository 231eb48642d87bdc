// Generated settings files, broken in every way a file edited by hand or damaged can be, loaded
// by the real window through the platform's profile functions: nothing escapes, the minutes and
// the boxes follow the reading rules, a close leaves the bytes that writing the four values
// straight into the file would, and what it saves loads back the same.

#include "support/MainWindowFixture.h"

#include "controls/Spin.h"
#include "settings/SvgEditIni.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kFiles = 1000;
constexpr int kFilesPerStart = 20;
constexpr uint32_t kSeed = 20261208;
const char* const kKeys[] = {"SpinEdit_1", "Firefox_1", "i_explore", "Chrome_1"};

// The settings' integer syntax, written apart from the program's own: leading blanks (spaces
// and tabs, as the platform's reader has them), a sign,
// then decimal digits within 32 bits, or a hexadecimal pattern of at most 32 bits after $, x,
// X, 0x or 0X; nothing else.
std::optional<int32_t> ReadInteger(std::string text) {
    size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+') {
        ++at;
    }
    int base = 10;
    for (const char* prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.compare(at, std::string(prefix).size(), prefix) == 0) {
            base = 16;
            at += std::string(prefix).size();
            break;
        }
    }
    if (at == text.size()) {
        return std::nullopt;
    }
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : negative ? 2147483648ull : 2147483647ull;
    uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        int digit = c >= '0' && c <= '9'                 ? c - '0'
                    : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                         : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    if (base == 16) {
        const auto pattern = static_cast<uint32_t>(magnitude);
        return static_cast<int32_t>(negative ? 0u - pattern : pattern);
    }
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude)
                                         : static_cast<int64_t>(magnitude));
}

// Files that a person, a crash or a stray program could leave, from one fixed seed.
class SettingsFileMaker {
public:
    explicit SettingsFileMaker(uint32_t seed) : random_(seed) {}

    std::string Next() {
        std::string text;
        switch (Below(12)) {
            case 0:
                text = Bytes(Below(600));  // noise from start to end
                break;
            case 1:
                text = Bytes(Below(200)) + "\r\n" + Lines();  // noise, then a usable file
                break;
            case 2:
                text = std::string(5000 + Below(15000), 'A' + Below(26)) + "\r\n" + Lines();
                break;
            default:
                text = Lines();
                break;
        }
        return Below(8) == 0 ? Utf16(text) : text;
    }

private:
    uint32_t Below(uint32_t bound) { return random_() % bound; }
    bool OneIn(uint32_t chances) { return Below(chances) == 0; }

    std::string Bytes(size_t count) {
        std::string bytes;
        for (size_t i = 0; i < count; ++i) {
            bytes += static_cast<char>(Below(256));
        }
        return bytes;
    }

    std::string LineEnd() {
        static const char* const kEnds[] = {"\r\n", "\r\n", "\n", "\r"};
        return kEnds[Below(4)];
    }

    std::string Section() {
        static const char* const kSections[] = {"[Form1]",  "[Form1]",   "[form1]", "[FORM1]",
                                                "[Form1",   "Form1]",    "Form1",   "[Form2]",
                                                "[Form1]x", "[ Form1 ]", "[]",      ""};
        return kSections[Below(std::size(kSections))];
    }

    std::string Key() {
        std::string key = kKeys[Below(4)];
        switch (Below(8)) {
            case 0:
                for (char& c : key) {
                    c = static_cast<char>(OneIn(2) ? toupper(c) : tolower(c));
                }
                break;
            case 1:
                key = " " + key + " ";
                break;
            case 2:
                key.pop_back();  // a near miss
                break;
            case 3:
                key = Bytes(1 + Below(12));
                break;
            default:
                break;
        }
        return key;
    }

    std::string Digits(int base, size_t count) {
        static const char kDigits[] = "0123456789abcdefABCDEF";
        std::string digits;
        for (size_t i = 0; i < count; ++i) {
            digits += base == 10 ? kDigits[Below(10)] : kDigits[Below(22)];
        }
        return digits;
    }

    std::string Number() {
        static const char* const kPrefixes[] = {"", "", "$", "x", "X", "0x", "0X", "0", "&H"};
        static const char* const kSigns[] = {"", "", "-", "+", "--", " ", "  -", "\t"};
        static const char* const kEdges[] = {
            "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295",
            "$FFFFFFFF",  "$100000000", "0x7FFFFFFF",  "0x80000000",  "-0x80000000",
            "x0",         "-$1",        "0",           "-0",          "00000000000000000000030",
            "0x",         "$",          "-",           "+",           "1e3",
            "12 ",        " 12",        "0b101",       "30",          "0x1E"};
        if (OneIn(3)) {
            return kEdges[Below(std::size(kEdges))];
        }
        const char* prefix = kPrefixes[Below(std::size(kPrefixes))];
        const int base = std::string(prefix).empty() || std::string(prefix) == "0" ? 10 : 16;
        return kSigns[Below(std::size(kSigns))] + std::string(prefix) + Digits(base, 1 + Below(11));
    }

    std::string Value() {
        switch (Below(10)) {
            case 0:
                return "";
            case 1:
                return Bytes(Below(40));
            case 2:
                return std::string(2000 + Below(4000), '1');  // longer than a read can hold
            case 3:
                return "\"" + Number() + "\"";
            default:
                return Number();
        }
    }

    std::string Lines() {
        std::string text;
        const uint32_t sections = Below(3) + 1;
        for (uint32_t s = 0; s < sections; ++s) {
            text += Section() + LineEnd();
            const uint32_t keys = Below(7);
            for (uint32_t k = 0; k < keys; ++k) {
                if (OneIn(10)) {
                    text += "; " + Bytes(Below(30)) + LineEnd();
                }
                text += Key() + (OneIn(6) ? " = " : "=") + Value() + LineEnd();
            }
        }
        return text;
    }

    // Little-endian UTF-16 with its byte-order mark; bytes past ASCII go as Latin-1.
    static std::string Utf16(const std::string& text) {
        std::string wide = "\xFF\xFE";
        for (char c : text) {
            wide += c;
            wide += '\0';
        }
        return wide;
    }

    std::mt19937 random_;
};

// The file for a failure message: its start, with bytes past printable ASCII escaped.
std::string Printable(const std::string& contents) {
    std::string shown;
    for (char c : contents.substr(0, 400)) {
        if (c >= ' ' && c <= '~') {
            shown += c;
        } else {
            static const char kHex[] = "0123456789ABCDEF";
            shown += std::string("\\x") + kHex[(c >> 4) & 0xF] + kHex[c & 0xF];
        }
    }
    return contents.size() > 400 ? shown + "..." : shown;
}

struct Settings {
    int32_t minutes;
    bool firefox;
    bool internetExplorer;
    bool chrome;
    bool operator==(const Settings&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Settings& s) {
    return out << "minutes " << s.minutes << ", Firefox " << s.firefox << ", IE "
               << s.internetExplorer << ", Chrome " << s.chrome;
}

class SettingsFuzzTest : public MainWindowTest {
protected:
    // The raw text the platform gives for a key of the section Form1, in a read of the store's
    // size, and the values the reading rules make of it.
    Settings Expected() const {
        auto raw = [&](const char* key) {
            char buffer[2048] = "";
            GetPrivateProfileStringA("Form1", key, "", buffer, sizeof buffer, StateFile().c_str());
            return std::string(buffer);
        };
        auto box = [&](const char* key) { return ReadInteger(raw(key)).value_or(1) != 0; };
        return {ReadInteger(raw("SpinEdit_1")).value_or(0), box("Firefox_1"), box("i_explore"),
                box("Chrome_1")};
    }

    // What writing the four values straight into a copy of the file gives, one call after
    // another, as a save without its own copy would leave it.
    std::string DirectSave(const std::string& contents, const Settings& values) const {
        const std::filesystem::path reference =
            folder.parent_path() / (folder.filename().string() + "-direct.ini");
        std::ofstream(reference, std::ios::binary) << contents;
        const std::pair<const wchar_t*, std::wstring> writes[] = {
            {L"SpinEdit_1", std::to_wstring(values.minutes)},
            {L"Firefox_1", values.firefox ? L"1" : L"0"},
            {L"i_explore", values.internetExplorer ? L"1" : L"0"},
            {L"Chrome_1", values.chrome ? L"1" : L"0"}};
        for (const auto& [key, value] : writes) {
            WritePrivateProfileStringW(L"Form1", key, value.c_str(), reference.c_str());
        }
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, reference.c_str());
        std::string bytes = Contents(reference);
        std::filesystem::remove(reference);
        return bytes;
    }

    static std::string Contents(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    Settings Shown() const {
        return {form->SpinEdit_1->Value(), form->Firefox_1->Checked(), form->i_explore->Checked(),
                form->Chrome_1->Checked()};
    }
};

}  // namespace

TEST_F(SettingsFuzzTest, AThousandBrokenFilesLoadByTheRulesAndSaveWhatLoadsBack) {
    SettingsFileMaker maker(kSeed);
    for (int i = 0; i < kFiles; ++i) {
        const std::string contents = maker.Next();
        WriteStateFile(contents);
        const Settings expected = Expected();

        // Every so often a whole start, as the program makes it; otherwise the same window
        // loads the next file, as its creation does.
        if (i % kFilesPerStart == 0) {
            app.reset();
            ASSERT_NO_THROW(Start()) << "file " << i;
        } else {
            ASSERT_NO_THROW(form->SvgEditIni1->LoadState()) << "file " << i;
        }
        ASSERT_EQ(Shown(), expected) << "file " << i << ": " << Printable(contents);

        const std::string direct = DirectSave(contents, expected);
        TCloseAction action = TCloseAction::caHide;
        ASSERT_NO_THROW(form->OnClose(form, action)) << "file " << i;
        ASSERT_EQ(Contents(StateFile()), direct)
            << "file " << i << " saved as straight writes save it: " << Printable(contents);
        ASSERT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
            << "file " << i << ": only serie.ini is left";
        form->SpinEdit_1->SetValue(expected.minutes ^ 1);
        form->Firefox_1->SetChecked(!expected.firefox);
        form->i_explore->SetChecked(!expected.internetExplorer);
        form->Chrome_1->SetChecked(!expected.chrome);
        form->SvgEditIni1->LoadState();
        ASSERT_EQ(Shown(), expected) << "file " << i << " loaded back after its save";
    }
    EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "");
}

// The user's regional settings as the readout and the minutes field read them.

#include "platform/Regional.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Sets the user's thousands separator for the test's life and puts the old one back.
class ScopedThousandSeparator {
public:
    explicit ScopedThousandSeparator(const wchar_t* separator) {
        wchar_t old[8] = {};
        saved_ = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, old, 8) != 0;
        old_ = old;
        accepted_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator) != FALSE;
    }
    ~ScopedThousandSeparator() {
        if (saved_) {
            SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, old_.c_str());
        }
    }
    bool Accepted() const { return accepted_; }

private:
    bool saved_ = false;
    bool accepted_ = false;
    std::wstring old_;
};

}  // namespace

TEST(RegionalSettings, AnEmptyThousandsSeparatorGivesNoSeparator) {
    {
        ScopedThousandSeparator none(L"");
        ASSERT_TRUE(none.Accepted());
        EXPECT_EQ(platform::Win32RegionalSettings().ThousandSeparator(), "");
    }
    ScopedThousandSeparator apostrophe(L"'");
    ASSERT_TRUE(apostrophe.Accepted());
    EXPECT_EQ(platform::Win32RegionalSettings().ThousandSeparator(), "'");
}

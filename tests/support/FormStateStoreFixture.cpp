#include "support/FormStateStoreFixture.h"

#include <algorithm>

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

bool IsFlush(const FakeProfile::Call& call) {
    return call.kind == FakeProfile::CallKind::Write && !call.section && !call.key && !call.value;
}

bool IsWriteTo(const FakeProfile::Call& call, const std::string& key) {
    return call.kind == FakeProfile::CallKind::Write && call.key == key;
}

FormStateStoreTest::FormStateStoreTest() {
    app->Initialize();
}

size_t FormStateStoreTest::CountWritesTo(const std::string& key) const {
    return static_cast<size_t>(
        std::count_if(profile.Calls().begin(), profile.Calls().end(),
                      [&](const auto& call) { return IsWriteTo(call, key); }));
}

size_t FormStateStoreTest::CountFlushes() const {
    return static_cast<size_t>(
        std::count_if(profile.Calls().begin(), profile.Calls().end(), IsFlush));
}

#pragma once
// Windows built from test text over a state file held in memory, so that every read, write and
// failure of the form state store can be seen.

#include "fakes/FakePlatform.h"
#include "fakes/FakeProfile.h"
#include "fakes/ScopedFacet.h"
#include "framework/Application.h"
#include "platform/Facets.h"
#include "support/TextForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Where the store looks with the fake executable at C:\Velmora\Velmora.exe.
inline constexpr const char* kFakeStateFile = "C:\\Velmora\\serie.ini";

// A window with a spin edit "Minutes_1", boxes "Beta_1", "Plain" and "Alpha_1", all in this
// order, and then a store "Store" with the given properties.
std::string StoreWindowText(const std::string& name, const std::string& storeProperties = "",
                            const std::string& formProperties = "");

bool IsFlush(const FakeProfile::Call& call);
bool IsWriteTo(const FakeProfile::Call& call, const std::string& key);

class FormStateStoreTest : public testing::Test {
protected:
    FormStateStoreTest();

    TextForm* Build(const std::string& text) { return TextForm::Build(app.get(), text); }

    template <typename T>
    static T* Find(TForm* form, const std::string& name) {
        return dynamic_cast<T*>(form->FindComponent(name));
    }

    size_t CountWritesTo(const std::string& key) const;
    size_t CountFlushes() const;

    FakeProfile profile{kFakeStateFile};
    FakeProfileFiles files{profile, "C:\\Velmora\\Velmora.exe"};
    ScopedFacet<platform::Profile> profileSwap_{platform::Current().profile, profile};
    ScopedFacet<platform::Files> filesSwap_{platform::Current().files, files};
    // Last, so that the windows go before the fakes they use.
    std::unique_ptr<TApplication> app = std::make_unique<TApplication>();
};

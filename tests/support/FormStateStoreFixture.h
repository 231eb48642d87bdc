#pragma once
// Windows built from test text over a real state file in a folder of the test's own, so that
// every write and failure of the form state store can be seen.

#include "fakes/FakePlatform.h"
#include "fakes/RecordingProfile.h"
#include "fakes/ScopedFacet.h"
#include "framework/Application.h"
#include "platform/Facets.h"
#include "support/TextForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

// A window with a spin edit "Minutes_1", boxes "Beta_1", "Plain" and "Alpha_1", all in this
// order, and then a store "Store" with the given properties.
std::string StoreWindowText(const std::string& name, const std::string& storeProperties = "",
                            const std::string& formProperties = "");

bool IsFlush(const RecordingProfile::Write& write);
bool IsWriteTo(const RecordingProfile::Write& write, const std::string& key);

class FormStateStoreTest : public testing::Test {
protected:
    FormStateStoreTest();
    ~FormStateStoreTest() override;

    TextForm* Build(const std::string& text) { return TextForm::Build(app.get(), text); }

    template <typename T>
    static T* Find(TForm* form, const std::string& name) {
        return dynamic_cast<T*>(form->FindComponent(name));
    }

    // An empty file that FindBeside reports `ageMs` old.
    void MakeFileOfAge(const std::string& path, ULONGLONG ageMs);
    size_t CountWritesTo(const std::string& key) const;
    size_t CountFlushes() const;

    // The folder of the (pretended) executable, and the state file the store looks for there.
    const std::filesystem::path folder;
    const std::string stateFile;
    RecordingProfile profile{stateFile};
    FakeFiles files;
    ScopedFacet<platform::Profile> profileSwap_{platform::Current().profile, profile};
    ScopedFacet<platform::Files> filesSwap_{platform::Current().files, files};
    // Last, so that the windows go before the fakes they use.
    std::unique_ptr<TApplication> app = std::make_unique<TApplication>();
};

#include "settings/SvgEditIni.h"

#include "controls/Spin.h"
#include "framework/Application.h"
#include "framework/IniFile.h"
#include "framework/Published.h"
#include "framework/StdCtrls.h"
#include "settings/StateFile.h"

#include <string>
#include <vector>

namespace {

// Every window of the application that owns a store, in the application's order.
std::vector<TForm*> WindowsWithStore() {
    std::vector<TForm*> windows;
    if (Application == nullptr) {
        return windows;
    }
    for (TComponent* component : Application->Components()) {
        if (auto* form = As<TForm>(component); form != nullptr && TSvgEditIni::HasStore(*form)) {
            windows.push_back(form);
        }
    }
    return windows;
}

// Calls visit(store, section, component) for every component of every window that owns a
// store, with that window's last store deciding the kinds.
template <typename Visit>
void ForEachStoredWindowComponent(Visit visit) {
    for (TForm* form : WindowsWithStore()) {
        const TSvgEditIni& store = *TSvgEditIni::FindStore(*form);
        for (TComponent* component : form->Components()) {
            visit(store, form->Name(), component);
        }
    }
}

TCheckBox* StoredCheckBox(const TSvgEditIni& store, TComponent* component) {
    return store.SauveCheckBox ? As<TCheckBox>(component) : nullptr;
}

TSpinEdit* StoredSpinEdit(const TSvgEditIni& store, TComponent* component) {
    return store.SauveSpinEdit ? As<TSpinEdit>(component) : nullptr;
}

// Persistence never reports an error: a failed read costs one value, a failed write the one save
// (the file stays as it was). Says whether the work went through.
template <typename Work>
bool Swallowing(Work&& work) {
    try {
        work();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

TSvgEditIni::TSvgEditIni(TComponent* owner) : TComponent(owner) {
    // Only a store built with the application's first window takes over; a close handler that
    // the resource gave the window is already in place and is kept to be called first.
    auto* form = As<TForm>(owner);
    if (form == nullptr || Application == nullptr || Application->MainForm() != nullptr) {
        return;
    }
    previousOnClose_ = form->OnClose;
    form->OnClose = [this](TObject* sender, TCloseAction& action) {
        OwnerCloseHook(sender, action);
    };
    // Logging off, shutting down, or an installer that closes the program through the Restart
    // Manager ends it without its close event, and for a program that lives in the tray that is
    // how most runs end. Every top-level window hears WM_ENDSESSION; the application window
    // stands for the whole run, shown or hidden, so listening there alone saves once.
    hookedApplication_ = Application;
    sessionEndHook_ = Application->HookMainWindow([this](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_ENDSESSION && wParam != 0) {
            SaveState();
        }
        return false;
    });
}

TSvgEditIni::~TSvgEditIni() {
    // A store on a window that the application does not own may outlive the application.
    if (hookedApplication_ != nullptr && Application == hookedApplication_) {
        hookedApplication_->UnhookMainWindow(sessionEndHook_);
    }
}

void TSvgEditIni::Loaded() {
    LoadState();
    TComponent::Loaded();
}

bool TSvgEditIni::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TSvgEditIni::SauveEdit>("SauveEdit"),
        Property<&TSvgEditIni::SauveDateTimePicker>("SauveDateTimePicker"),
        Property<&TSvgEditIni::SauveCheckBox>("SauveCheckBox"),
        Property<&TSvgEditIni::SauveRadioButton>("SauveRadioButton"),
        Property<&TSvgEditIni::SauveSpinEdit>("SauveSpinEdit"),
        Property<&TSvgEditIni::SauveMemo>("SauveMemo"),
        Property<&TSvgEditIni::SauveRichEdit>("SauveRichEdit"),
        Property<&TSvgEditIni::SauveComboBox>("SauveComboBox"),
        Property<&TSvgEditIni::SauveListBox>("SauveListBox"),
        Property<&TSvgEditIni::SauveStringGrid>("SauveStringGrid"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TComponent::SetPublished(property, reader);
}

void TSvgEditIni::OwnerCloseHook(TObject* sender, TCloseAction& action) {
    Fire(previousOnClose_, sender, action);
    SaveState();
}

void TSvgEditIni::LoadState() {
    TIniFile ini(StateFilePath());
    // Loading reads every stored kind, whatever the control's name.
    ForEachStoredWindowComponent(
        [&](const TSvgEditIni& store, const std::string& section, TComponent* component) {
            const std::string& key = component->Name();
            if (TCheckBox* box = StoredCheckBox(store, component)) {
                Swallowing([&] { box->SetChecked(ini.ReadBool(section, key, true)); });
            }
            if (TSpinEdit* spin = StoredSpinEdit(store, component)) {
                Swallowing([&] { spin->SetValue(ini.ReadInteger(section, key, 0)); });
            }
        });
}

void TSvgEditIni::SaveState() {
    RewriteStateFile([](TIniFile& ini) {
        bool everyWrite = true;
        ForEachStoredWindowComponent(
            [&](const TSvgEditIni& store, const std::string& section, TComponent* component) {
                const std::string& key = component->Name();
                if (key.find('_') == std::string::npos) {
                    return;
                }
                everyWrite &= Swallowing([&] {
                    if (TCheckBox* box = StoredCheckBox(store, component)) {
                        ini.WriteBool(section, key, box->Checked());
                    }
                    if (TSpinEdit* spin = StoredSpinEdit(store, component)) {
                        ini.WriteInteger(section, key, spin->Value());
                    }
                });
            });
        return everyWrite;
    });
}

bool TSvgEditIni::HasStore(const TForm& form) {
    return FindStore(form) != nullptr;
}

TSvgEditIni* TSvgEditIni::FindStore(const TForm& form) {
    TSvgEditIni* found = nullptr;
    for (TComponent* component : form.Components()) {
        if (auto* store = As<TSvgEditIni>(component)) {
            found = store;
        }
    }
    return found;
}

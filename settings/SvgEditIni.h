#pragma once
// The form state store: a non-visual component that keeps the window's check boxes and spin
// edits in serie.ini, loading them once the window has been built and saving them when it closes.

#include "framework/Classes.h"
#include "framework/Component.h"

class TApplication;
class TForm;

class TSvgEditIni : public TComponent {
public:
    // Takes over the owner's close event while the application has no main window yet.
    explicit TSvgEditIni(TComponent* owner);
    ~TSvgEditIni() override;

    // Kind switches, one per kind of control. Only check boxes and spin edits exist in this
    // program; the other eight are kept and read from the resource but select nothing.
    bool SauveEdit = true;
    bool SauveDateTimePicker = true;
    bool SauveCheckBox = true;
    bool SauveRadioButton = true;
    bool SauveSpinEdit = true;
    bool SauveMemo = false;
    bool SauveRichEdit = false;
    bool SauveComboBox = false;
    bool SauveListBox = false;
    bool SauveStringGrid = false;

    // Loads the state, then does the base's end of loading.
    void Loaded() override;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

    // The hooked window's close handler: the previous handler first, then the save, which
    // happens even when that handler cancelled the close.
    void OwnerCloseHook(TObject* sender, TCloseAction& action);
    // Both cover every window of the application that owns a store, with that window's
    // FindStore switches. Errors are swallowed per control kind on loading and per control on
    // saving; only controls whose name holds an underscore are saved. A save is whole or not at
    // all: when any write fails, the state file stays as it was.
    void LoadState();
    void SaveState();

    static bool HasStore(const TForm& form);
    // The last store among the window's components, or null.
    static TSvgEditIni* FindStore(const TForm& form);

private:
    TCloseEvent previousOnClose_;
    TApplication* hookedApplication_ = nullptr;
    int sessionEndHook_ = 0;
};

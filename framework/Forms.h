#pragma once
// Forms: the program's windows, built from their form resources.

#include "framework/Controls.h"
#include "framework/FormReader.h"
#include "framework/Scale.h"

#include <any>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TPosition { poDesigned, poDesktopCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

class TForm : public TWinControl, public FormRoot {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // The window class name, and the name of the form's resource.
    const char* ClassName() const override = 0;

    // Builds the form from its resource, or from a resource's text: components and properties,
    // then every component's end-of-loading notification, then the window, then OnCreate.
    void Load();
    void LoadFromText(std::string_view text);

    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Unless OnClose answers caNone, hides the form, or ends the program from the main form.
    void Close();

    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    // Marks the state without touching the window, as a start minimized does.
    void MarkWindowState(TWindowState state) { windowState_ = state; }

    // The control that had the keyboard focus last; it gets it back whenever the form does.
    TWinControl* ActiveControl() const;
    // To the active control, or to the first in tab order when there is none.
    void FocusActiveControl();

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;

    std::any FindMethod(const std::string& name) override;
    bool BindField(const std::string& name, TComponent* component) override;

    bool SetPublished(const PropertyItem& property, FormReader& reader) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // A field of the form that the component of its name fills, when it is of the field's type.
    struct PublishedComponent {
        template <typename T>
        PublishedComponent(const char* name, T*& field)
            : name(name), bind([&field](TComponent* component) {
                  field = dynamic_cast<T*>(component);
                  return field != nullptr;
              }) {}
        const char* name;
        std::function<bool(TComponent*)> bind;
    };
    // A handler that the resource may name: bound to the form, it is an event of its signature.
    struct PublishedHandler {
        template <typename Form, typename... Args>
        PublishedHandler(const char* name, void (Form::*method)(TObject*, Args...))
            : name(name), bind([method](TForm& form) -> std::any {
                  auto& self = static_cast<Form&>(form);
                  return std::function<void(TObject*, Args...)>(
                      [&self, method](TObject* sender, Args... args) {
                          (self.*method)(sender, args...);
                      });
              }) {}
        const char* name;
        std::function<std::any(TForm&)> bind;
    };
    void PublishComponents(std::initializer_list<PublishedComponent> components);
    void PublishHandlers(std::initializer_list<PublishedHandler> handlers);

    void CreateParams(WindowParams& params) override;
    void VisibleChanged() override;
    void ControlFocused(TWinControl* control) override;
    RECT ScaledBounds(int dpi, int previousDpi) const override;

private:
    struct DpiChange {
        int dpi;
        std::optional<RECT> placement;
    };
    // Lays the form out for `dpi` and places its window once at `placement`, if given. A change
    // asked for while one is under way waits until that one is done.
    void Rescale(int dpi, std::optional<RECT> placement);
    // Reads the high-contrast theme again and paints everything at once.
    void ContrastMayHaveChanged();

    std::vector<PublishedComponent> components_;
    std::vector<PublishedHandler> handlers_;
    TPosition position_ = TPosition::poDesigned;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool shownOnce_ = false;
    // A window handle rather than the object: it stays safe to ask about after the control went.
    HWND activeControl_ = nullptr;
    int dpi_ = kDesignDpi;
    std::optional<RECT> placement_;  // of the change under way
    std::optional<DpiChange> pendingChange_;
};

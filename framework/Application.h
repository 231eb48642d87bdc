#pragma once
// The application object: the zero-sized application window that carries the taskbar button,
// the one owner of its visibility, of minimize and restore and of the hooks on its messages;
// the message loop and the exception handler.
//
// A minimize, from the taskbar button or from the main form's title bar, reaches the hooks
// first: the tray icon's conceals the application (Minimize, then hidden), and OnMinimize hides
// it again; the application's own handling then finds it minimized already. A restore, from the
// tray icon, restores the window zero-sized at the screen's centre, shows a main form that was
// started minimized, gives the focus back to its active control and raises OnRestore.

#include "framework/Forms.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class TApplicationEvents;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Creates the application window; call once before any form.
    void Initialize();

    // Builds a form from `text`, or from its resource, and makes the first the main form once it
    // is complete. A form that fails to build is destroyed before the error goes on.
    template <typename Form>
    void CreateForm(Form*& reference, std::optional<std::string_view> text = std::nullopt) {
        auto form = std::make_unique<Form>(this);
        if (text) {
            form->LoadFromText(*text);
        } else {
            form->Load();
        }
        reference = form.release();
        if (mainForm_ == nullptr) {
            mainForm_ = reference;
        }
        UpdateVisible();
    }

    // Shows the main form as the start's show command and the show-main-form flag say, then runs
    // the message loop until the program ends.
    void Run();
    void Terminate();

    HWND Handle() const { return window_ ? window_->Handle() : nullptr; }
    TForm* MainForm() const { return mainForm_; }
    void SetShowMainForm(bool show) { showMainForm_ = show; }

    // Minimizes the application window, and with it the forms it owns; raises OnMinimize.
    void Minimize();
    // Brings a minimized application window back, as above; raises OnRestore.
    void Restore();
    // Minimizes the application window if need be, then hides it and its taskbar button.
    void Conceal();
    // Makes the last active of the program's windows the foreground window.
    void BringToFront();
    // Shows the application window when one of its forms is visible and hides it when none is.
    void UpdateVisible();
    // The minimize command reached a form; the main form's is the application's, and true.
    bool FormMinimizeCommand(const TForm* form, WPARAM wParam, LPARAM lParam);

    // Passes the exception to every OnException; without one it is dropped quietly.
    void HandleException(std::exception_ptr error);

    // Hooks on the application window's messages; a hook returning true consumes the message.
    using MessageHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;
    int HookMainWindow(MessageHook hook);
    void UnhookMainWindow(int id);

private:
    friend class TApplicationEvents;
    // Minimizes or restores the application window; false when it is in that state already.
    bool SetIconic(bool iconic);
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<HandlerWindow> window_;
    TForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    // Whether the application window was left visible or hidden.
    bool recordedVisible_ = false;
    std::vector<TApplicationEvents*> events_;
    std::vector<std::pair<int, MessageHook>> hooks_;
    int nextHook_ = 1;
};

// Set by the one application object. A declaration, which the analyser takes for a definition.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables,bugprone-dynamic-static-initializers)
extern TApplication* Application;

// Passes the application's exception, minimize and restore events to handlers on a form.
class TApplicationEvents : public TComponent {
public:
    explicit TApplicationEvents(TComponent* owner);
    ~TApplicationEvents() override;

    TExceptionEvent OnException;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    bool SetPublished(const PropertyItem& property, FormReader& reader) override;
};

#pragma once
// Windowed controls: a window of their own, made by the framework's window procedure or
// subclassed from a standard class, with the windowless controls that they carry.

#include "framework/Controls.h"
#include "framework/Window.h"

#include <climits>
#include <string>
#include <vector>

class TWinControl : public TControl, public WindowTarget {
public:
    using TControl::TControl;
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Creates the window, and those of the windowed children, when the parent has one.
    void CreateHandle();
    static TWinControl* FromHandle(HWND window);
    // The control's text: a caption, or the contents of an edit. Once the window exists its
    // text is the one truth, whoever changed it. Writing the text it already has does nothing.
    std::string Caption() const;
    void SetCaption(const std::string& caption);

    int BorderWidth() const { return borderWidth_; }
    // Read when the window is made.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // A sibling that this control names for a screen reader, made right after it; none here.
    virtual TWinControl* NamedControl() const { return nullptr; }

    // The window and every parent up to the form are shown and enabled.
    bool CanFocus() const;
    bool Focused() const { return handle_ != nullptr && GetFocus() == handle_; }
    void SetFocus();

    // The area that aligned children share, in client coordinates.
    virtual RECT AlignArea() const;
    void Realign();
    RECT ClientRect() const;

    // The window's own message handling; anything it raises is shown by the application.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Attached(HWND window) override { handle_ = window; }
    void Detached() override;
    // A notification that the parent received for this control (WM_COMMAND, WM_NOTIFY,
    // WM_CTLCOLOR*); true when handled, with the answer in `result`.
    virtual bool HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The brush of the control's colour, kept until that colour paints otherwise: a system
    // colour changes under its name when the user picks other colours.
    HBRUSH ColorBrush();

    // The children first, so that none is scaled again after following a scaled parent font.
    void ChangeScale(int dpi, int previousDpi) override;
    // True while the window that holds the control is laid out for another scale: sizes and
    // fonts are then half old, half new.
    bool Scaling() const { return scaling_; }
    // The windowless control inside this window that holds the mouse, from a left press on it
    // to its release; null when there is none.
    const TGraphicControl* MouseHolder() const { return mouseHolder_; }
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    // A child window of a standard class, to subclass, unless CreateParams names one of ours.
    using WindowParams = WindowRequest;
    virtual void CreateParams(WindowParams& params) = 0;
    // The window exists: give it what the object already holds.
    virtual void HandleCreated();
    virtual void PaintWindow(HDC) {}
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyHandle();

    void BoundsChanged() override;
    virtual void CaptionChanged() {}
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    // A window inside this one took the focus: the form keeps it.
    virtual void ControlFocused(TWinControl*) {}
    // Marks the control and the windowed controls inside it as scaling, or done.
    void SetScaling(bool scaling);

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    // The windowless controls: painted on this window's surface, found under the pointer, and
    // given the mouse from a left press on one of them to its release.
    // Keeps the background from being erased beneath the opaque ones.
    void ExcludeOpaqueWindowless(HDC dc) const;
    void PaintWindowless(HDC dc, const RECT& area) const;
    TGraphicControl* WindowlessAt(POINT point) const;
    // Hands a mouse message to the windowless control that holds the mouse or lies under the
    // pointer; false when there is none, or the message is not the mouse's.
    bool RouteMouseToWindowless(UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    bool subclassed_ = false;
    bool trackingMouse_ = false;
    bool aligning_ = false;
    bool scaling_ = false;
    std::vector<TControl*> controls_;
    int borderWidth_ = 0;
    // The place among its siblings that Tab visits; without one from the resource, the control
    // comes after those that have one.
    int tabOrder_ = INT_MAX;
    bool tabStop_ = false;
    // The text while there is no window.
    std::string caption_;
    // In creation order: the last lies on top.
    std::vector<TGraphicControl*> windowless_;
    TGraphicControl* mouseHolder_ = nullptr;
    OwnedBrush brush_;
    COLORREF brushRgb_ = 0;
};

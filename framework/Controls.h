#pragma once
// Controls: components with a place on a parent. Windowed controls have a window of their own;
// graphic controls are painted by their parent.

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Window.h"

#include <string>
#include <vector>

class TWinControl;

enum class TAlign { alNone, alTop, alBottom, alClient };

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // The control's text: a caption, or the contents of an edit. Writing the text it already
    // has does nothing.
    virtual std::string Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void SetParentColor(bool parentColor);

    virtual void Click();
    // Scales the place, size and font that the control holds at previousDpi to dpi.
    virtual void ChangeScale(int dpi, int previousDpi);
    void SetParentComponent(TComponent* parent) override;
    bool HasParent() const override { return true; }

    // The mouse over the control, in the control's own coordinates. A windowed control hears
    // of it from its window; a windowless one from its parent's window.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
    // True while the control receives the mouse wherever the pointer is: a windowless control
    // from the left button's press on it to its release.
    virtual bool MouseCapture() const;
    // Another window took the mouse while the left button was held on this windowless control:
    // the release will never come here.
    virtual void MouseCaptureLost() {}

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseLeave;

    void Loaded() override;

protected:
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;
    virtual void BoundsChanged() {}
    virtual void CaptionChanged() {}
    virtual void FontChanged() {}
    virtual void ColorChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    // The place and size that ChangeScale gives the control.
    virtual RECT ScaledBounds(int dpi, int previousDpi) const;
    void RequestRealign();
    // Records bounds that the window already has, as after the user moved or sized it.
    void StoreBounds(const RECT& bounds);

private:
    friend class TWinControl;
    void ParentFontChanged();
    void ParentColorChanged();
    void SetFontName(const std::string& name) { font_.SetName(name); }
    void SetFontHeight(int height) { font_.SetHeight(height); }
    void SetFontColor(TColor color) { font_.SetColor(color); }
    // Font.Style: a style in brackets sets its attribute, one left out clears it.
    void ReadFontStyle(const PropertyValue& value, FormReader& reader);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
    bool followingParent_ = false;
};

// A control without a window, painted on its parent's surface.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    ~TGraphicControl() override;

    // Paints with (0, 0) at the control's top-left corner.
    virtual void Paint(HDC dc) = 0;
    // Draws at once on the parent's surface, clipped to the control; nothing while the control
    // is invisible or its parent has no window or a hidden one.
    void Repaint();
    // An opaque control covers every pixel of its area, so its parent erases nothing beneath it.
    bool Opaque() const { return opaque_; }

protected:
    void SetOpaque(bool opaque) { opaque_ = opaque; }
    void BoundsChanged() override;
    void VisibleChanged() override;
    void InvalidateArea(const RECT& area);

private:
    bool opaque_ = false;
};

// A control with a window of its own.
class TWinControl : public TControl, public WindowTarget {
public:
    using TControl::TControl;
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Creates the window, and those of the windowed children, when the parent has one.
    void CreateHandle();
    static TWinControl* FromHandle(HWND window);
    // Once the window exists its text is the truth: another program may change it, and the
    // user may type into an edit.
    std::string Caption() const override;

    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    void SetParent(TWinControl* parent) override;

    // The window and every parent up to the form are shown and enabled.
    bool CanFocus() const;
    bool Focused() const;
    void SetFocus();
    bool MouseCapture() const override;

    // The area that aligned children share, in client coordinates.
    virtual RECT AlignArea() const;
    void Realign();
    RECT ClientRect() const;

    // The window's own message handling; anything it raises is shown by the application.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    TObject* Sender(UINT, WPARAM) override { return this; }
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
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    struct WindowParams : WindowRequest {
        WindowParams()
            : WindowRequest{.classStyle = CS_DBLCLKS, .style = WS_CHILD | WS_CLIPSIBLINGS} {}
        bool frameworkClass = false;  // a class of ours, or a standard control to subclass
    };
    virtual void CreateParams(WindowParams& params);
    // The window exists: give it what the object already holds.
    virtual void HandleCreated();
    virtual void PaintWindow(HDC) {}
    // Whether the window's text may change without WM_SETTEXT, as an edit's does under the
    // user's keys; otherwise the text each WM_SETTEXT leaves is kept, and reading it costs no
    // call to the window.
    virtual bool TextChangesUnseen() const { return false; }
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyHandle();

    void BoundsChanged() override;
    void CaptionChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    // A window inside this one took the focus.
    virtual void ControlFocused(TWinControl*) {}
    // Marks the control and the windowed controls inside it as scaling, or done.
    void SetScaling(bool scaling);

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void PaintGraphicControls(HDC dc, const RECT& area);
    // Orders the children's windows by TabOrder, which is the order Tab walks them in.
    void ApplyTabOrder();
    TGraphicControl* GraphicControlAt(POINT point) const;
    // The window's mouse messages; true when one was handed to a windowless child.
    bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands a mouse message to the windowless child that holds the capture or lies under the
    // pointer; false when there is none.
    bool RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    bool subclassed_ = false;
    bool trackingMouse_ = false;
    bool aligning_ = false;
    bool scaling_ = false;
    std::vector<TControl*> controls_;
    int borderWidth_ = 0;
    // The place among its siblings that Tab visits; -1 when the resource gives none, which puts
    // the control after those that have one.
    int tabOrder_ = -1;
    bool tabStop_ = false;
    // The windowless control that holds the mouse through its parent's capture.
    static TControl* captureControl_;
    OwnedBrush brush_;
    COLORREF brushRgb_ = 0;
};

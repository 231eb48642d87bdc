#include "framework/Controls.h"

#include "framework/Mouse.h"
#include "framework/Published.h"
#include "framework/Scale.h"
#include "framework/Screen.h"
#include "platform/Utf8.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

constexpr EnumName kAlignNames[] = {
    {"alNone", TAlign::alNone},
    {"alTop", TAlign::alTop},
    {"alBottom", TAlign::alBottom},
    {"alClient", TAlign::alClient},
};
constexpr Enumeration kAligns{"alignement", kAlignNames};

enum FontStyle { kBold, kUnderline, kItalic };
constexpr EnumName kFontStyleNames[] = {
    {"fsBold", kBold},
    {"fsUnderline", kUnderline},
    {"fsItalic", kItalic},
};
constexpr Enumeration kFontStyles{"style", kFontStyleNames};

}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        // A font set on the control itself stops following the parent's.
        if (!followingParent_) {
            parentFont_ = false;
        }
        FontChanged();
    };
}

TControl::~TControl() {
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) {
        return;
    }
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        // A control gets its parent before the parent has a window: CreateHandle makes the
        // windows of the children that are there, and no window ever moves to another parent.
        parent_->controls_.push_back(this);
        ParentFontChanged();
        ParentColorChanged();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    StoreBounds({left, top, left + width, top + height});
    BoundsChanged();
    RequestRealign();
}

void TControl::StoreBounds(const RECT& bounds) {
    left_ = bounds.left;
    top_ = bounds.top;
    width_ = bounds.right - bounds.left;
    height_ = bounds.bottom - bounds.top;
}

void TControl::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        VisibleChanged();
        RequestRealign();
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        EnabledChanged();
    }
}

void TControl::SetParentFont(bool parentFont) {
    parentFont_ = parentFont;
    ParentFontChanged();
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color != color_) {
        color_ = color;
        ColorChanged();
    }
}

void TControl::Click() {
    Fire(OnClick, this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Fire(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    Fire(OnMouseMove, this, shift, x, y);
}

bool TControl::MouseCapture() const {
    return parent_ != nullptr && parent_->mouseHolder_ == this && parent_->HandleAllocated() &&
           GetCapture() == parent_->Handle();
}

void TControl::ChangeScale(int dpi, int previousDpi) {
    RECT bounds = ScaledBounds(dpi, previousDpi);
    SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    if (!parentFont_) {
        font_.ScaleTo(dpi, previousDpi);
    }
}

RECT TControl::ScaledBounds(int dpi, int previousDpi) const {
    auto scaled = [&](int length) { return ScaleLength(length, dpi, previousDpi); };
    return {scaled(left_), scaled(top_), scaled(left_) + scaled(width_),
            scaled(top_) + scaled(height_)};
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* windowed = dynamic_cast<TWinControl*>(parent)) {
        SetParent(windowed);
    } else {
        TComponent::SetParentComponent(parent);
    }
}

void TControl::RequestRealign() {
    if (align_ != TAlign::alNone && parent_ != nullptr && !IsLoading()) {
        parent_->Realign();
    }
}

void TControl::ParentFontChanged() {
    if (parentFont_ && parent_ != nullptr) {
        followingParent_ = true;
        font_.Assign(parent_->Font());
        followingParent_ = false;
    }
}

void TControl::ParentColorChanged() {
    if (parentColor_ && parent_ != nullptr && color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

bool TControl::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TControl::SetLeft>("Left"),
        Property<&TControl::SetTop>("Top"),
        Property<&TControl::SetWidth>("Width"),
        Property<&TControl::SetHeight>("Height"),
        EnumProperty<&TControl::align_, kAligns>("Align"),
        Property<&TControl::SetVisible>("Visible"),
        Property<&TControl::SetEnabled>("Enabled"),
        Property<&TControl::SetParentFont>("ParentFont"),
        ColorProperty<&TControl::SetColor>("Color"),
        Property<&TControl::OnClick>("OnClick"),
        Property<&TControl::OnMouseMove>("OnMouseMove"),
        Property<&TControl::OnMouseLeave>("OnMouseLeave"),
        Property<&TControl::SetFontName>("Font.Name"),
        Property<&TControl::SetFontHeight>("Font.Height"),
        ColorProperty<&TControl::SetFontColor>("Font.Color"),
        Property<&TControl::ReadFontStyle>("Font.Style"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TComponent::SetPublished(property, reader);
}

void TControl::ReadFontStyle(const PropertyValue& value, FormReader&) {
    unsigned styles = SetValue(value, kFontStyles, "ensemble de styles attendu");
    font_.SetBold((styles & 1u << kBold) != 0);
    font_.SetUnderline((styles & 1u << kUnderline) != 0);
    font_.SetItalic((styles & 1u << kItalic) != 0);
}

TGraphicControl::~TGraphicControl() {
    if (Visible()) {
        InvalidateArea(BoundsRect());
    }
}

void TGraphicControl::Repaint() {
    // Nothing shows on a hidden window; showing it paints it whole.
    if (!Visible() || Parent() == nullptr || !Parent()->HandleAllocated() ||
        !IsWindowVisible(Parent()->Handle())) {
        return;
    }
    WindowDc dc(Parent()->Handle());
    PaintClipped(dc.get());
}

void TGraphicControl::PaintClipped(HDC dc) {
    ScopedDcState state(dc);
    IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
    SetViewportOrgEx(dc, Left(), Top(), nullptr);
    Paint(dc);
}

void TGraphicControl::BoundsChanged() {
    InvalidateArea({0, 0, 0, 0});
}

void TGraphicControl::VisibleChanged() {
    InvalidateArea(BoundsRect());
}

void TGraphicControl::InvalidateArea(const RECT& area) {
    if (Parent() == nullptr || !Parent()->HandleAllocated()) {
        return;
    }
    InvalidateRect(Parent()->Handle(), IsRectEmpty(&area) ? nullptr : &area, TRUE);
}

TWinControl::~TWinControl() {
    for (TControl* control : controls_) {
        control->parent_ = nullptr;
    }
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return dynamic_cast<TWinControl*>(TargetOf(window));
}

void TWinControl::Detached() {
    // The text outlives the window, for the next one.
    caption_ = Caption();
    handle_ = nullptr;
    trackingMouse_ = false;
}

void TWinControl::DestroyHandle() {
    // Detaching forgets handle_.
    if (HWND window = handle_; window != nullptr) {
        DetachWindow(window);
        DestroyWindow(window);
    }
}

LRESULT TWinControl::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    return WndProc(message, wParam, lParam);
}

void TWinControl::CreateHandle() {
    if (handle_ != nullptr || (Parent() != nullptr && !Parent()->HandleAllocated())) {
        return;
    }
    WindowParams params{.systemClass = true,
                        .classStyle = CS_DBLCLKS,
                        .style = WS_CHILD | WS_CLIPSIBLINGS,
                        .title = platform::Utf8ToWide(caption_),
                        .x = Left(),
                        .y = Top(),
                        .width = Width(),
                        .height = Height(),
                        .parent = Parent() != nullptr ? Parent()->Handle() : nullptr};
    CreateParams(params);
    if (Visible() && (params.style & WS_CHILD) != 0) {
        params.style |= WS_VISIBLE;
    }
    if (!Enabled()) {
        params.style |= WS_DISABLED;
    }
    if (tabStop_) {
        params.style |= WS_TABSTOP;
    }
    subclassed_ = params.systemClass;
    CreateFrameworkWindow(params, *this);
    HandleCreated();
    // Each new child window goes below its siblings, and Tab walks them from the top: made in
    // TabOrder, they are visited in it. The components keep their creation order, on which the
    // state file's key order depends.
    std::vector<TWinControl*> children;
    for (TControl* control : controls_) {
        if (auto* child = dynamic_cast<TWinControl*>(control)) {
            children.push_back(child);
        }
    }
    std::ranges::stable_sort(children, {}, &TWinControl::tabOrder_);
    // A label goes just above the control that it names, which takes its name from the static
    // text above it; Tab walks the tab stops only and passes it by.
    for (TWinControl* label : std::vector<TWinControl*>(children)) {
        auto named = std::ranges::find(children, label->NamedControl());
        if (named == children.end()) {
            continue;
        }
        std::erase(children, label);
        children.insert(std::ranges::find(children, label->NamedControl()), label);
    }
    for (TWinControl* child : children) {
        child->CreateHandle();
    }
    Realign();
}

void TWinControl::HandleCreated() {
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

void TWinControl::RemoveControl(TControl* control) {
    std::erase(controls_, control);
    // A control that leaves lets go of the mouse it holds.
    if (mouseHolder_ == control) {
        mouseHolder_ = nullptr;
        ReleaseCapture();
    }
}

void TWinControl::ExcludeOpaqueWindowless(HDC dc) const {
    for (TControl* control : controls_) {
        auto* windowless = dynamic_cast<TGraphicControl*>(control);
        if (windowless != nullptr && windowless->Visible() && windowless->Opaque()) {
            RECT bounds = windowless->BoundsRect();
            ExcludeClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        }
    }
}

void TWinControl::PaintWindowless(HDC dc, const RECT& area) const {
    for (TControl* control : controls_) {
        auto* windowless = dynamic_cast<TGraphicControl*>(control);
        RECT bounds = control->BoundsRect();
        RECT common{};
        // A control outside the area to paint would draw only pixels that the clip throws away.
        if (windowless != nullptr && control->Visible() && IntersectRect(&common, &bounds, &area)) {
            windowless->PaintClipped(dc);
        }
    }
}

TGraphicControl* TWinControl::WindowlessAt(POINT point) const {
    // The last created lies on top; a disabled control lets the mouse through to its parent.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* windowless = dynamic_cast<TGraphicControl*>(*it);
        RECT bounds = (*it)->BoundsRect();
        if (windowless != nullptr && windowless->Visible() && windowless->Enabled() &&
            PtInRect(&bounds, point)) {
            return windowless;
        }
    }
    return nullptr;
}

bool TWinControl::RouteMouseToWindowless(UINT message, WPARAM wParam, LPARAM lParam) {
    const MouseAction action = DecodeMouse(message);
    if (action.kind == MouseAction::kNone) {
        return false;
    }
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TGraphicControl* target = mouseHolder_ != nullptr ? mouseHolder_ : WindowlessAt(point);
    if (target == nullptr) {
        return false;
    }
    const TShiftState shift = ShiftFromKeys(wParam);
    const bool left = action.button == TMouseButton::mbLeft;
    const int x = point.x - target->Left();
    const int y = point.y - target->Top();
    switch (action.kind) {
        case MouseAction::kMove:
            target->MouseMove(shift, x, y);
            break;
        case MouseAction::kDown:
        case MouseAction::kDoubleClick:
            // A second quick press is a press like the first: each one counts.
            if (left) {
                mouseHolder_ = target;
                SetCapture(handle_);
            }
            target->MouseDown(action.button, shift, x, y);
            break;
        default:
            // The capture ends before the control hears of the release.
            if (left && mouseHolder_ == target) {
                mouseHolder_ = nullptr;
                ReleaseCapture();
            }
            target->MouseUp(action.button, shift, x, y);
            break;
    }
    return true;
}

bool TWinControl::CanFocus() const {
    for (const TControl* control = this; control != nullptr; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled()) {
            return false;
        }
    }
    return handle_ != nullptr && IsWindowVisible(handle_);
}

void TWinControl::SetFocus() {
    if (handle_ != nullptr) {
        ::SetFocus(handle_);
    }
}

RECT TWinControl::ClientRect() const {
    RECT rect{0, 0, Width(), Height()};
    if (handle_ != nullptr) {
        GetClientRect(handle_, &rect);
    }
    return rect;
}

RECT TWinControl::AlignArea() const {
    RECT area = ClientRect();
    InflateRect(&area, -borderWidth_, -borderWidth_);
    return area;
}

void TWinControl::Realign() {
    if (aligning_ || IsLoading() || !HandleAllocated()) {
        return;
    }
    aligning_ = true;
    RECT area = AlignArea();
    // Controls of one alignment keep the order of their positions: the lowest one at the bottom.
    auto aligned = [&](TAlign align) {
        std::vector<TControl*> found;
        std::ranges::copy_if(controls_, std::back_inserter(found), [align](TControl* control) {
            return control->Align() == align && control->Visible();
        });
        std::ranges::stable_sort(found, {}, [align](TControl* control) {
            return align == TAlign::alBottom ? -control->BoundsRect().bottom : control->Top();
        });
        return found;
    };
    for (TControl* control : aligned(TAlign::alTop)) {
        const int height = control->Height();
        control->SetBounds(area.left, area.top, area.right - area.left, height);
        area.top += height;
    }
    for (TControl* control : aligned(TAlign::alBottom)) {
        area.bottom -= control->Height();
        control->SetBounds(area.left, area.bottom, area.right - area.left, control->Height());
    }
    for (TControl* control : aligned(TAlign::alClient)) {
        control->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
    }
    aligning_ = false;
}

HBRUSH TWinControl::ColorBrush() {
    const COLORREF rgb = ColorToRGB(Color());
    if (!brush_ || brushRgb_ != rgb) {
        brush_.reset(CreateSolidBrush(rgb));
        brushRgb_ = rgb;
    }
    return brush_.get();
}

void TWinControl::BoundsChanged() {
    if (handle_ != nullptr) {
        SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

std::string TWinControl::Caption() const {
    if (handle_ == nullptr) {
        return caption_;
    }
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return platform::WideToUtf8(text);
}

void TWinControl::SetCaption(const std::string& caption) {
    if (caption == Caption()) {
        return;
    }
    if (handle_ != nullptr) {
        SetWindowTextW(handle_, platform::Utf8ToWide(caption).c_str());
    } else {
        caption_ = caption;
    }
    CaptionChanged();
}

void TWinControl::FontChanged() {
    if (handle_ != nullptr) {
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    }
    for (TControl* control : controls_) {
        control->ParentFontChanged();
    }
}

void TWinControl::ColorChanged() {
    if (handle_ != nullptr) {
        InvalidateRect(handle_, nullptr, TRUE);
    }
    for (TControl* control : controls_) {
        control->ParentColorChanged();
    }
}

void TWinControl::VisibleChanged() {
    if (handle_ != nullptr) {
        ShowWindow(handle_, Visible() ? SW_SHOW : SW_HIDE);
    }
}

void TWinControl::EnabledChanged() {
    if (handle_ != nullptr) {
        EnableWindow(handle_, Enabled());
    }
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return subclassed_ ? DefSubclassProc(handle_, message, wParam, lParam)
                       : DefWindowProcW(handle_, message, wParam, lParam);
}

bool TWinControl::HandleNotification(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ColorToRGB(Font().Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        result = reinterpret_cast<LRESULT>(ColorBrush());
        return true;
    }
    return false;
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (RouteMouseToWindowless(message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
        case WM_MOUSEMOVE:
            if (!trackingMouse_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
                trackingMouse_ = TrackMouseEvent(&track) != FALSE;
            }
            MouseMove(ShiftFromKeys(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_MOUSELEAVE:
            trackingMouse_ = false;
            Fire(OnMouseLeave, this);
            break;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: the control that held it never sees the release.
            if (mouseHolder_ != nullptr && reinterpret_cast<HWND>(lParam) != handle_) {
                std::exchange(mouseHolder_, nullptr)->MouseCaptureLost();
            }
            break;
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_NOTIFY: {
            // Notifications about a child go back to the child's own object.
            HWND source = message == WM_NOTIFY ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom
                                               : reinterpret_cast<HWND>(lParam);
            TWinControl* child = FromHandle(source);
            LRESULT result = 0;
            if (child != nullptr && child != this &&
                child->HandleNotification(message, wParam, lParam, result)) {
                return result;
            }
            break;
        }
        case WM_SIZE:
            Realign();
            break;
        case WM_SYSCOLORCHANGE:
            // The brush of a system colour paints the old one; a standard control's own handling
            // follows.
            brush_.reset();
            break;
        case WM_ERASEBKGND:
            if (!subclassed_) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                // The paint that follows draws on the same device context: the controls left
                // out of the erase must not stay left out of it.
                ScopedDcState state(dc);
                ExcludeOpaqueWindowless(dc);
                RECT client = ClientRect();
                ::FillRect(dc, &client, ColorBrush());
                return 1;
            }
            break;
        case WM_PAINT:
            if (!subclassed_) {
                PaintScope paint(handle_);
                PaintWindow(paint.dc());
                PaintWindowless(paint.dc(), paint.area());
                return 0;
            }
            break;
        case WM_SETFOCUS:
            // The form keeps the control that had the focus last, to give it back.
            for (TWinControl* parent = Parent(); parent != nullptr; parent = parent->Parent()) {
                parent->ControlFocused(this);
            }
            break;
        case WM_SETCURSOR:
            if (Screen().ApplyCursor()) {
                return TRUE;
            }
            break;
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

void TWinControl::ChangeScale(int dpi, int previousDpi) {
    for (TControl* control : std::vector<TControl*>(controls_)) {
        control->ChangeScale(dpi, previousDpi);
    }
    borderWidth_ = ScaleLength(borderWidth_, dpi, previousDpi);
    TControl::ChangeScale(dpi, previousDpi);
    Realign();
}

bool TWinControl::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TWinControl::SetCaption>("Caption"),
        Property<&TWinControl::borderWidth_>("BorderWidth"),
        Property<&TWinControl::tabOrder_>("TabOrder"),
        Property<&TWinControl::tabStop_>("TabStop"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TControl::SetPublished(property, reader);
}

#include "framework/Controls.h"

#include "framework/WinControl.h"

#include "framework/Published.h"
#include "framework/Scale.h"
#include "framework/Text.h"

#include <algorithm>

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
        parent_->InsertControl(this);
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
    return parent_ != nullptr && parent_->MouseHolder() == this && parent_->HandleAllocated() &&
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
        EnumProperty<&TControl::align_>("Align", kAligns),
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
    ScopedDcState state(dc.get());
    IntersectClipRect(dc.get(), Left(), Top(), Left() + Width(), Top() + Height());
    SetViewportOrgEx(dc.get(), Left(), Top(), nullptr);
    Paint(dc.get());
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

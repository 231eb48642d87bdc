#include "framework/ExtCtrls.h"

#include "framework/Exceptions.h"
#include "framework/Published.h"
#include "framework/Window.h"

namespace {

constexpr EnumName kBevelNames[] = {
    {"bvNone", TBevelCut::bvNone},
    {"bvRaised", TBevelCut::bvRaised},
};
constexpr Enumeration kBevels{"biseau", kBevelNames};

}  // namespace

void TPanel::CreateParams(WindowParams& params) {
    params.className = L"TPanel";
    params.systemClass = false;
    params.style |= WS_CLIPCHILDREN;
    params.exStyle |= WS_EX_CONTROLPARENT;
    params.classStyle |= CS_HREDRAW | CS_VREDRAW;
}

RECT TPanel::AlignArea() const {
    RECT area = TWinControl::AlignArea();
    const int bevel = bevelOuter_ != TBevelCut::bvNone ? 1 : 0;
    InflateRect(&area, -bevel, -bevel);
    return area;
}

void TPanel::PaintWindow(HDC dc) {
    if (bevelOuter_ == TBevelCut::bvRaised) {
        RECT rect = ClientRect();
        DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
    }
}

bool TPanel::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        EnumProperty<&TPanel::bevelOuter_, kBevels>("BevelOuter"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TWinControl::SetPublished(property, reader);
}

void TImage::CreateParams(WindowParams& params) {
    params.className = L"STATIC";
    // Centred: the control keeps its own size whatever the icon's.
    params.style |= SS_ICON | SS_CENTERIMAGE;
}

void TImage::HandleCreated() {
    TWinControl::HandleCreated();
    if (!icon_.Empty()) {
        SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon_.Handle()), 0);
        SetWindowPos(Handle(), nullptr, Left(), Top(), Width(), Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool TImage::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TImage::ReadPicture>("Picture"),
        Property<&TImage::transparent_>("Transparent"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TWinControl::SetPublished(property, reader);
}

void TImage::ReadPicture(const PropertyValue& value, FormReader&) {
    if (!icon_.LoadFromResource(value.AsString(), 48, 48)) {
        ThrowReadError(value.line, "icône introuvable « " + value.AsString() + " »");
    }
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), id_(MessageWindow::Instance().Add([this] { Fire(OnTimer, this); })) {}

TTimer::~TTimer() {
    MessageWindow::Instance().Remove(id_);
}

void TTimer::SetInterval(uint32_t interval) {
    if (interval != interval_) {
        interval_ = interval;
        UpdateTimer();
    }
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        UpdateTimer();
    }
}

void TTimer::UpdateTimer() {
    HWND window = MessageWindow::Instance().Handle();
    KillTimer(window, id_);
    if (!enabled_ || interval_ == 0 || !OnTimer) {
        return;
    }
    // The platform counts at most USER_TIMER_MAXIMUM milliseconds (about 24.8 days); a longer
    // interval ticks after that longest count.
    UINT elapse = interval_ > USER_TIMER_MAXIMUM ? USER_TIMER_MAXIMUM : interval_;
    if (SetTimer(window, id_, elapse, nullptr) == 0) {
        throw Exception("Plus de minuterie disponible");
    }
}

bool TTimer::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TTimer::SetInterval>("Interval"),
        Property<&TTimer::SetEnabled>("Enabled"),
        Property<&TTimer::SetOnTimer>("OnTimer"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TComponent::SetPublished(property, reader);
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    OnTimer = std::move(handler);
    UpdateTimer();
}

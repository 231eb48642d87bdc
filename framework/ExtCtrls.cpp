#include "framework/ExtCtrls.h"

#include "framework/Exceptions.h"
#include "framework/FormReader.h"
#include "framework/MessageWindow.h"
#include "framework/PropertyValues.h"
#include "framework/Text.h"

namespace {

TBevelCut BevelValue(const PropertyValue& value) {
    static const std::pair<const char*, TBevelCut> kBevels[] = {
        {"bvNone", TBevelCut::bvNone},
        {"bvRaised", TBevelCut::bvRaised},
    };
    return EnumValue(value, kBevels, "biseau");
}

}  // namespace

void TPanel::CreateParams(WindowParams& params) {
    params.className = L"TPanel";
    params.frameworkClass = true;
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

void TPanel::SetProperty(const PropertyItem& property, FormReader& reader) {
    if (property.name == "BevelOuter") {
        bevelOuter_ = BevelValue(property.value);
    } else {
        TWinControl::SetProperty(property, reader);
    }
}

void TImage::CreateParams(WindowParams& params) {
    params.className = L"STATIC";
    // Centred: the control keeps its own size whatever the icon's.
    params.style |= SS_ICON | SS_CENTERIMAGE;
}

void TImage::HandleCreated() {
    TWinControl::HandleCreated();
    if (icon_) {
        SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
        SetWindowPos(Handle(), nullptr, Left(), Top(), Width(), Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TImage::SetProperty(const PropertyItem& property, FormReader& reader) {
    if (property.name == "Picture") {
        std::wstring name = Utf8ToWide(property.value.AsString());
        icon_.reset(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON, 48, 48, 0)));
        if (!icon_) {
            ThrowReadError(property.value.line,
                           "icône introuvable « " + property.value.AsString() + " »");
        }
    } else if (property.name == "Transparent") {
        // Checked for its type only: a static icon is always drawn over its parent's colour.
        static_cast<void>(property.value.AsBoolean());
    } else {
        TWinControl::SetProperty(property, reader);
    }
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner),
      id_(MessageWindow::Instance().Add(this, [this] { Fire(OnTimer, this); })) {}

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
    if (running_) {
        KillTimer(window, id_);
        running_ = false;
    }
    if (!enabled_ || interval_ == 0 || !OnTimer) {
        return;
    }
    // The platform counts at most USER_TIMER_MAXIMUM milliseconds (about 24.8 days); a longer
    // interval ticks after that longest count.
    UINT elapse = interval_ > USER_TIMER_MAXIMUM ? USER_TIMER_MAXIMUM : interval_;
    running_ = SetTimer(window, id_, elapse, nullptr) != 0;
    if (!running_) {
        throw Exception("Plus de minuterie disponible");
    }
}

void TTimer::SetProperty(const PropertyItem& property, FormReader& reader) {
    if (property.name == "Interval") {
        SetInterval(static_cast<uint32_t>(property.value.AsInteger()));
    } else if (property.name == "Enabled") {
        SetEnabled(property.value.AsBoolean());
    } else if (property.name == "OnTimer") {
        OnTimer = reader.Method<TNotifyEvent>(property.value);
        UpdateTimer();
    } else {
        TComponent::SetProperty(property, reader);
    }
}

#include "controls/Spin.h"

#include "framework/Numbers.h"
#include "framework/Published.h"
#include "platform/Beep.h"
#include "platform/DisplayScale.h"
#include "platform/Facets.h"
#include "platform/Regional.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <string>

namespace {

void Beep() {
    platform::Current().beeper->DefaultBeep();
}

bool IsDecimalSeparator(wchar_t key) {
    return platform::Utf8ToWide(platform::Current().regional->DecimalSeparator()) ==
           std::wstring(1, key);
}

// The step wraps in 32 bits: one past the largest number is the smallest.
int32_t WrappingAdd(int32_t value, int32_t step) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(step));
}

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    button_ = new TSpinButton(this);
    button_->SetBounds(0, 0, 15, 17);
    button_->SetVisible(true);
    button_->SetParent(this);
    button_->SetFocusControl(this);
    // Through the virtual table, so that a derived field's steps take their place.
    button_->OnUpClick = [this](TObject* sender) { StepUp(sender); };
    button_->OnDownClick = [this](TObject* sender) { StepDown(sender); };
    SetText("0");
}

TSpinEdit::~TSpinEdit() {
    // The button goes with the owned components, after the window: sizes seen on the way
    // must leave it alone.
    button_ = nullptr;
}

int32_t TSpinEdit::Value() const {
    int32_t value = 0;
    return TryStrToInt(Text(), value) ? value : minValue_;
}

void TSpinEdit::SetValue(int32_t value) {
    SetText(std::to_string(ClampValue(value)));
}

int32_t TSpinEdit::ClampValue(int32_t value) const {
    if (minValue_ == maxValue_) {
        return value;
    }
    if (value < minValue_) {
        return minValue_;
    }
    if (value > maxValue_) {
        return maxValue_;
    }
    return value;
}

bool TSpinEdit::AcceptsChar(wchar_t key) const {
    // Control characters pass (backspace, the clipboard shortcuts) but those that would break
    // the one line of the field into lines or columns: the window underneath is multi-line.
    const bool lineBreak = key == L'\r' || key == L'\n' || key == L'\t';
    bool accepted = (key >= L'0' && key <= L'9') || key == L'+' || key == L'-' ||
                    IsDecimalSeparator(key) || (key < 32 && !lineBreak);
    if (accepted && !editorEnabled_ && (key >= 32 || key == L'\b')) {
        accepted = false;
    }
    return accepted;
}

void TSpinEdit::StepUp(TObject*) {
    if (ReadOnly()) {
        Beep();
        return;
    }
    SetValue(WrappingAdd(Value(), increment_));
}

void TSpinEdit::StepDown(TObject*) {
    if (ReadOnly()) {
        Beep();
        return;
    }
    SetValue(WrappingAdd(Value(), static_cast<int32_t>(0u - static_cast<uint32_t>(increment_))));
}

void TSpinEdit::CreateParams(WindowParams& params) {
    TCustomEdit::CreateParams(params);
    // Multi-line only so that the formatting rectangle can keep the text off the arrows.
    params.style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TSpinEdit::HandleCreated() {
    TCustomEdit::HandleCreated();
    LayOut();
}

void TSpinEdit::FontChanged() {
    TCustomEdit::FontChanged();
    // A new font resets the edit's formatting rectangle and may need a taller field.
    if (HandleAllocated()) {
        LayOut();
    }
}

int TSpinEdit::MinHeight() const {
    WindowDc screen(nullptr);
    TEXTMETRICW system{};
    GetTextMetricsW(screen.get(), &system);
    TEXTMETRICW metrics{};
    {
        ScopedSelect font(screen.get(), Font().Handle());
        GetTextMetricsW(screen.get(), &metrics);
    }
    const int leading = std::min(system.tmHeight, metrics.tmHeight) / 4;
    const int border = platform::Current().scale->GetSystemMetricsForDpi(
        SM_CYBORDER, platform::Current().scale->GetDpiForWindow(Handle()));
    return metrics.tmHeight + leading + border * 4 + 2;
}

void TSpinEdit::LayOut() {
    if (button_ == nullptr) {
        return;
    }
    const int minHeight = MinHeight();
    // While the window scales, the font may still be the other scale's: the scaled height holds.
    if (Height() < minHeight && !Scaling()) {
        // The window's new size comes back here.
        SetHeight(minHeight);
        return;
    }
    const int width = button_->Width();
    if (Ctl3D()) {
        button_->SetBounds(Width() - width - 5, 0, width, Height() - 5);
    } else {
        button_->SetBounds(Width() - width, 1, width, Height() - 3);
    }
    SetEditRect();
}

void TSpinEdit::SetEditRect() {
    RECT client = ClientRect();
    RECT rect{0, 0, client.right - button_->Width() - 2, client.bottom + 1};
    SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
}

bool TSpinEdit::WithinWindow(HWND other) const {
    return other != nullptr && GetAncestor(other, GA_ROOT) == GetAncestor(Handle(), GA_ROOT);
}

LRESULT TSpinEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            LRESULT result = TCustomEdit::WndProc(message, wParam, lParam);
            LayOut();
            return result;
        }
        case WM_KEYDOWN:
            // Every key-down counts, the keyboard's own repeats included; the edit sees the key
            // afterwards all the same.
            if (wParam == VK_UP) {
                StepUp(this);
            } else if (wParam == VK_DOWN) {
                StepDown(this);
            }
            break;
        case WM_CHAR:
            if (!AcceptsChar(static_cast<wchar_t>(wParam))) {
                Beep();
                return 0;
            }
            break;
        case WM_PASTE:
        case WM_CUT:
            // Refused without a sound; what is pasted is not filtered.
            if (!editorEnabled_ || ReadOnly()) {
                return 0;
            }
            break;
        case WM_GETDLGCODE: {
            // Asked without the message, the edit stays out of its dialog mode, in which a
            // multi-line edit would send Escape and Return to its parent as commands.
            LRESULT code = DefaultHandler(message, wParam, 0);
            // Tab belongs to the window, which moves the focus on; Return and Escape come here
            // and beep.
            const auto* queued = reinterpret_cast<const MSG*>(lParam);
            if (queued != nullptr &&
                (queued->message == WM_KEYDOWN || queued->message == WM_CHAR) &&
                queued->wParam == VK_TAB) {
                code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
            }
            return code;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            // The edit takes the focus while handling the press: a click places the caret
            // instead of selecting everything.
            struct Pressed {
                bool& flag;
                explicit Pressed(bool& down) : flag(down) { flag = true; }
                ~Pressed() { flag = false; }
            } pressed(leftButtonDown_);
            return TCustomEdit::WndProc(message, wParam, lParam);
        }
        case WM_SETFOCUS: {
            // The focus comes in when the field was not the window's active control: from another
            // control, or at the window's first showing. Coming back with the window keeps the
            // caret where the user left it.
            const bool entering = !active_;
            active_ = true;
            LRESULT result = TCustomEdit::WndProc(message, wParam, lParam);
            if (entering && autoSelect_ && !leftButtonDown_) {
                SendMessageW(Handle(), EM_SETSEL, 0, -1);
            }
            return result;
        }
        case WM_KILLFOCUS: {
            LRESULT result = TCustomEdit::WndProc(message, wParam, lParam);
            // Leaving for another control of the window applies the bounds; text that is no
            // number reads as MinValue, which the bounds leave alone, so it stays.
            auto* const next = reinterpret_cast<HWND>(wParam);
            if (WithinWindow(next)) {
                // Another control takes the focus, and with it the window's active control.
                if (next != GetAncestor(Handle(), GA_ROOT)) {
                    active_ = false;
                }
                const int32_t value = Value();
                if (ClampValue(value) != value) {
                    SetValue(value);
                }
            }
            return result;
        }
        default:
            break;
    }
    return TCustomEdit::WndProc(message, wParam, lParam);
}

bool TSpinEdit::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TSpinEdit::SetValue>("Value"),
        Property<&TSpinEdit::SetMinValue>("MinValue"),
        Property<&TSpinEdit::SetMaxValue>("MaxValue"),
        Property<&TSpinEdit::SetIncrement>("Increment"),
        Property<&TSpinEdit::SetEditorEnabled>("EditorEnabled"),
        Property<&TSpinEdit::SetAutoSelect>("AutoSelect"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TCustomEdit::SetPublished(property, reader);
}

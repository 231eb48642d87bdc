#include "framework/StdCtrls.h"

#include "framework/Published.h"
#include "framework/Screen.h"
#include "platform/Utf8.h"

void TLabel::CreateParams(WindowParams& params) {
    params.className = L"STATIC";
    // SS_NOTIFY: a label takes clicks and the mouse, which the web-page label needs.
    params.style |= SS_LEFT | SS_NOTIFY;
}

void TLabel::Loaded() {
    TWinControl::Loaded();
    AdjustSize();
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_) {
        focusControl_ = nullptr;
    }
}

bool TLabel::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TLabel::SetFocusControl>("FocusControl"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TWinControl::SetPublished(property, reader);
}

void TLabel::CaptionChanged() {
    AdjustSize();
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (IsLoading()) {
        return;
    }
    // Measured on a memory DC like the screen, made once: asking the display for its DC at
    // every new text is most of the cost of a readout.
    static const OwnedMemoryDc measuring(CreateCompatibleDC(nullptr));
    ScopedSelect font(measuring.get(), Font().Handle());
    std::wstring text = platform::Utf8ToWide(Caption());
    // An empty label keeps the height of a line.
    SIZE extent = TCanvas(measuring.get()).TextExtent(text.empty() ? L" " : text);
    SetBounds(Left(), Top(), text.empty() ? 0 : extent.cx, extent.cy);
}

bool TLabel::HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    if (message != WM_CTLCOLORSTATIC) {
        return TWinControl::HandleNotification(message, wParam, lParam, result);
    }
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    bool handled = TWinControl::HandleNotification(message, wParam, lParam, result);
    if (Screen().HighContrast()) {
        SetTextColor(dc, ColorToRGB(HighContrastTextColor()));
    }
    return handled;
}

TColor TLabel::HighContrastTextColor() const {
    const TColor own = Font().Color();
    if (IsSystemColor(own)) {
        return own;
    }
    // A label that opens something when clicked is a link, and links have a colour of their own.
    return OnClick ? clHotLight : clBtnText;
}

TButtonControl::TButtonControl(TComponent* owner, DWORD style) : TWinControl(owner), style_(style) {
    SetTabStop(true);
}

void TButtonControl::CreateParams(WindowParams& params) {
    params.className = L"BUTTON";
    params.style |= style_;
}

bool TButtonControl::HandleNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return TWinControl::HandleNotification(message, wParam, lParam, result);
}

void TCheckBox::HandleCreated() {
    TWinControl::HandleCreated();
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const {
    if (HandleAllocated()) {
        checked_ = SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return checked_;
}

void TCheckBox::SetChecked(bool checked) {
    checked_ = checked;
    if (HandleAllocated()) {
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

bool TCheckBox::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TCheckBox::SetChecked>("Checked"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TWinControl::SetPublished(property, reader);
}

void TGroupBox::CreateParams(WindowParams& params) {
    params.className = L"BUTTON";
    params.style |= BS_GROUPBOX | WS_CLIPCHILDREN;
    params.exStyle |= WS_EX_CONTROLPARENT;
}

LRESULT TGroupBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The system's group box paints its frame only; the inside is ours to fill.
    if (message == WM_ERASEBKGND) {
        RECT client = ClientRect();
        FillRect(reinterpret_cast<HDC>(wParam), &client, ColorBrush());
        return 1;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomEdit::CreateParams(WindowParams& params) {
    params.className = L"EDIT";
    params.style |= ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
    // The sunken 3D frame, or a flat line around the text.
    if (ctl3D_) {
        params.exStyle |= WS_EX_CLIENTEDGE;
    } else {
        params.style |= WS_BORDER;
    }
}

void TCustomEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (HandleAllocated()) {
        SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
    }
}

bool TCustomEdit::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TCustomEdit::ctl3D_>("Ctl3D"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TWinControl::SetPublished(property, reader);
}

bool TCustomEdit::HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // An edit keeps the system's own colours.
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
        return false;
    }
    return TWinControl::HandleNotification(message, wParam, lParam, result);
}

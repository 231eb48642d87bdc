#include "support/SpinFieldFixture.h"

void SpinFieldTest::SetUp() {
    Start();
    form->Show();
    SetForegroundWindow(form->Handle());
    spin = form->SpinEdit_1;
    Pump();
}

void SpinFieldTest::PressKey(UINT key, bool repeated) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM repeat = repeated ? LPARAM{1} << 30 : 0;
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1 | scan | repeat);
    PostMessageW(GetFocus(), WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
    Pump();
}

void SpinFieldTest::TypeChar(wchar_t character) {
    PostMessageW(GetFocus(), WM_CHAR, character, 1);
    Pump();
}

void SpinFieldTest::Type(const std::wstring& text) {
    for (wchar_t character : text) {
        TypeChar(character);
    }
}

std::pair<int, int> SpinFieldTest::Selection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Field(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

POINT SpinFieldTest::CentreOf(const TControl* control) {
    return {control->Left() + control->Width() / 2, control->Top() + control->Height() / 2};
}

namespace {

void PointAt(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
}

}  // namespace

void SpinFieldTest::MouseDown(POINT point) {
    PointAt(Arrows(), point);
    Pump();
    SendMessageW(Arrows(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void SpinFieldTest::MouseMove(POINT point) {
    PointAt(Arrows(), point);
    SendMessageW(Arrows(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void SpinFieldTest::MouseUp(POINT point) {
    SendMessageW(Arrows(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

bool SpinFieldTest::PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MSG message{};
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

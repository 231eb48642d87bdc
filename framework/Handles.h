#pragma once
// Move-only owners for Windows handles, and scoped guards for the GDI calls that come in pairs.

#include <windows.h>

#include <utility>

// Traits name the handle type and its close function; they may also name the value that means
// "no handle" (Invalid) and a validity test (IsValid) where null is not the only empty value.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    // Safe on itself: the handle is released before reset would close it.
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return IsValid(handle_); }

    Handle release() { return std::exchange(handle_, Invalid()); }

    // Closing keeps the caller's last-error value, so a failure reported just before survives.
    void reset(Handle handle = Invalid()) {
        if (IsValid(handle_)) {
            DWORD lastError = GetLastError();
            Traits::Close(handle_);
            SetLastError(lastError);
        }
        handle_ = handle;
    }

private:
    static Handle Invalid() {
        if constexpr (requires { Traits::Invalid(); }) {
            return Traits::Invalid();
        } else {
            return Handle{};
        }
    }
    static bool IsValid(Handle handle) {
        if constexpr (requires { Traits::IsValid(handle); }) {
            return Traits::IsValid(handle);
        } else {
            return handle != Handle{};
        }
    }

    Handle handle_ = Invalid();
};

// An owner's traits for handles that one function closes.
template <typename H, auto CloseFunction>
struct ClosedBy {
    using Handle = H;
    static void Close(Handle h) { CloseFunction(h); }
};

using OwnedFont = UniqueHandle<ClosedBy<HFONT, DeleteObject>>;
using OwnedBrush = UniqueHandle<ClosedBy<HBRUSH, DeleteObject>>;
using OwnedBitmap = UniqueHandle<ClosedBy<HBITMAP, DeleteObject>>;
using OwnedMemoryDc = UniqueHandle<ClosedBy<HDC, DeleteDC>>;
using OwnedIcon = UniqueHandle<ClosedBy<HICON, DestroyIcon>>;
using OwnedMenu = UniqueHandle<ClosedBy<HMENU, DestroyMenu>>;
using OwnedWindow = UniqueHandle<ClosedBy<HWND, DestroyWindow>>;

// GetDC / ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return paint_.hdc; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// SelectObject, undone when the scope ends.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, previous_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC / RestoreDC.
class ScopedDcState {
public:
    explicit ScopedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~ScopedDcState() { RestoreDC(dc_, saved_); }
    ScopedDcState(const ScopedDcState&) = delete;
    ScopedDcState& operator=(const ScopedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

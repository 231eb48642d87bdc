#pragma once
// Move-only owners for Windows handles, and scoped guards for the calls that come in pairs.

#include <windows.h>

#include <utility>

// Owns a handle that `Close` releases; null is no handle.
template <typename Handle, auto Close>
class UniqueHandle {
public:
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
    explicit operator bool() const { return handle_ != nullptr; }

    Handle release() { return std::exchange(handle_, nullptr); }

    // Closing keeps the caller's last-error value, so a failure reported just before survives.
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            DWORD lastError = GetLastError();
            Close(handle_);
            SetLastError(lastError);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using OwnedFont = UniqueHandle<HFONT, DeleteObject>;
using OwnedBrush = UniqueHandle<HBRUSH, DeleteObject>;
using OwnedBitmap = UniqueHandle<HBITMAP, DeleteObject>;
using OwnedMemoryDc = UniqueHandle<HDC, DeleteDC>;
using OwnedIcon = UniqueHandle<HICON, DestroyIcon>;
using OwnedMenu = UniqueHandle<HMENU, DestroyMenu>;
using OwnedWindow = UniqueHandle<HWND, DestroyWindow>;

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

// Runs `done` when the scope ends, however it ends.
template <typename Done>
class ScopeExit {
public:
    explicit ScopeExit(Done done) : done_(std::move(done)) {}
    ~ScopeExit() { done_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Done done_;
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

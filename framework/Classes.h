#pragma once
// The basic types that components, controls and their events share.

#include <functional>

class TObject {
public:
    virtual ~TObject() = default;
};

class Exception;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift keys and mouse buttons held during an event.
struct TShiftState {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    bool left = false;
    bool right = false;
    bool middle = false;
};

enum class TCloseAction { caNone, caHide };

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TExceptionEvent = std::function<void(TObject* sender, const Exception& error)>;

// Calls an event slot only when it holds a handler.
template <typename Event, typename... Args>
void Fire(const Event& event, Args&&... args) {
    if (event) {
        event(std::forward<Args>(args)...);
    }
}

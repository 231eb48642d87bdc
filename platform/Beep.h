#pragma once

namespace platform {

// The system's sounds.
class Beeper {
public:
    virtual ~Beeper() = default;
    // The default system beep (MessageBeep with 0): a refused key, a step of a read-only field.
    virtual void DefaultBeep() = 0;
};

Beeper& Win32Beeper();

}  // namespace platform

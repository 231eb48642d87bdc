#include "platform/Beep.h"

#include <windows.h>

namespace platform {
namespace {

class Win32BeeperFacet final : public Beeper {
public:
    // Whether a sound could be played does not matter: the beep only tells the user "no".
    void DefaultBeep() override { MessageBeep(0); }
};

}  // namespace

Beeper& Win32Beeper() {
    static Win32BeeperFacet beeper;
    return beeper;
}

}  // namespace platform

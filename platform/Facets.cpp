#include "platform/Facets.h"

#include "platform/Beep.h"
#include "platform/Contrast.h"
#include "platform/Dialogs.h"
#include "platform/DisplayScale.h"
#include "platform/Files.h"
#include "platform/Memory.h"
#include "platform/NotifyArea.h"
#include "platform/Processes.h"
#include "platform/Profile.h"
#include "platform/Regional.h"
#include "platform/Shell.h"
#include "platform/WindowManager.h"

namespace platform {

Facets& Current() {
    static Facets facets{&Win32MemoryStatus(), &Win32Shell(),      &Win32ProcessPriority(),
                         &Win32Processes(),    &Win32Profile(),    &Win32RegionalSettings(),
                         &Win32Files(),        &Win32NotifyArea(), &Win32WindowManager(),
                         &Win32Beeper(),       &Win32Dialogs(),    &Win32DisplayScale(),
                         &Win32Contrast()};
    return facets;
}

}  // namespace platform

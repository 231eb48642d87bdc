#pragma once
// The platform facets in use. Everything above platform/ reaches Windows through these, so a
// test can put a recording fake in place of any one of them.

namespace platform {

class MemoryStatus;
class Shell;
class ProcessPriority;
class Processes;
class Profile;
class RegionalSettings;
class Files;
class NotifyArea;
class WindowManager;
class Beeper;
class Dialogs;
class DisplayScale;
class Contrast;

struct Facets {
    MemoryStatus* memory;
    Shell* shell;
    ProcessPriority* priority;
    Processes* processes;
    Profile* profile;
    RegionalSettings* regional;
    Files* files;
    NotifyArea* notifyArea;
    WindowManager* windows;
    Beeper* beeper;
    Dialogs* dialogs;
    DisplayScale* scale;
    Contrast* contrast;
};

// The Win32 facets, unless a test has put others in.
Facets& Current();

}  // namespace platform

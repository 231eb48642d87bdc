// Velmora: keeps physical memory free by emptying the working sets of running processes.

#include "app/Program.h"
#include "platform/Com.h"
#include "platform/ModuleLoader.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything loads a DLL: users run the program from Downloads, where anything may lie.
    platform::RestrictDllSearchToSystemFolder();
    const platform::ComApartment com;
    return RunVelmora();
}

// Velmora: keeps physical memory free by emptying the working sets of running processes.

#include "app/Program.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return RunVelmora();
}

// Velmora: keeps physical memory free by emptying the working sets of running processes.

#include "app/Unit1.h"
#include "framework/Forms.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    TApplication application;
    application.Initialize();
    TForm1* form = nullptr;
    application.CreateForm(form);
    application.Run();
    return 0;
}

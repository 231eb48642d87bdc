#include "app/Program.h"

#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "platform/Dialogs.h"
#include "platform/Facets.h"
#include "platform/Utf8.h"

#include <exception>
#include <string>

int RunVelmora(std::optional<std::string_view> mainFormText) {
    std::exception_ptr failure;
    try {
        TApplication application;
        application.Initialize();
        TForm1* form = nullptr;
        application.CreateForm(form, mainFormText);
        application.Run();
    } catch (...) {
        failure = std::current_exception();
    }
    if (!failure) {
        return 0;
    }
    // Told only once the half-made windows are gone, so the box stands alone.
    platform::Current().dialogs->ShowError(platform::Utf8ToWide(MessageOf(failure)),
                                           kProgramCaption);
    return 1;
}

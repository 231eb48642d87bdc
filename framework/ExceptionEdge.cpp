#include "framework/ExceptionEdge.h"

#include <utility>

// Set once by the application object and read at every window procedure's edge.
static ExceptionHandler slot;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

std::string MessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(std::move(error));
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Erreur inconnue";
    }
}

void SetExceptionHandler(ExceptionHandler handler) {
    slot = std::move(handler);
}

void HandleEscapedException(std::exception_ptr error) {
    // Copied: the handler may empty the slot while it runs.
    if (ExceptionHandler handler = slot) {
        handler(std::move(error));
    }
}

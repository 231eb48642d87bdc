#include "framework/ExceptionEdge.h"

static ExceptionHandler slot;

std::string MessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
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
        handler(error);
    }
}

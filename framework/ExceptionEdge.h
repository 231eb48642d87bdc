#pragma once
// The one place where exceptions stop: the window procedure runs every message through here, and
// whatever escapes goes to the exception handler that the application object puts in the slot.

#include "framework/Classes.h"

#include <exception>
#include <functional>
#include <string>

// The text of an error, for the user's eyes.
std::string MessageOf(std::exception_ptr error);

using ExceptionHandler = std::function<void(std::exception_ptr error)>;
// Fills the slot; an empty handler drops every escaped exception quietly.
void SetExceptionHandler(ExceptionHandler handler);
void HandleEscapedException(std::exception_ptr error);

template <typename Work, typename Result>
Result RunGuarded(Result fallback, Work&& work) {
    try {
        return work();
    } catch (...) {
        HandleEscapedException(std::current_exception());
        return fallback;
    }
}

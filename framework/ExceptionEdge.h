#pragma once
// The one place where exceptions stop: window procedures, timer ticks and menu commands run
// their work through here, and whatever escapes goes to the application's exception handler.

#include "framework/Classes.h"

#include <exception>
#include <string>

// The text of an error, for the user's eyes.
std::string MessageOf(std::exception_ptr error);

// Implemented by the application object.
void HandleApplicationException(TObject* sender, std::exception_ptr error);

template <typename Work, typename Result>
Result RunGuarded(TObject* sender, Result fallback, Work&& work) {
    try {
        return work();
    } catch (...) {
        HandleApplicationException(sender, std::current_exception());
        return fallback;
    }
}

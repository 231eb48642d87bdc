#include "platform/Com.h"

#include <objbase.h>

namespace platform {

// A thread that is in another apartment already stays there, and the program goes on: without
// COM the shell still opens a web page through its ordinary handlers.
ComApartment::ComApartment()
    : joined_(
          SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}

ComApartment::~ComApartment() {
    if (joined_) {
        CoUninitialize();
    }
}

}  // namespace platform

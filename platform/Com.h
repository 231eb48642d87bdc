#pragma once

namespace platform {

// COM on the calling thread for as long as the owner lives: a single-threaded apartment, without
// the OLE 1 DDE window that no part of the program needs. The shell may carry out a verb through
// a COM handler, so the GUI thread joins an apartment before any call to the shell.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    // Only a successful CoInitializeEx, S_FALSE included, is balanced by CoUninitialize.
    bool joined_;
};

}  // namespace platform

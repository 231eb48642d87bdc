// The exceptions that each thread is handling. The standard library keeps them in emulated
// thread-local storage, whose support code brings a whole threads library into the executable;
// one system thread-local slot does the same work. The layout is the one the C++ ABI gives.

#include <windows.h>

namespace {

struct ExceptionGlobals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

// Constant-initialized, so that an exception thrown before the program's own initializers run
// finds no stale slot.
LONG exceptionSlot = static_cast<LONG>(TLS_OUT_OF_INDEXES);
// For the unlikely thread that can get neither a slot nor memory.
ExceptionGlobals lastResortGlobals;

DWORD ExceptionSlot() {
    if (exceptionSlot == static_cast<LONG>(TLS_OUT_OF_INDEXES)) {
        const DWORD fresh = TlsAlloc();
        if (InterlockedCompareExchange(&exceptionSlot, static_cast<LONG>(fresh),
                                       static_cast<LONG>(TLS_OUT_OF_INDEXES)) !=
            static_cast<LONG>(TLS_OUT_OF_INDEXES)) {
            TlsFree(fresh);  // another thread was first
        }
    }
    return static_cast<DWORD>(exceptionSlot);
}

}  // namespace

extern "C" ExceptionGlobals* __cxa_get_globals() noexcept {
    const DWORD slot = ExceptionSlot();
    if (slot == TLS_OUT_OF_INDEXES) {
        return &lastResortGlobals;
    }
    // A handler may still want the error of the call that made it throw.
    const DWORD lastError = GetLastError();
    auto* globals = static_cast<ExceptionGlobals*>(TlsGetValue(slot));
    if (globals == nullptr) {
        globals = static_cast<ExceptionGlobals*>(
            HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ExceptionGlobals)));
        if (globals != nullptr && !TlsSetValue(slot, globals)) {
            HeapFree(GetProcessHeap(), 0, globals);
            globals = nullptr;
        }
    }
    SetLastError(lastError);
    return globals != nullptr ? globals : &lastResortGlobals;
}

extern "C" ExceptionGlobals* __cxa_get_globals_fast() noexcept {
    return __cxa_get_globals();
}

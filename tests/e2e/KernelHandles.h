#pragma once
// Owners of the kernel handles that the scenarios open: processes, files, folder searches.

#include "framework/Handles.h"

// Kernel objects: the failing functions answer null or INVALID_HANDLE_VALUE, depending on which.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
using OwnedKernelHandle = UniqueHandle<KernelHandleTraits>;
using OwnedFindHandle = UniqueHandle<FindHandleTraits>;

#pragma once
// Owners of the kernel handles that the scenarios open: processes, files, folder searches.

#include "framework/Handles.h"

// The failing kernel functions answer null or INVALID_HANDLE_VALUE, depending on which: both are
// held as no handle.
template <auto Close>
class KernelHandle : public UniqueHandle<HANDLE, Close> {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle)
        : UniqueHandle<HANDLE, Close>(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
};

using OwnedKernelHandle = KernelHandle<CloseHandle>;
using OwnedFindHandle = KernelHandle<FindClose>;

#include "platform/Memory.h"

#include <windows.h>

namespace platform {
namespace {

class Win32Memory final : public MemoryStatus {
public:
    MemoryFigures Query() override {
        // The extended query: its 64-bit fields stay right on machines of any size.
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        GlobalMemoryStatusEx(&status);
        return {status.dwMemoryLoad, status.ullTotalPhys, status.ullAvailPhys};
    }
};

}  // namespace

MemoryStatus& Win32MemoryStatus() {
    static Win32Memory memory;
    return memory;
}

}  // namespace platform

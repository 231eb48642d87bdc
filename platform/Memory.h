#pragma once
#include <cstdint>

namespace platform {

// The physical memory figures of the machine.
struct MemoryFigures {
    uint32_t loadPercent;  // share of physical memory in use, 0-100
    uint64_t totalBytes;
    uint64_t availableBytes;
};

class MemoryStatus {
public:
    virtual ~MemoryStatus() = default;
    virtual MemoryFigures Query() = 0;
};

MemoryStatus& Win32MemoryStatus();

}  // namespace platform

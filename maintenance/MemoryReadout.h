#pragma once
// The memory readout's texts and gauge value, from the machine's memory figures.

#include "platform/Memory.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace maintenance {

struct MemoryReadout {
    std::string total;        // "Mémoire totale : 16 384 Mo"
    std::string available;    // "Mémoire disponible : 9 876 Mo"
    std::string used;         // "Mémoire utilisée : 40 %"
    int32_t freePercent = 0;  // the gauge's progress
};

MemoryReadout ComposeReadout(const platform::MemoryFigures& figures,
                             std::string_view thousandSeparator);

}  // namespace maintenance

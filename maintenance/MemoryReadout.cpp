#include "maintenance/MemoryReadout.h"

#include "framework/Numbers.h"

namespace {

double Megabytes(uint64_t bytes) {
    return static_cast<double>(bytes) / 1024 / 1024;
}

}  // namespace

namespace maintenance {

MemoryReadout ComposeReadout(const platform::MemoryFigures& figures,
                             std::string_view thousandSeparator) {
    MemoryReadout readout;
    readout.available = FormatFloat("\"Mémoire disponible : \"#,###\" Mo\"",
                                    Megabytes(figures.availableBytes), thousandSeparator);
    readout.used = "Mémoire utilisée : " + std::to_string(figures.loadPercent) + " %";
    readout.total = FormatFloat("\"Mémoire totale : \"#,#\" Mo\"", Megabytes(figures.totalBytes),
                                thousandSeparator);
    readout.freePercent = 100 - static_cast<int32_t>(figures.loadPercent);
    return readout;
}

}  // namespace maintenance

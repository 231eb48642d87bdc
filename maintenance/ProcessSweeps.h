#pragma once
// The sweeps: walk the process list and empty the working set of every process a sweep selects.
// Refusals are passed by: a process that cannot be opened or trimmed does not stop a sweep.

#include <functional>
#include <string_view>

#include "platform/Processes.h"

namespace maintenance {

// The access that emptying a working set needs, and no more: PROCESS_QUERY_LIMITED_INFORMATION |
// PROCESS_SET_QUOTA. Full access to every process, the credential store among them, is what
// security products take for an attack.
inline constexpr DWORD kTrimAccess = 0x1100;

// Readers of the browser tick boxes, asked afresh for every process of a sweep.
struct BrowserBoxes {
    std::function<bool()> chrome;
    std::function<bool()> internetExplorer;
    std::function<bool()> firefox;
};

// The idle and system processes (ids 0 and 4), which no sweep touches.
bool IsNeverTrimmed(DWORD processId);

// The record's executable name: up to the first NUL, never past the end of the field.
std::string_view ExeName(const platform::ProcessRecord& record);

// Every process but the idle and system ones, this program's own included.
void SweepAll(platform::Processes& processes);

// Every process of a browser whose box is ticked.
void SweepBrowsers(platform::Processes& processes, const BrowserBoxes& boxes);

// Every process of this program, by executable name.
void TrimSelf(platform::Processes& processes);

}  // namespace maintenance

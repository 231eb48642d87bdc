// Memory readouts of the real window against the bare calls they come down to: the memory
// status and the three labels' texts.

#include "bench/Benches.h"
#include "bench/Timing.h"

#include "app/Unit1.h"
#include "fakes/FakePlatform.h"
#include "fakes/ScopedFacet.h"
#include "framework/Forms.h"
#include "platform/Facets.h"
#include "platform/Memory.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int kReadouts = 10000;
constexpr int kRounds = 3;

// The real query, with figures that differ from one call to the next, so that every readout has
// three new texts and a new gauge value to show.
class ChangingMemory final : public platform::MemoryStatus {
public:
    platform::MemoryFigures Query() override {
        platform::MemoryFigures figures = platform::Win32MemoryStatus().Query();
        flip_ = !flip_;
        if (flip_) {
            figures.loadPercent = figures.loadPercent == 100 ? 99 : figures.loadPercent + 1;
            figures.availableBytes += 5ull << 20;
            figures.totalBytes += 5ull << 20;
        }
        return figures;
    }

private:
    bool flip_ = false;
};

void BareReadouts(HWND total, HWND available, HWND used) {
    static const wchar_t* const kTexts[] = {
        L"Mémoire totale : 8 192 Mo", L"Mémoire disponible : 3 072 Mo", L"Mémoire utilisée : 62 %"};
    for (int i = 0; i < kReadouts; ++i) {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        GlobalMemoryStatusEx(&status);
        SetWindowTextW(available, kTexts[1]);
        SetWindowTextW(used, kTexts[2]);
        SetWindowTextW(total, kTexts[0]);
    }
}

}  // namespace

bool BenchReadouts() {
    // The window's creation would put the whole bench at idle priority.
    FakePriority priority;
    ScopedFacet prioritySwap(platform::Current().priority, priority);
    TApplication application;
    application.Initialize();
    TForm1* form = nullptr;
    application.CreateForm(form);

    ChangingMemory changing;
    for (bool changes : {false, true}) {
        std::optional<ScopedFacet<platform::MemoryStatus>> memorySwap;
        if (changes) {
            memorySwap.emplace(platform::Current().memory, changing);
        }
        for (bool shown : {false, true}) {
            form->SetVisible(shown);
            application.ProcessMessages();
            Timings readouts;
            Timings bare;
            TimeSideBySide(
                kRounds, readouts, bare,
                [&] {
                    for (int i = 0; i < kReadouts; ++i) {
                        form->Button3Click(form->Button3);
                    }
                },
                [&] {
                    BareReadouts(form->Label6->Handle(), form->Label7->Handle(),
                                 form->Label8->Handle());
                });
            const std::string what = std::string("10 000 readouts, ") +
                                     (changes ? "figures changing" : "the machine's figures") +
                                     ", window " + (shown ? "shown" : "hidden") +
                                     ", against the bare calls";
            PrintRatio(what.c_str(), readouts, bare, 1.2);
        }
    }
    return true;
}

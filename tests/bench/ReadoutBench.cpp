// Memory readouts of the real window against the bare calls they come down to: the memory
// status and the three labels' texts.

#include "bench/Benches.h"
#include "bench/Timing.h"

#include "app/Unit1.h"
#include "controls/Gauges.h"
#include "fakes/FakePlatform.h"
#include "fakes/ScopedFacet.h"
#include "framework/Application.h"
#include "platform/Facets.h"
#include "platform/Memory.h"
#include "support/PumpUntil.h"

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

// The bare readout and the least drawing that shows the gauge's bar and text on the window: two
// fills and one text output on the panel's DC, at the gauge's place.
void BareReadoutsAndBar(HWND total, HWND available, HWND used, HWND panel, const RECT& gauge,
                        HFONT font) {
    static const wchar_t* const kTexts[] = {L"50%", L"51%"};
    for (int i = 0; i < kReadouts; ++i) {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        GlobalMemoryStatusEx(&status);
        SetWindowTextW(available, L"Mémoire disponible : 3 072 Mo");
        SetWindowTextW(used, L"Mémoire utilisée : 62 %");
        SetWindowTextW(total, L"Mémoire totale : 8 192 Mo");
        WindowDc dc(panel);
        HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
        SetDCBrushColor(dc.get(), RGB(255, 0, 0));
        FillRect(dc.get(), &gauge, brush);
        RECT bar = gauge;
        bar.right = gauge.left + (gauge.right - gauge.left) / 2;
        SetDCBrushColor(dc.get(), RGB(0, 128, 0));
        FillRect(dc.get(), &bar, brush);
        HGDIOBJ previous = SelectObject(dc.get(), font);
        SetBkMode(dc.get(), TRANSPARENT);
        ExtTextOutW(dc.get(), gauge.left + 110, gauge.top + 6, ETO_CLIPPED, &gauge, kTexts[i % 2],
                    3, nullptr);
        SelectObject(dc.get(), previous);
    }
}

// The three bitmaps that every gauge paint must create and free, alone: the floor of a paint.
void GaugeBitmaps(int width, int height) {
    for (int i = 0; i < kReadouts; ++i) {
        TBitmap image(width, height);
        TBltBitmap overlay;
        overlay.MakeLike(image);
        TBltBitmap text;
        text.MakeLike(image);
    }
}

}  // namespace

// Figures changing on a shown window: every readout draws the gauge. Timed in turn against the
// bare calls, the bare calls with a bare bar, and the gauge's three bitmaps alone.
void BenchShownChanges(TForm1& form) {
    Timings readouts, bare, bareBar, bitmaps;
    TGauge& gauge = *form.Gauge1;
    for (int round = 0; round < kRounds; ++round) {
        readouts.Add(TimeOnce([&] {
            for (int i = 0; i < kReadouts; ++i) {
                form.Button3Click(form.Button3);
            }
        }));
        bare.Add(TimeOnce([&] {
            BareReadouts(form.Label6->Handle(), form.Label7->Handle(), form.Label8->Handle());
        }));
        bareBar.Add(TimeOnce([&] {
            BareReadoutsAndBar(form.Label6->Handle(), form.Label7->Handle(), form.Label8->Handle(),
                               gauge.Parent()->Handle(), gauge.BoundsRect(), gauge.Font().Handle());
        }));
        bitmaps.Add(TimeOnce([&] { GaugeBitmaps(gauge.Width(), gauge.Height()); }));
    }
    const char* what = "10 000 readouts, figures changing, window shown";
    PrintRatio((std::string(what) + ", against the bare calls").c_str(), readouts, bare, 1.3);
    PrintRatio((std::string(what) + ", against the bare calls and a bare bar").c_str(), readouts,
               bareBar, 1.3);
    std::printf(
        "  the gauge's three bitmaps alone, 10 000 times: median %.3f ms, %.3f of the bare "
        "calls\n",
        bitmaps.Median(), bitmaps.Median() / bare.Median());
}

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
            PumpMessages(application);
            if (changes && shown) {
                BenchShownChanges(*form);
                continue;
            }
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

// The real main window, built from its real form resource under Wine.

#include "support/MainWindowFixture.h"

#include "controls/Gauges.h"
#include "controls/Spin.h"
#include "platform/Utf8.h"
#include "support/MenuWatch.h"
#include "support/PumpUntil.h"

#include <commctrl.h>

#include <vector>

namespace {

std::string WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return platform::WideToUtf8(text);
}

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TEST_F(MainWindowTest, ControlsStandWhereTheWindowTableSays) {
    Start();
    struct Placement {
        TWinControl* control;
        TWinControl* parent;
        int left, top, width, height;  // -1: not fixed by the table
        const char* text;
    };
    const Placement placements[] = {
        {form->Image1, form->GroupBox1, 16, 32, 49, 49, ""},
        {form->Label2, form->GroupBox1, 80, 24, -1, -1, "Je garde votre mémoire"},
        {form->Label3, form->GroupBox1, 80, 40, -1, -1, "RAM et toutes les"},
        {form->SpinEdit_1, form->GroupBox1, 80, 56, 49, 22, "30"},
        {form->Label1, form->GroupBox1, 136, 58, -1, -1, "Minutes"},
        {form->Label5, form->GroupBox1, 80, 80, -1, -1, "Je fais le ménage"},
        {form->Label4, form->GroupBox1, 40, 104, -1, -1, TForm1::kWebPage},
        {form->i_explore, form->GroupBox2, 8, 24, -1, -1, "J'utilise Internet Explorer"},
        {form->Firefox_1, form->GroupBox2, 8, 48, -1, -1, "J'utilise Firefox"},
        {form->Chrome_1, form->GroupBox2, 8, 72, -1, -1, "J'utilise Chrome"},
        {form->Label6, form->Panel3, 8, 8, -1, -1, nullptr},
        {form->Label7, form->Panel3, 8, 32, -1, -1, nullptr},
        {form->Label8, form->Panel3, 8, 56, -1, -1, nullptr},
        {form->Button1, form->Panel1, 8, 8, 105, 25, "Faire le ménage"},
        {form->Button4, form->Panel1, 128, 8, 105, 25, "Réduire"},
    };
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.control->Name());
        ASSERT_TRUE(p.control->HandleAllocated());
        EXPECT_EQ(GetParent(p.control->Handle()), p.parent->Handle());
        RECT rect = RectInParent(p.control->Handle());
        EXPECT_EQ(rect.left, p.left);
        EXPECT_EQ(rect.top, p.top);
        if (p.width >= 0) {
            EXPECT_EQ(rect.right - rect.left, p.width);
            EXPECT_EQ(rect.bottom - rect.top, p.height);
        }
        if (p.text != nullptr) {
            EXPECT_EQ(WindowText(p.control->Handle()), p.text);
        }
        EXPECT_TRUE(IsWindowVisible(p.parent->Handle()) == IsWindowVisible(p.control->Handle()));
    }
    EXPECT_EQ(WindowText(form->GroupBox1->Handle()), "Délai de lancement");
    EXPECT_EQ(WindowText(form->GroupBox2->Handle()),
              "Répare les fuites mémoires de mon navigateur");
    EXPECT_EQ(WindowText(form->Handle()), "Velmora");
    for (TButton* hidden : {form->Button2, form->Button3, form->Button5}) {
        EXPECT_FALSE(hidden->Visible());
        EXPECT_EQ(GetWindowLongW(hidden->Handle(), GWL_STYLE) & WS_VISIBLE, 0);
    }
    EXPECT_EQ(GetParent(form->Button5->Handle()), form->GroupBox1->Handle());
    EXPECT_EQ(GetParent(form->Button2->Handle()), form->GroupBox2->Handle());
    EXPECT_EQ(GetParent(form->Button3->Handle()), form->Panel3->Handle());
}

TEST_F(MainWindowTest, AlignedPanelsShareTheWindowFromTopToBottom) {
    Start();
    RECT rect{};
    GetWindowRect(form->Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, 266);
    EXPECT_EQ(rect.bottom - rect.top, 444);

    RECT client{};
    GetClientRect(form->Handle(), &client);
    const int width = client.right - 10;  // the window's border width is 5
    auto bounds = [](TWinControl* control) { return RectInParent(control->Handle()); };

    RECT group = bounds(form->GroupBox1);
    EXPECT_EQ(group.left, 5);
    EXPECT_EQ(group.top, 5);
    EXPECT_EQ(group.right - group.left, width);
    EXPECT_EQ(group.bottom - group.top, 129);

    RECT panel2 = bounds(form->Panel2);
    EXPECT_EQ(panel2.top, group.bottom);
    EXPECT_EQ(panel2.bottom - panel2.top, 96);
    RECT group2 = bounds(form->GroupBox2);
    EXPECT_EQ(group2.left, 0);
    EXPECT_EQ(group2.top, 0);
    EXPECT_EQ(group2.right - group2.left, width);
    EXPECT_EQ(group2.bottom - group2.top, 96);

    RECT status = bounds(form->StatusBar1);
    EXPECT_EQ(status.bottom, client.bottom - 5);
    EXPECT_EQ(status.bottom - status.top, 19);
    RECT panel1 = bounds(form->Panel1);
    EXPECT_EQ(panel1.bottom, status.top);
    EXPECT_EQ(panel1.bottom - panel1.top, 41);

    RECT panel3 = bounds(form->Panel3);
    EXPECT_EQ(panel3.top, panel2.bottom);
    EXPECT_EQ(panel3.bottom, panel1.top);
    EXPECT_EQ(panel3.right - panel3.left, width);

    // The gauge sits on the bottom edge of its panel, inside the panel's one-pixel bevel.
    EXPECT_EQ(form->Gauge1->Left(), 1);
    EXPECT_EQ(form->Gauge1->Width(), width - 2);
    EXPECT_EQ(form->Gauge1->Height(), 26);
    EXPECT_EQ(form->Gauge1->Top() + 26, (panel3.bottom - panel3.top) - 1);
    EXPECT_EQ(StatusParts(form->StatusBar1->Handle()), 1);
}

TEST_F(MainWindowTest, LabelsCarryTheirOwnLooks) {
    Start();
    const LOGFONTW link = FontOf(form->Label4->Handle());
    EXPECT_EQ(link.lfWeight, FW_BOLD);
    EXPECT_TRUE(link.lfUnderline);
    EXPECT_EQ(form->Label4->Font().Color(), clNavy);
    EXPECT_EQ(form->Label7->Font().Color(), clGreen);
    EXPECT_EQ(form->Label8->Font().Color(), clRed);
    EXPECT_EQ(form->Label6->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(form->Label6->Font().Height(), -11);
    EXPECT_EQ(form->Gauge1->BackColor(), clRed);
    EXPECT_EQ(form->Gauge1->ForeColor(), clGreen);
    EXPECT_EQ(form->Gauge1->BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(form->Gauge1->MaxValue(), 100);
    MenuWatch menus;
    form->PopupMenu1->Popup(10, 10);
    ASSERT_EQ(menus.Shown(), 1);
    EXPECT_EQ(menus.LastItems(),
              (std::vector<std::string>{"Libère de la Ram", "Afficher", "-", "Quitter"}));
}

TEST_F(MainWindowTest, EveryTabStopHasANameThatAScreenReaderFinds) {
    Start();
    auto isClass = [](HWND window, const wchar_t* name) {
        wchar_t found[64] = {};
        GetClassNameW(window, found, 64);
        return _wcsicmp(found, name) == 0;
    };
    // An edit is named after the first static text above it among its siblings.
    HWND above = GetWindow(form->SpinEdit_1->Handle(), GW_HWNDPREV);
    while (above != nullptr && !isClass(above, L"Static")) {
        above = GetWindow(above, GW_HWNDPREV);
    }
    EXPECT_EQ(above, form->Label1->Handle());
    // The other tab stops are buttons and check boxes, named by their own text.
    struct Found {
        std::vector<HWND> unnamed;
        HWND field;
    } found{{}, form->SpinEdit_1->Handle()};
    EnumChildWindows(
        form->Handle(),
        [](HWND window, LPARAM data) {
            auto& found = *reinterpret_cast<Found*>(data);
            const bool tabStop = (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) != 0;
            if (tabStop && IsWindowVisible(window) && window != found.field &&
                WindowText(window).empty()) {
                found.unnamed.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    EXPECT_TRUE(found.unnamed.empty());
}

TEST_F(MainWindowTest, FirstStartAppliesTheDefaultsAndRunsAtIdlePriority) {
    Start();
    EXPECT_EQ(priority.classes, std::vector<DWORD>{0x40});
    EXPECT_EQ(form->SpinEdit_1->Value(), 30);
    EXPECT_FALSE(form->i_explore->Checked());
    EXPECT_FALSE(form->Firefox_1->Checked());
    EXPECT_FALSE(form->Chrome_1->Checked());
    EXPECT_EQ(form->Timer1->Interval(), 1800000u);
    EXPECT_FALSE(form->Timer4->Enabled());
    EXPECT_EQ(form->Label8->Caption(), "Mémoire utilisée : 40 %");
    EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "");

    // The message loop shows the window, centred on the desktop.
    PostQuitMessage(0);
    app->Run();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindowVisible(app->Handle()));
    RECT rect{}, desktop{};
    GetWindowRect(form->Handle(), &rect);
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(rect.left, (desktop.right - 266) / 2);
    EXPECT_EQ(rect.top, (desktop.bottom - 444) / 2);
}

TEST_F(MainWindowTest, HiddenStartShowsNothingAndArmsTheSelfTrim) {
    WriteStateFile("[Form1]\r\n");
    Start();
    EXPECT_EQ(priority.classes, std::vector<DWORD>{0x40});
    EXPECT_TRUE(form->Timer4->Enabled());
    EXPECT_EQ(form->Label8->Caption(), "Mémoire utilisée : 40 %");

    // The message loop leaves the window hidden, and the taskbar without a button.
    PostQuitMessage(0);
    app->Run();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(app->Handle()));
}

TEST_F(MainWindowTest, StartupShowCommandsMaximizeOrSendToTheTray) {
    Start();
    windows.startupShowCommand = SW_SHOWMAXIMIZED;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    app->Run();
    EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
    EXPECT_TRUE(IsZoomed(form->Handle()));
}

TEST_F(MainWindowTest, StartedMinimizedTheWindowStaysOffScreen) {
    Start();
    windows.startupShowCommand = SW_SHOWMINNOACTIVE;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    app->Run();
    EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(IsIconic(app->Handle()));
}

TEST_F(MainWindowTest, AnExceptionInAHandlerEndsInTheStatusBarAndTheProgramGoesOn) {
    Start();
    memory.failure = "Lecture de la mémoire impossible";
    // A real click: BM_CLICK -> WM_COMMAND to the panel -> the button's own handler.
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "Lecture de la mémoire impossible");

    memory.failure.clear();
    memory.figures = {70, 4ull << 30, 1ull << 30};
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->Label8->Caption(), "Mémoire utilisée : 70 %");
    EXPECT_EQ(form->Gauge1->Progress(), 30);
}

TEST_F(MainWindowTest, AnExceptionInAMenuCommandOrATimerTickEndsInTheStatusBarToo) {
    Start();
    memory.failure = "Pas de mémoire pour le menu";
    SendMessageW(TPopupMenu::CommandWindow(), WM_COMMAND, form->LibredelaRam1->Command(), 0);
    EXPECT_EQ(StatusText(form->StatusBar1->Handle()), "Pas de mémoire pour le menu");

    memory.failure = "Pas de mémoire pour la minuterie";
    form->Timer3->SetInterval(20);
    EXPECT_TRUE(PumpUntil(*app, [&] {
        return StatusText(form->StatusBar1->Handle()) == "Pas de mémoire pour la minuterie";
    }));
    memory.failure.clear();
    memory.figures.loadPercent = 55;
    EXPECT_TRUE(PumpUntil(*app, [&] {
        return form->Label8->Caption() == "Mémoire utilisée : 55 %";
    })) << "it ticks on";
}

TEST_F(MainWindowTest, WebPageLabelOpensThePageAndShowsTheHand) {
    Start();
    SendMessageW(form->GroupBox1->Handle(), WM_COMMAND, MAKEWPARAM(0, STN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Label4->Handle()));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].owner, form->Handle());
    EXPECT_EQ(shell.opened[0].url, TForm1::kWebPage);

    SendMessageW(form->Label4->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(CursorOver(form->Handle()), LoadCursorW(nullptr, IDC_HAND)) << "over the window";
    SendMessageW(form->Label4->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(CursorOver(form->Handle()), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(MainWindowTest, TextThatAnotherProgramPutsInALabelGoesAtTheNextReadout) {
    Start();
    const std::string shown = form->Label7->Caption();
    SendMessageW(form->Label7->Handle(), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"(effacé par un autre)"));
    EXPECT_EQ(form->Label7->Caption(), "(effacé par un autre)");
    form->Button3Click(form->Button3);
    EXPECT_EQ(form->Label7->Caption(), shown);
    wchar_t text[64] = L"";
    GetWindowTextW(form->Label7->Handle(), text, 64);
    EXPECT_EQ(platform::WideToUtf8(text), shown);
}

struct ReadoutCase {
    const char* name;
    platform::MemoryFigures figures;
    const char* separator;
    const char* total;
    const char* available;
    const char* used;
    int progress;
};

class ReadoutTest : public MainWindowTest, public testing::WithParamInterface<ReadoutCase> {};

TEST_P(ReadoutTest, FillsTheThreeLabelsAndTheGauge) {
    const ReadoutCase& c = GetParam();
    Start();
    memory.figures = c.figures;
    regional.separator = c.separator;
    form->Button3Click(nullptr);
    EXPECT_EQ(form->Label6->Caption(), c.total);
    EXPECT_EQ(form->Label7->Caption(), c.available);
    EXPECT_EQ(form->Label8->Caption(), c.used);
    EXPECT_EQ(form->Gauge1->Progress(), c.progress);
    EXPECT_EQ(WindowText(form->Label7->Handle()), c.available);
}

constexpr uint64_t kMiB = 1024 * 1024;

INSTANTIATE_TEST_SUITE_P(Figures, ReadoutTest,
                         testing::Values(ReadoutCase{"nothing_available",
                                                     {100, 16384 * kMiB, 0},
                                                     "\u202F",
                                                     "Mémoire totale : 16\u202F384 Mo",
                                                     "Mémoire disponible :  Mo",
                                                     "Mémoire utilisée : 100 %",
                                                     0},
                                         ReadoutCase{"under_half_a_megabyte",
                                                     {0, 2048 * kMiB, kMiB / 2 - 1},
                                                     ",",
                                                     "Mémoire totale : 2,048 Mo",
                                                     "Mémoire disponible :  Mo",
                                                     "Mémoire utilisée : 0 %",
                                                     100},
                                         ReadoutCase{"rounds_up_to_2048_french",
                                                     {37, 4096 * kMiB, 2047 * kMiB + kMiB * 6 / 10},
                                                     "\u202F",
                                                     "Mémoire totale : 4\u202F096 Mo",
                                                     "Mémoire disponible : 2\u202F048 Mo",
                                                     "Mémoire utilisée : 37 %",
                                                     63},
                                         ReadoutCase{"rounds_up_to_2048_english",
                                                     {37, 4096 * kMiB, 2047 * kMiB + kMiB * 6 / 10},
                                                     ",",
                                                     "Mémoire totale : 4,096 Mo",
                                                     "Mémoire disponible : 2,048 Mo",
                                                     "Mémoire utilisée : 37 %",
                                                     63},
                                         ReadoutCase{"beyond_32_bits",
                                                     {12, 65536 * kMiB, 40000 * kMiB},
                                                     "\u00A0",
                                                     "Mémoire totale : 65\u00A0536 Mo",
                                                     "Mémoire disponible : 40\u00A0000 Mo",
                                                     "Mémoire utilisée : 12 %",
                                                     88}),
                         [](const testing::TestParamInfo<ReadoutCase>& info) {
                             return info.param.name;
                         });

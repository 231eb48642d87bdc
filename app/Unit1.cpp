#include "app/Unit1.h"

#include "app/TrayIcon.h"
#include "controls/Gauges.h"
#include "controls/Spin.h"
#include "framework/Screen.h"
#include "maintenance/MemoryReadout.h"
#include "maintenance/ProcessSweeps.h"
#include "maintenance/SweepSchedule.h"
#include "platform/Facets.h"
#include "platform/Files.h"
#include "platform/Memory.h"
#include "platform/Regional.h"
#include "platform/Shell.h"
#include "settings/StateFile.h"
#include "settings/SvgEditIni.h"

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    ClassRegistry& registry = ClassRegistry::Instance();
    registry.Register<TGauge>("TGauge");
    registry.Register<TSpinEdit>("TSpinEdit");
    registry.Register<TSvgEditIni>("TSvgEditIni");
    registry.Register<TTrayIcon>("TTrayIcon");

    PublishComponents({
        {"GroupBox1", GroupBox1},     {"Image1", Image1},
        {"Label2", Label2},           {"Label3", Label3},
        {"SpinEdit_1", SpinEdit_1},   {"Label1", Label1},
        {"Label5", Label5},           {"Label4", Label4},
        {"Button5", Button5},         {"Panel2", Panel2},
        {"GroupBox2", GroupBox2},     {"i_explore", i_explore},
        {"Firefox_1", Firefox_1},     {"Chrome_1", Chrome_1},
        {"Button2", Button2},         {"Panel3", Panel3},
        {"Label6", Label6},           {"Label7", Label7},
        {"Label8", Label8},           {"Gauge1", Gauge1},
        {"Button3", Button3},         {"Panel1", Panel1},
        {"Button1", Button1},         {"Button4", Button4},
        {"StatusBar1", StatusBar1},   {"TrayIcon1", TrayIcon1},
        {"PopupMenu1", PopupMenu1},   {"LibredelaRam1", LibredelaRam1},
        {"Afficher1", Afficher1},     {"N1", N1},
        {"Quitter1", Quitter1},       {"ApplicationEvents1", ApplicationEvents1},
        {"Timer1", Timer1},           {"Timer2", Timer2},
        {"Timer3", Timer3},           {"Timer4", Timer4},
        {"SvgEditIni1", SvgEditIni1}, {"XPManifest1", XPManifest1},
    });
    PublishHandlers({
        {"FormCreate", &TForm1::FormCreate},
        {"Button1Click", &TForm1::Button1Click},
        {"Button2Click", &TForm1::Button2Click},
        {"Button3Click", &TForm1::Button3Click},
        {"Button4Click", &TForm1::Button4Click},
        {"Button5Click", &TForm1::Button5Click},
        {"TrayIcon1DblClick", &TForm1::TrayIcon1DblClick},
        {"Afficher1Click", &TForm1::Afficher1Click},
        {"ApplicationEvents1Minimize", &TForm1::ApplicationEvents1Minimize},
        {"Quitter1Click", &TForm1::Quitter1Click},
        {"ApplicationEvents1Exception", &TForm1::ApplicationEvents1Exception},
        {"Timer1Timer", &TForm1::Timer1Timer},
        {"Timer2Timer", &TForm1::Timer2Timer},
        {"Timer3Timer", &TForm1::Timer3Timer},
        {"Timer4Timer", &TForm1::Timer4Timer},
        {"Label4Click", &TForm1::Label4Click},
        {"Label4MouseMove", &TForm1::Label4MouseMove},
        {"Label4MouseLeave", &TForm1::Label4MouseLeave},
    });
}

void TForm1::FormCreate(TObject*) {
    platform::Current().priority->SetOwnPriorityClass(IDLE_PRIORITY_CLASS);
    if (platform::Current().files->FileExists(StateFilePath())) {
        // Hidden start: the program sits in the tray with the values it was closed with.
        SetVisible(false);
        Application->SetShowMainForm(false);
        Timer4->SetEnabled(true);
    } else {
        SpinEdit_1->SetValue(30);
        i_explore->SetChecked(false);
        Firefox_1->SetChecked(false);
        Chrome_1->SetChecked(false);
    }
    Button3Click(this);
    Timer1->SetInterval(SweepIntervalMs(SpinEdit_1->Value()));
    Gauge1->SetMaxValue(100);
}

void TForm1::Button1Click(TObject*) {
    // A minutes value of 0 switches the sweeps off; the readout runs all the same.
    if (SpinEdit_1->Value() != 0) {
        maintenance::SweepAll(*platform::Current().processes);
    }
    Button3Click(this);
}

void TForm1::Button2Click(TObject*) {
    if (SpinEdit_1->Value() == 0) {
        return;
    }
    maintenance::SweepBrowsers(
        *platform::Current().processes,
        {[this] { return Chrome_1->Checked(); }, [this] { return i_explore->Checked(); },
         [this] { return Firefox_1->Checked(); }});
}

void TForm1::Button3Click(TObject*) {
    platform::Facets& facets = platform::Current();
    maintenance::MemoryReadout readout =
        maintenance::ComposeReadout(facets.memory->Query(), facets.regional->ThousandSeparator());
    Label7->SetCaption(readout.available);
    Label8->SetCaption(readout.used);
    Label6->SetCaption(readout.total);
    Gauge1->SetProgress(readout.freePercent);
}

void TForm1::Button4Click(TObject*) {
    Timer3->SetEnabled(false);
    SetVisible(false);
    Application->SetShowMainForm(false);
    Button5Click(this);
}

void TForm1::Button5Click(TObject*) {
    maintenance::TrimSelf(*platform::Current().processes);
}

void TForm1::TrayIcon1DblClick(TObject* sender, TMouseButton, TShiftState, int, int) {
    Afficher1Click(sender);
}

void TForm1::Afficher1Click(TObject*) {
    Timer3->SetEnabled(true);
    // Brings back a program minimized to the tray; after "Réduire" or a hidden start there is
    // nothing to restore and showing the window does it all.
    Application->Restore();
    SetVisible(true);
    Application->SetShowMainForm(Visible());
    Application->BringToFront();
}

void TForm1::Quitter1Click(TObject*) {
    Close();
}

void TForm1::ApplicationEvents1Minimize(TObject*) {
    Timer3->SetEnabled(false);
    // The application window is minimized already: this only takes the taskbar button away.
    TrayIcon1->ConcealApplication();
    TrayIcon1->SetActive(true);
    Button5Click(this);
}

void TForm1::ApplicationEvents1Exception(TObject*, const Exception& error) {
    StatusBar1->SetPanelText(0, error.Message());
}

void TForm1::Timer1Timer(TObject*) {
    Timer1->SetInterval(SweepIntervalMs(SpinEdit_1->Value()));
    Button1Click(this);
}

void TForm1::Timer2Timer(TObject*) {
    if (i_explore->Checked() || Firefox_1->Checked() || Chrome_1->Checked()) {
        Button2Click(this);
    }
}

void TForm1::Timer3Timer(TObject*) {
    Button3Click(this);
}

void TForm1::Timer4Timer(TObject*) {
    Button5Click(this);
    Timer4->SetEnabled(false);
}

void TForm1::Label4Click(TObject*) {
    platform::Current().shell->OpenWebPage(Handle(), kWebPage);
}

void TForm1::Label4MouseMove(TObject*, TShiftState, int, int) {
    Screen().SetCursor(crHandPoint);
}

void TForm1::Label4MouseLeave(TObject*) {
    Screen().SetCursor(crDefault);
}

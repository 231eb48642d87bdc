#pragma once
// The program's one window: its controls, timers and non-visual components, and every
// handler that the user's actions and the timers reach.

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"

class TGauge;
class TSpinEdit;
class TSvgEditIni;
class TTrayIcon;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    const char* ClassName() const override { return "TForm1"; }

    TGroupBox* GroupBox1 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TSpinEdit* SpinEdit_1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label4 = nullptr;
    TButton* Button5 = nullptr;
    TPanel* Panel2 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TCheckBox* i_explore = nullptr;
    TCheckBox* Firefox_1 = nullptr;
    TCheckBox* Chrome_1 = nullptr;
    TButton* Button2 = nullptr;
    TPanel* Panel3 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TGauge* Gauge1 = nullptr;
    TButton* Button3 = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button4 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TTrayIcon* TrayIcon1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* LibredelaRam1 = nullptr;
    TMenuItem* Afficher1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* Quitter1 = nullptr;
    TApplicationEvents* ApplicationEvents1 = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;
    TTimer* Timer3 = nullptr;
    TTimer* Timer4 = nullptr;
    TSvgEditIni* SvgEditIni1 = nullptr;
    TXPManifest* XPManifest1 = nullptr;

    void FormCreate(TObject* sender);
    // Full sweep, then the readout.
    void Button1Click(TObject* sender);
    // Browser sweep.
    void Button2Click(TObject* sender);
    // Memory readout.
    void Button3Click(TObject* sender);
    // Hide to the tray.
    void Button4Click(TObject* sender);
    // Self trim.
    void Button5Click(TObject* sender);
    // Show the window from the tray: both run the same steps.
    void TrayIcon1DblClick(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Afficher1Click(TObject* sender);
    // Close the window, which ends the program from any state.
    void Quitter1Click(TObject* sender);
    // Hide to the tray after any minimize.
    void ApplicationEvents1Minimize(TObject* sender);
    void ApplicationEvents1Exception(TObject* sender, const Exception& error);
    void Timer1Timer(TObject* sender);
    void Timer2Timer(TObject* sender);
    void Timer3Timer(TObject* sender);
    void Timer4Timer(TObject* sender);
    void Label4Click(TObject* sender);
    void Label4MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Label4MouseLeave(TObject* sender);

    // The program's web page, which Label4 shows and opens.
    static constexpr const char* kWebPage = "https://www.velmora.example";
};

object Form1: TForm1
  Left = 202
  Top = 124
  Width = 266
  Height = 444
  Caption = 'Velmora'
  BorderWidth = 5
  Color = clBtnFace
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poDesktopCenter
  OnCreate = FormCreate
  object GroupBox1: TGroupBox
    Left = 5
    Top = 5
    Width = 248
    Height = 129
    Align = alTop
    Caption = 'Délai de lancement'
    TabOrder = 0
    object Image1: TImage
      Left = 16
      Top = 32
      Width = 49
      Height = 49
      Picture = 'MAINICON'
      Transparent = True
    end
    object Label2: TLabel
      Left = 80
      Top = 24
      Caption = 'Je garde votre mémoire'
    end
    object Label3: TLabel
      Left = 80
      Top = 40
      Caption = 'RAM et toutes les'
    end
    object SpinEdit_1: TSpinEdit
      Left = 80
      Top = 56
      Width = 49
      Height = 22
      MaxValue = 0
      MinValue = 0
      TabOrder = 0
      Value = 5
    end
    object Label1: TLabel
      Left = 136
      Top = 58
      Caption = 'Minutes'
      FocusControl = SpinEdit_1
    end
    object Label5: TLabel
      Left = 80
      Top = 80
      Caption = 'Je fais le ménage'
    end
    object Label4: TLabel
      Left = 40
      Top = 104
      Caption = 'https://www.velmora.example'
      Font.Color = clNavy
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold, fsUnderline]
      ParentFont = False
      OnClick = Label4Click
      OnMouseMove = Label4MouseMove
      OnMouseLeave = Label4MouseLeave
    end
    object Button5: TButton
      Left = 160
      Top = 16
      Width = 75
      Height = 25
      Caption = 'Button5'
      TabOrder = 1
      Visible = False
      OnClick = Button5Click
    end
  end
  object Panel2: TPanel
    Left = 5
    Top = 134
    Width = 248
    Height = 96
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 1
    object GroupBox2: TGroupBox
      Left = 0
      Top = 0
      Width = 248
      Height = 96
      Align = alClient
      Caption = 'Répare les fuites mémoires de mon navigateur'
      TabOrder = 0
      object Firefox_1: TCheckBox
        Left = 8
        Top = 48
        Width = 200
        Height = 17
        Caption = 'J''utilise Firefox'
        TabOrder = 1
      end
      object i_explore: TCheckBox
        Left = 8
        Top = 24
        Width = 200
        Height = 17
        Caption = 'J''utilise Internet Explorer'
        TabOrder = 0
      end
      object Chrome_1: TCheckBox
        Left = 8
        Top = 72
        Width = 200
        Height = 17
        Caption = 'J''utilise Chrome'
        TabOrder = 2
      end
      object Button2: TButton
        Left = 160
        Top = 16
        Width = 75
        Height = 25
        Caption = 'Button2'
        TabOrder = 3
        Visible = False
        OnClick = Button2Click
      end
    end
  end
  object Panel3: TPanel
    Left = 5
    Top = 230
    Width = 248
    Height = 115
    Align = alClient
    TabOrder = 2
    object Label6: TLabel
      Left = 8
      Top = 8
      Caption = 'Mémoire totale'
    end
    object Label7: TLabel
      Left = 8
      Top = 32
      Caption = 'Mémoire disponible'
      Font.Color = clGreen
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
    end
    object Label8: TLabel
      Left = 8
      Top = 56
      Caption = 'Mémoire utilisée'
      Font.Color = clRed
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
    end
    object Gauge1: TGauge
      Left = 1
      Top = 88
      Width = 246
      Height = 26
      Align = alBottom
      BackColor = clRed
      BorderStyle = bsNone
      ForeColor = clGreen
      Progress = 0
    end
    object Button3: TButton
      Left = 160
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Button3'
      TabOrder = 0
      Visible = False
      OnClick = Button3Click
    end
  end
  object Panel1: TPanel
    Left = 5
    Top = 345
    Width = 248
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 3
    object Button1: TButton
      Left = 8
      Top = 8
      Width = 105
      Height = 25
      Caption = 'Faire le ménage'
      TabOrder = 0
      OnClick = Button1Click
    end
    object Button4: TButton
      Left = 128
      Top = 8
      Width = 105
      Height = 25
      Caption = 'Réduire'
      TabOrder = 1
      OnClick = Button4Click
    end
  end
  object StatusBar1: TStatusBar
    Left = 5
    Top = 386
    Width = 248
    Height = 19
    Align = alBottom
    Panels = <
      item
        Width = 50
      end>
  end
  object TrayIcon1: TTrayIcon
    Active = True
    Icon = 'MAINICON'
    Hint = 'Velmora'
    PopupMenu = PopupMenu1
    OnDblClick = TrayIcon1DblClick
  end
  object PopupMenu1: TPopupMenu
    object LibredelaRam1: TMenuItem
      Caption = 'Libère de la Ram'
      OnClick = Button1Click
    end
    object Afficher1: TMenuItem
      Caption = 'Afficher'
      OnClick = Afficher1Click
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Quitter1: TMenuItem
      Caption = 'Quitter'
      OnClick = Quitter1Click
    end
  end
  object ApplicationEvents1: TApplicationEvents
    OnException = ApplicationEvents1Exception
    OnMinimize = ApplicationEvents1Minimize
  end
  object Timer1: TTimer
    OnTimer = Timer1Timer
  end
  object Timer2: TTimer
    Interval = 10000
    OnTimer = Timer2Timer
  end
  object Timer3: TTimer
    OnTimer = Timer3Timer
  end
  object Timer4: TTimer
    Enabled = False
    Interval = 10000
    OnTimer = Timer4Timer
  end
  object SvgEditIni1: TSvgEditIni
    SauveEdit = False
    SauveDateTimePicker = False
    SauveCheckBox = True
    SauveRadioButton = False
    SauveSpinEdit = True
    SauveMemo = False
    SauveRichEdit = False
    SauveComboBox = False
    SauveListBox = False
    SauveStringGrid = False
  end
  object XPManifest1: TXPManifest
  end
end

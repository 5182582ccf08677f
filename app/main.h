#pragma once
// The main window: the alarm, settings and About pages, the tray icon with the menu it shares
// with the desktop clock, the settings kept in the registry, the theme switch and the rules by
// which the application's main form moves between this window and the clock.
#include "forms.h"

class TPageControl;
class TTabSheet;
class TCheckBox;
class TComboBox;
class TTrackBar;
class TPopupMenu;
class TMenuItem;
class TTrayIcon;

// Registry places of the settings.
inline constexpr const char* SettingsKey = "\\Software\\Velmora";
inline constexpr const char* RunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* RunValue = "Velmora";
// The maker's web page, opened by "Check Update" and the About page's link.
inline constexpr const char* HomePage = "http://www.example.com/velmora/";

// What the theme asks of the skin engine: a skin file, or skinning off.
struct TThemeChoice {
    bool Active = false;
    String SkinFile;
};

class TForm1 : public TForm {
    TK_CLASS(TForm1, TForm)
public:
    explicit TForm1(TComponent* owner);

    // The program folder with a trailing backslash; every data file's path starts with it.
    const String& AppPath() const { return FAppPath; }
    // The theme last applied (see ApplyTheme).
    const TThemeChoice& Theme() const { return FTheme; }

    TK_COMPONENT(TPageControl, PageControl1);
    TK_COMPONENT(TTabSheet, TabSheet1);
    TK_COMPONENT(TTabSheet, TabSheet2);
    TK_COMPONENT(TTabSheet, TabSheet3);
    TK_COMPONENT(TCheckBox, CheckBox4);
    TK_COMPONENT(TComboBox, ComboBox2);
    TK_COMPONENT(TTrackBar, TrackBar1);
    TK_COMPONENT(TPopupMenu, PopupMenu1);
    TK_COMPONENT(TMenuItem, ClockStayOnTop1);
    TK_COMPONENT(TMenuItem, rayClock1);
    TK_COMPONENT(TTrayIcon, TrayIcon1);

    // Published handlers
    TK_HANDLER(FormCreate, TObject* Sender);
    TK_HANDLER(FormShow, TObject* Sender);
    TK_HANDLER(FormCloseQuery, TObject* Sender, bool& CanClose);
    TK_HANDLER(FormClose, TObject* Sender, TCloseAction& Action);
    TK_HANDLER(TrayIcon1Click, TObject* Sender);
    TK_HANDLER(ShowMainForm1Click, TObject* Sender);
    TK_HANDLER(Exit1Click, TObject* Sender);
    TK_HANDLER(rayClock1Click, TObject* Sender);
    TK_HANDLER(ClockStayOnTop1Click, TObject* Sender);
    TK_HANDLER(checkUpdate1Click, TObject* Sender);
    TK_HANDLER(Label3Click, TObject* Sender);
    TK_HANDLER(CheckBox4Click, TObject* Sender);
    TK_HANDLER(ComboBox2Change, TObject* Sender);
    TK_HANDLER(TrackBar1Change, TObject* Sender);
    TK_HANDLER(Button1Click, TObject* Sender);

private:
    void EmbedForm(TCustomForm* form, TTabSheet* sheet);
    void LoadSettings();
    void ApplyTheme();
    void AddRunAtStartup();
    void RemoveRunAtStartup();
    void ReadTheme();
    void ReadAlphaBlend();
    void ReadRunAtStartup();

    String FAppPath;
    TThemeChoice FTheme;
    bool FReadingSettings = false;
};

// The main window, made first at start-up.
extern TForm1* Form1;

// Makes `form` the application's main form: the form the tray icon hides and shows.
void SetMainForm(TCustomForm* form);

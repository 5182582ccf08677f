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

    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TTabSheet* TabSheet3 = nullptr;
    TCheckBox* CheckBox4 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TTrackBar* TrackBar1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* ClockStayOnTop1 = nullptr;
    TMenuItem* rayClock1 = nullptr;
    TTrayIcon* TrayIcon1 = nullptr;

    // Published handlers
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void TrayIcon1Click(TObject* Sender);
    void ShowMainForm1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void rayClock1Click(TObject* Sender);
    void ClockStayOnTop1Click(TObject* Sender);
    void checkUpdate1Click(TObject* Sender);
    void Label3Click(TObject* Sender);
    void CheckBox4Click(TObject* Sender);
    void ComboBox2Change(TObject* Sender);
    void TrackBar1Change(TObject* Sender);
    void Button1Click(TObject* Sender);

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

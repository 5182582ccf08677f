#pragma once
// The skin data component (unit SkinData): what an application drops on a form to skin it.
// It holds one loaded skin (the skin objects and colours), the options that say which windows
// and controls get skinned, the class map for controls of other libraries and five events. It
// loads a skin from the file named by SkinFile or from the skin bytes stored in the form file
// (SkinStream), and starts and stops skinning through the module's skin manager, which does the
// work on its timer.
#include <windows.h>

#include <memory>
#include <vector>

#include "classes.h"
#include "forms.h"
#include "imglist.h"
#include "skinoptions.h"
#include "skinschema.h"

class TSkinData;
struct TFormValue;

using TSkinControlTypes = TSet<TSkinControlType>;
extern const TEnumInfo SkinControlTypeInfo;

using TSkinOptions = TSet<TSkinOption>;
extern const TEnumInfo SkinOptionInfo;

// sfMainform serves every window of the thread and installs the window-creation hook;
// sfOnlyThisForm serves its owner form only.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };
extern const TEnumInfo SkinFormTypeInfo;

// Every control kind but xcMenuItem and xcFastReport.
constexpr TSkinControlTypes DefaultSkinControls = TSkinControlTypes::FromMask(0x1FFFFB);
constexpr TSkinOptions DefaultSkinOptions{xoPreview, xoToolbarBK, xoCaptionButtonHint};
constexpr int DefaultDisableTag = 99;
inline constexpr const char* SkinDataVersion = "5.40.07.15";
// The module's bitmap resource with the four 16 x 16 glyphs of the skinned system menu.
inline constexpr const char* SkinMenuResource = "LUMIVEXMENU";

// A skin file that could not be read: the message names the file and says what is wrong
// (missing, not a file, unreadable, or damaged with the reader's reason).
TK_EXCEPTION(ESkinFileDamaged, Exception)

using TOnFormSkin = TMethod<void(TObject* Sender, const String& aName, bool& DoSkin)>;
using TOnSkinControl = TMethod<void(TComponent* Sender, TSkinData* SkinData, TControl* Form, TControl* Control,
                                    const String& ControlClass, TComponent*& SkinnedControl)>;
using TOnSkinForm = TMethod<void(TObject* Sender, HWND ahwnd, const String& aName)>;

// The 118 "class=kind" lines a new component's Skin3rd holds.
const std::vector<String>& DefaultSkin3rd();

class TSkinData : public TComponent, public TSkinObjects {
    TK_CLASS(TSkinData, TComponent)
public:
    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;
    void BeforeDestruction() override;

    // Published properties
    bool Active() const { return FActive; }
    void SetActive(bool v);
    int DisableTag() const { return FDisableTag; }
    void SetDisableTag(int v) { FDisableTag = v; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes v) { FSkinControls = v; }
    TSkinOptions Options() const { return FOptions; }
    void SetOptions(TSkinOptions v) { FOptions = v; }
    TStrings* Skin3rd() const { return FSkin3rd.get(); }
    void SetSkin3rd(TStrings* v);
    const String& SkinFile() const { return FSkinFile; }
    // At run time the file is loaded at once. One that is missing, not a file, unreadable or
    // damaged raises ESkinFileDamaged, which names it and says what is wrong, and leaves the
    // skin empty; an empty name only empties the skin.
    void SetSkinFile(const String& v);
    // "(none)", or "(Good)" at design time with stored skin bytes; writing does nothing.
    String SkinStore() const;
    void SetSkinStore(const String&) {}
    TSkinFormType SkinFormtype() const { return FSkinFormtype; }
    void SetSkinFormtype(TSkinFormType v) { FSkinFormtype = v; }
    String Version() const { return SkinDataVersion; }
    void SetVersion(const String&) {}
    bool MenuUpdate() const { return FMenuUpdate; }
    void SetMenuUpdate(bool v) { FMenuUpdate = v; }
    bool MenuMerge() const { return FMenuMerge; }
    void SetMenuMerge(bool v) { FMenuMerge = v; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // Loads the stored skin bytes; false (skin empty) for an unknown container version.
    // A damaged skin raises and leaves the skin read before in place, marked empty.
    bool LoadSkinStore();
    // Has every window skinned with this data refreshed (or, when Active and the owner is
    // not skinned yet, skinned).
    void UpdateSkin();
    // The manager's class filter: OnFormSkin has the last word; without it "SysMonthCal32"
    // and, with xcFastReport, classes beginning with "Tfr" are refused.
    void DoFormSkin(HWND Handle, const String& ClassName, bool& DoSkin);
    void DoSkinChanged() { Fire(OnSkinChanged, this); }
    // The caption-button hint, shown under Rect's top-left corner.
    void ShowCaptionHint(const TRect& Rect, const String& Text);
    void HideCaptionHint();
    void CreateCaptionFont();
    // The application's small icon on magenta, into FIconBitmap.
    void MakeAppIcon();

    // The stored skin in a form file: a signed 32-bit little-endian size, then that many bytes
    // (0: none). Raises EReadError when the stream holds fewer bytes than the size says.
    void ReadSkinStream(TStream& Stream);
    void WriteSkinStream(TStream& Stream) const;
    bool ReadDefinedProperty(const String& name, const TFormValue& value) override;

    void Loaded() override;

    // State other parts of the engine read.
    bool FSkinEmpty = true;             // no skin loaded (also from the start of every load)
    TMemoryStream FSkinStream;          // the stored skin file's bytes
    TOwnedObject<TCustomImageList> FMenuImages;
    TBitmap FIconBitmap;
    std::unique_ptr<TFont> FCaptionFont;
    int FMaxWidth = 0, FMaxHeight = 0;  // SM_CXMAXIMIZED, SM_CYMAXIMIZED at create
    bool FHintShown = false;
    bool FFramePaint = true;            // cleared by the skinned form while the native frame paints
    int FHoverTime = 0;                 // ms the mouse rested on one caption button
    THintWindow* HintWindow() const { return FHintWindow.Get(); }

private:
    void LoadMenuImages();
    // Requests activation, for an Active component whose owner is not skinned yet.
    bool RequestActivation();
    bool OwnerSkinned() const;
    bool Reading() const;

    bool FActive = false;
    int FDisableTag = DefaultDisableTag;
    TSkinControlTypes FSkinControls = DefaultSkinControls;
    TSkinOptions FOptions = DefaultSkinOptions;
    std::unique_ptr<TStringList> FSkin3rd;
    String FSkinFile;
    TSkinFormType FSkinFormtype = sfMainform;
    bool FMenuUpdate = true;
    bool FMenuMerge = false;
    TOwnedObject<THintWindow> FHintWindow;
};

// Registers TSkinData for form files (also done when the module starts).
void RegisterSkinData();

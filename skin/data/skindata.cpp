// The skin data component: properties, loading a skin from a file or from the stored bytes,
// and the requests it hands to the skin manager.
#include "skindata.h"

#include <cstddef>
#include <cstring>

#include "dialogs.h"
#include "formfile.h"
#include "handles.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"

const TEnumInfo SkinControlTypeInfo{
    "TSkinControlTypes",
    {"xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
     "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton", "xcSpin",
     "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu", "xcFastReport"}};

const TEnumInfo SkinOptionInfo{
    "TSkinOptions",
    {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround", "xoNoFocusRect",
     "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG", "xoCaptionButtonHint", "xoFormScrollbar"}};

const TEnumInfo SkinFormTypeInfo{"TSkinFormType", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}};

namespace {

// The default class map, by kind in the order it is kept; the kind is spelled as stored
// (its letter case differs between groups) and some classes appear twice.
struct TClassMapGroup {
    const char* Kind;
    std::vector<const char*> Classes;
};

const std::vector<TClassMapGroup>& ClassMapGroups()
{
    static const std::vector<TClassMapGroup> groups = {
        {"scrollbar",
         {"TCategoryButtons", "TVirtualStringTree", "TVirtualDrawTree", "TAdvPanelGroup", "THTMLViewer",
          "TDBCtrlGrid", "TImageEnMView", "TImageEnView", "TAdvMemo", "TDBAdvMemo"}},
        {"pngspeedbutton", {"TPngSpeedbutton"}},
        {"pngbitbtn", {"TPngBitBtn"}},
        {"Panel",
         {"TTBXDockablePanel", "TControlBar", "TTBDock", "TTBToolbar", "TLMDGROUPBOX", "TLMDSIMPLEPANEL",
          "TLMDDBCalendar", "TLMDButtonPanel", "TLMDLMDCalculator", "TLMDHeaderPanel", "TLMDTechnicalLine",
          "TLMDLMDClock"}},
        {"panel", {"TRzGroup", "TLMDCalculator", "TLMDTrackbar"}},
        {"combobox",
         {"TComboboxex", "TcxDBLookupComboBox", "TcxDBComboBox", "TcxDBDateEdit", "TcxDBImageComboBox",
          "TcxDBCalcEdit", "TcxDBBlobEdit", "TcxDBPopupEdit", "TcxDBFontNameComboBox", "TcxDBShellComboBox",
          "TRxLookupEdit", "TRxDBLookupCombo", "TRzDateTimeEdit", "TRzColorEdit", "TRzDateTimePicker",
          "TRzDBDateTimeEdit", "TRzDbColorEdit", "TRzDBDateTimePicker", "TLMDListCombobox",
          "TLMDCheckListCombobox", "TLMDHeaderListCombobox", "TLMDImageCombobox", "TLMDColorCombobox",
          "TLMDFontCombobox", "TLMDFontSizeCombobox", "TLMDFontSizeCombobox", "TLMDPrinterCombobox",
          "TLMDDriveCombobox", "TLMDCalculatorComboBox", "TLMDTrackBarComboBox", "TLMDCalendarComboBox",
          "TLMDTreeComboBox", "TWWTempKeyCombo"}},
        {"Combobox",
         {"TDBLookupCombobox", "TWWDBCombobox", "TWWDBCombobox", "TWWDBLookupCombo", "TWWKeyCombo",
          "TWWDBDateTimePicker"}},
        {"speedbutton", {"TRxSpeedButton", "TfrSpeedButton", "TfrTBButton"}},
        {"button", {"TRzButton"}},
        {"bitbtn", {"TRzBitbtn", "TLMDButton", "TcxButton"}},
        {"menubtn", {"TRzMenuButton"}},
        {"CheckGroup", {"TRzCheckGroup", "TLMDCheckGroup", "TLMDDBCheckGroup"}},
        {"Radiogroup", {"TRzRadioGroup", "TRzDBRadioGroup"}},
        {"radiogroup", {"TLMDRADIOGROUP", "TLMDDBRADIOGROUP", "TWWRADIOGROUP", "TcxDBRadioGroup", "TcxRadioGroup"}},
        {"Radiobutton", {"TRzDBRadioButton", "TLMDRadiobutton"}},
        {"Checkbox", {"TDBCheckboxEh", "TDBCheckboxEh", "TLMDCHECKBOX", "TLMDDBCHECKBOX"}},
        {"Groupbox", {"TLMDGroupBox"}},
        {"groupbox", {"TcxGroupbox"}},
        {"Edit",
         {"TRzButtonEdit", "TLMDEDIT", "TLMDMASKEDIT", "TLMDBROWSEEDIT", "TLMDEXTSPINEDIT", "TLMDCALENDAREDIT",
          "TLMDFILEOPENEDIT", "TLMDFILESAVEEDIT", "TLMDCOLOREDIT", "TLMDDBEDIT", "TLMDDBMASKEDIT",
          "TLMDDBEXTSPINEDIT", "TLMDDBSPINEDIT", "TLMDDBEDITDBLookup", "TLMDEDITDBLookup", "TWWDBEDIT",
          "TOVCPICTUREFIELD", "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT", "TOVCDBSLIDEREDIT", "TOVCSIMPLEFIELD",
          "TOVCDBSIMPLEFIELD", "TO32DBFLEXEDIT", "TOVCNUMERICFIELD", "TOVCDBNUMERICFIELD"}},
        {"edit", {"TLMDCalculatorEdit"}},
    };
    return groups;
}

// The system's text for an error code, without its line break.
String SystemErrorText(DWORD code)
{
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' '))
        --n;
    return n > 0 ? String(text, n) : "system error " + IntToStr(code);
}

ESkinFileDamaged SkinFileError(const String& name, const String& what)
{
    return ESkinFileDamaged("The skin file \"" + name + "\" " + what);
}

// The whole file. One that is not there or cannot be read raises the error of a damaged one,
// saying what is wrong instead.
std::vector<uint8_t> ReadSkinFile(const String& name)
{
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME)
            throw SkinFileError(name, "was not found");
        throw SkinFileError(name, "cannot be read: " + SystemErrorText(code));
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        throw SkinFileError(name, "is not a file: a folder has its name");
    HANDLE opened = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        throw SkinFileError(name, "cannot be read: " + SystemErrorText(GetLastError()));
    TKernelHandle file(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
        throw SkinFileError(name, "cannot be read: it is too large");
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        throw SkinFileError(name, "cannot be read: " + SystemErrorText(GetLastError()));
    return bytes;
}

// NONCLIENTMETRICS as older systems know it (without iPaddedBorderWidth): every system fills it.
constexpr UINT OldNonClientMetricsSize = 340;
static_assert(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth) == OldNonClientMetricsSize);

struct TSkinDataUnit {
    TSkinDataUnit() { RegisterSkinData(); }
} gSkinDataUnit;

}  // namespace

const std::vector<String>& DefaultSkin3rd()
{
    static const std::vector<String> lines = [] {
        std::vector<String> all;
        for (const TClassMapGroup& g : ClassMapGroups())
            for (const char* c : g.Classes)
                all.push_back(String(c) + "=" + g.Kind);
        return all;
    }();
    return lines;
}

void RegisterSkinData() { RegisterClasses({&TSkinData::StaticClass()}); }

// Named by the skin library's link options: it brings this unit, and so the class registration
// above, into every module that links the engine.
extern "C" void VelmoraSkinDataUnit() {}

const TClassInfo& TSkinData::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinData>("TSkinData", &TComponent::StaticClass())
            .Creatable()
            .Prop("Active", &TSkinData::Active, &TSkinData::SetActive)
            .Prop("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
            .SetProp<TSkinControlType>("SkinControls", SkinControlTypeInfo, &TSkinData::SkinControls,
                                       &TSkinData::SetSkinControls)
            .SetProp<TSkinOption>("Options", SkinOptionInfo, &TSkinData::Options, &TSkinData::SetOptions)
            .ObjectProp<TStrings>("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd)
            .Prop("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .Prop("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
            .EnumProp<TSkinFormType>("SkinFormtype", SkinFormTypeInfo, &TSkinData::SkinFormtype,
                                     &TSkinData::SetSkinFormtype)
            .Prop("Version", &TSkinData::Version, &TSkinData::SetVersion)
            .Prop("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
            .Prop("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge)
            .Event("OnFormSkin", &TSkinData::OnFormSkin)
            .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
            .Event("OnSkinControl", &TSkinData::OnSkinControl)
            .Event("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm)
            .Event("OnAfterSkinForm", &TSkinData::OnAfterSkinForm)
            .Defined("SkinStream")
            .Build();
    return info;
}

TSkinData::TSkinData(TComponent* owner) : TComponent(owner), FSkin3rd(std::make_unique<TStringList>())
{
    for (const String& line : DefaultSkin3rd())
        FSkin3rd->Add(line);
    LoadMenuImages();
    FMaxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    FMaxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
    FHintWindow.Reset(new THintWindow(nullptr));
}

TSkinData::~TSkinData() = default;

// The manager lets go of this component while it is still whole: windows it serves are
// unskinned with its skin.
void TSkinData::BeforeDestruction()
{
    HideCaptionHint();
    if (TSkinManage* manager = SkinManager())
        manager->RemoveSkinData(this);
    TComponent::BeforeDestruction();
}

void TSkinData::LoadMenuImages()
{
    FMenuImages.Reset(new TCustomImageList(nullptr));
    FMenuImages->SetSize(16, 16);
    if (!FindResourceA(ModuleInstance(), SkinMenuResource, reinterpret_cast<LPCSTR>(RT_BITMAP)))
        return;  // a module without the menu glyphs draws its system menu without them
    TBitmap glyphs;
    glyphs.LoadFromResourceName(ModuleInstance(), SkinMenuResource);
    FMenuImages->AddMasked(&glyphs, clWhite);
}

void TSkinData::SetSkin3rd(TStrings* v)
{
    if (v)
        FSkin3rd->Assign(v);
    else
        FSkin3rd->Clear();
}

String TSkinData::SkinStore() const
{
    if (Designing() && FSkinStream.Bytes().size() > 0)
        return "(Good)";
    return "(none)";
}

bool TSkinData::Reading() const { return ComponentState().Contains(TComponentStateItem::csReading); }

void TSkinData::Loaded()
{
    TComponent::Loaded();
    if (Designing())
        return;
    if (!SkinUser32Entries().GetScrollBarInfo)
        FSkinControls.Exclude(xcScrollbar);
    TSkinManage& manager = NeedSkinManager();
    manager.AddSkinData(this);
    CreateCaptionFont();
    if (FSkinFormtype != sfMainform) {
        manager.SetActive(true);
        manager.SetRunState(TSkinManage::rsRunning);
        if (auto* form = As<TCustomForm>(Owner()); form && FActive)
            manager.SkinWindow(form->Handle());
        return;
    }
    manager.InstallHook();
    if (FActive) {
        if (FSkinEmpty) {
            FActive = false;
        } else {
            manager.SetPendingData(this);
            manager.RequestAction(TSkinManage::saActivate, 250);
        }
    }
    if (FSkinControls.Contains(xcMainMenu))
        FSkinControls.Exclude(xcMenuItem);
    else
        FSkinControls.Exclude(xcSystemMenu);
    MakeAppIcon();
}

void TSkinData::SetActive(bool v)
{
    if (v == FActive)
        return;
    FActive = v;
    if (Designing() || Reading())
        return;
    if (FSkinFormtype != sfMainform && FSkinFormtype != sfOnlyThisForm)
        return;
    if (v && FSkinEmpty)
        return;
    TSkinManage* manager = SkinManager();
    if (!manager || !manager->HasSkinData(this)) {
        Loaded();  // made in code: register as a streamed component would
        manager = SkinManager();
    }
    manager->SetPendingData(this);
    manager->RequestAction(v ? TSkinManage::saActivate : TSkinManage::saDeactivate, 250);
    if (v && FSkinFormtype == sfMainform)
        manager->SetRunState(TSkinManage::rsRunning);
}

void TSkinData::SetSkinFile(const String& v)
{
    FSkinEmpty = true;
    FSkinFile = v;
    if (Designing()) {
        if (!v.empty() && !FSkinStream.Bytes().empty())
            FSkinStream.Clear();
        return;
    }
    if (v.empty())
        return;  // no file named: the skin stays empty
    const std::vector<uint8_t> bytes = ReadSkinFile(v);
    FSkinStream.Clear();
    FSkinStream.LoadFromBytes(bytes.data(), bytes.size());
    try {
        LoadSkinStore();
    } catch (const std::exception& e) {
        throw ESkinFileDamaged("The skin file \"" + v + "\" is damaged: " + e.what());
    }
    UpdateSkin();
}

bool TSkinData::LoadSkinStore()
{
    FSkinEmpty = true;
    if (Designing())
        return false;
    TSkinReader reader;
    reader.OnMessage = [](std::string_view text) { ShowMessage(String(text)); };
    const auto& bytes = FSkinStream.Bytes();
    if (!reader.LoadSkinStream({bytes.data(), bytes.size()}))
        return false;
    TBytes description;
    std::string entryName;
    reader.FindEntry(".ini", description, entryName);
    TQuickIni ini;
    ini.LoadFromStream(description);
    ReadSkinIni(ini, reader);
    FSkinEmpty = false;
    return true;
}

bool TSkinData::OwnerSkinned() const
{
    const TSkinManage* manager = SkinManager();
    auto* owner = As<TWinControl>(Owner());
    if (!manager || !owner || !owner->HandleAllocated())
        return false;
    return manager->FindSkinForm(owner->WindowHandle()) != nullptr;
}

// A skin that arrives while Active is already on (an earlier skin file was missing) must
// switch skinning on, not only refresh windows that have none.
bool TSkinData::RequestActivation()
{
    if (!FActive || FSkinEmpty || OwnerSkinned())
        return false;
    if (FSkinFormtype != sfMainform && FSkinFormtype != sfOnlyThisForm)
        return false;
    TSkinManage& manager = *SkinManager();
    manager.SetPendingData(this);
    manager.RequestAction(TSkinManage::saActivate, 250);
    manager.SetRunState(TSkinManage::rsRunning);
    return true;
}

void TSkinData::UpdateSkin()
{
    if (Designing() || Reading())
        return;
    TSkinManage* manager = SkinManager();
    if (!manager || !manager->HasSkinData(this))
        Loaded();
    if (RequestActivation())
        return;
    manager = SkinManager();
    manager->SetPendingData(this);
    manager->ClearFormButtons();
    if (manager->RunState() == TSkinManage::rsRunning)
        manager->RequestAction(TSkinManage::saRefresh, 250);
}

void TSkinData::ReadSkinStream(TStream& Stream)
{
    int32_t size = 0;
    if (Stream.Read(&size, sizeof size) != sizeof size)
        throw EStreamError("The stored skin has no size");
    if (size <= 0)
        return;
    const int64_t rest = Stream.Size() - Stream.Position();
    if (size > rest)
        throw EStreamError("The stored skin is cut short: its size says " + IntToStr(size) + " bytes, " +
                           IntToStr(rest) + " follow");
    FSkinStream.Clear();
    FSkinStream.SetSize(size);
    Stream.ReadBuffer(FSkinStream.Memory(), size);
    FSkinStream.SetPosition(0);
    if (Designing())
        return;
    try {
        LoadSkinStore();
    } catch (const Exception&) {
        throw;
    } catch (const std::exception& e) {
        // The form reader names the file and line for toolkit exceptions.
        throw EStreamError(String("The stored skin is damaged: ") + e.what());
    }
}

void TSkinData::WriteSkinStream(TStream& Stream) const
{
    const auto& bytes = FSkinStream.Bytes();
    const int32_t size = static_cast<int32_t>(bytes.size());
    Stream.WriteBuffer(&size, sizeof size);
    if (size > 0)
        Stream.WriteBuffer(bytes.data(), size);
}

bool TSkinData::ReadDefinedProperty(const String& name, const TFormValue& value)
{
    if (!SameText(name, "SkinStream"))
        return TComponent::ReadDefinedProperty(name, value);
    if (value.Kind != TFormValue::Binary)
        throw EStreamError("SkinStream needs binary data");
    TMemoryStream stream;
    stream.LoadFromBytes(value.Bytes.data(), value.Bytes.size());
    ReadSkinStream(stream);
    return true;
}

void TSkinData::DoFormSkin(HWND, const String& ClassName, bool& DoSkin)
{
    if (OnFormSkin) {
        OnFormSkin(this, ClassName, DoSkin);
        return;
    }
    if (ClassName == "SysMonthCal32")
        DoSkin = false;
    if (FSkinControls.Contains(xcFastReport) && ClassName.rfind("Tfr", 0) == 0)
        DoSkin = false;
}

void TSkinData::ShowCaptionHint(const TRect& Rect, const String& Text)
{
    if (!FOptions.Contains(xoCaptionButtonHint) || FHintShown)
        return;
    TRect r = FHintWindow->CalcHintRect(500, Text, nullptr);
    OffsetRect(&r, Rect.left, Rect.top);
    FHintWindow->ActivateHint(r, Text);
    FHintShown = true;
}

void TSkinData::HideCaptionHint()
{
    if (!FHintShown)
        return;
    if (FHintWindow->HandleAllocated())
        ShowWindow(FHintWindow->WindowHandle(), SW_HIDE);
    FHintShown = false;
}

void TSkinData::CreateCaptionFont()
{
    FCaptionFont = std::make_unique<TFont>();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = OldNonClientMetricsSize;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        FCaptionFont->SetHandle(CreateFontIndirectA(&metrics.lfCaptionFont));
}

void TSkinData::MakeAppIcon()
{
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    HWND app = Application ? Application->Handle() : nullptr;
    if (!app)
        return;
    auto icon = reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_BIG, 0));
    if (!icon)
        return;
    TBitmap picture(cx, cy);
    TCanvas* canvas = picture.Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(TRect(0, 0, cx, cy));
    TIconHandle copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    DrawIconEx(canvas->Handle(), 0, 0, copy ? copy.Get() : icon, cx, cy, 0, nullptr, DI_NORMAL);
    picture.SetPixelFormat(pf24bit);
    FIconBitmap.Assign(&picture);
    FIconBitmap.SetTransparentColor(clFuchsia);
    FIconBitmap.SetTransparent(true);
}

#include "dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "extctrls.h"
#include "lateproc.h"
#include "stdctrls.h"

const TEnumInfo OpenOptionInfo{
    "TOpenOption",
    {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
     "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
     "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
     "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing", "ofDontAddToRecent",
     "ofForceShowHidden"}};

namespace {

// Big enough for a long multiple selection; a longer one is reported, not cut.
constexpr size_t kFileBufferSize = 64 * 1024;

constexpr DWORD kOptionFlags[] = {
    OFN_READONLY, OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY, OFN_NOCHANGEDIR, OFN_SHOWHELP, OFN_NOVALIDATE,
    OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST, OFN_CREATEPROMPT,
    OFN_SHAREAWARE, OFN_NOREADONLYRETURN, OFN_NOTESTFILECREATE, OFN_NONETWORKBUTTON, OFN_NOLONGNAMES,
    0 /* ofOldStyleDialog: no OFN_EXPLORER */, OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY, OFN_ENABLESIZING,
    OFN_DONTADDTORECENT, OFN_FORCESHOWHIDDEN,
};
static_assert(std::size(kOptionFlags) == 22);

}  // namespace

String MakeFilterString(const String& filter)
{
    if (filter.empty())
        return String();
    std::vector<String> parts;
    size_t start = 0;
    for (;;) {
        size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == String::npos ? String::npos : bar - start));
        if (bar == String::npos)
            break;
        start = bar + 1;
    }
    if (parts.size() % 2 != 0)
        throw EConvertError("Invalid file filter '" + filter + "': the name '" + parts.back() + "' has no pattern");
    String out;
    for (const String& p : parts) {
        out += p;
        out += '\0';
    }
    out += '\0';
    return out;
}

DWORD OpenOptionFlags(TOpenOptions options)
{
    DWORD flags = options.Contains(ofOldStyleDialog) ? 0 : OFN_EXPLORER;
    for (size_t i = 0; i < std::size(kOptionFlags); ++i)
        if (options.Contains(static_cast<TOpenOption>(i)))
            flags |= kOptionFlags[i];
    return flags;
}

std::vector<String> SplitDialogFileNames(const char* buffer, size_t size)
{
    std::vector<String> parts;
    size_t pos = 0;
    while (pos < size && buffer[pos]) {
        const char* end = static_cast<const char*>(std::memchr(buffer + pos, 0, size - pos));
        size_t len = end ? static_cast<size_t>(end - (buffer + pos)) : size - pos;
        parts.emplace_back(buffer + pos, len);
        pos += len + 1;
    }
    if (parts.size() <= 1)
        return parts;
    // A folder and the names chosen in it.
    String dir = parts.front();
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    std::vector<String> names;
    for (size_t i = 1; i < parts.size(); ++i)
        names.push_back(dir + parts[i]);
    return names;
}

// ---------------------------------------------------------------- TOpenDialog

const TClassInfo& TOpenDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TOpenDialog>("TOpenDialog", &TComponent::StaticClass())
            .Creatable()
            .Prop("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
            .Prop("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
            .Prop("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
            .Prop("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
            .Prop("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
            .Prop("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
            .SetProp<TOpenOption>("Options", OpenOptionInfo, &TOpenDialog::Options, &TOpenDialog::SetOptions)
            .Build();
    return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute()
{
    HWND owner = GetActiveWindow();
    if (!owner && Application)
        owner = Application->Handle();
    return Run(owner, true);
}

bool TOpenDialog::Run(HWND owner, bool withFileName)
{
    String filter = MakeFilterString(FFilter);
    String ext = FDefaultExt.size() > 1 && FDefaultExt[0] == '.' ? FDefaultExt.substr(1) : FDefaultExt;
    std::vector<char> file(std::max(kFileBufferSize, FFileName.size() + 2), '\0');
    if (withFileName)
        std::copy(FFileName.begin(), FFileName.end(), file.begin());

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(FFilterIndex, 0));
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
    ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OpenOptionFlags(FOptions);

    static const auto getOpenFileName = LateProc<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    static const auto extendedError = LateProc<decltype(&CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
    if (!getOpenFileName(&ofn)) {
        DWORD error = extendedError();
        if (error == 0)
            return false;  // cancelled
        if (error == FNERR_INVALIDFILENAME && withFileName)
            return Run(owner, false);  // the stored name was no valid start: start empty
        if (error == FNERR_BUFFERTOOSMALL)
            throw EInvalidOperation("The names of the chosen files are longer than " + IntToStr(file.size()) +
                                    " characters");
        throw EInvalidOperation("The file dialog failed: error " + IntToStr(error));
    }
    // One name unless several may be chosen: behind a shorter name the buffer still holds the
    // tail of the name it started with.
    std::vector<String> names = (ofn.Flags & OFN_ALLOWMULTISELECT) ? SplitDialogFileNames(file.data(), file.size())
                                                                   : std::vector<String>{String(file.data())};
    FFiles->Clear();
    for (const String& n : names)
        FFiles->Add(n);
    FFileName = names.empty() ? String() : names.front();
    FFilterIndex = static_cast<int>(ofn.nFilterIndex);
    if (ofn.Flags & OFN_READONLY)
        FOptions.Include(ofReadOnly);
    else
        FOptions.Exclude(ofReadOnly);
    if (ofn.Flags & OFN_EXTENSIONDIFFERENT)
        FOptions.Include(ofExtensionDifferent);
    else
        FOptions.Exclude(ofExtensionDifferent);
    return true;
}

// ---------------------------------------------------------------- the message dialog

namespace {

struct TButtonKind {
    const char* Name;
    const char* Caption;
    TModalResult Result;
};

constexpr TButtonKind kButtons[] = {
    {"Yes", "&Yes", mrYes},           {"No", "&No", mrNo},           {"OK", "OK", mrOk},
    {"Cancel", "Cancel", mrCancel},   {"Abort", "&Abort", mrAbort},  {"Retry", "&Retry", mrRetry},
    {"Ignore", "&Ignore", mrIgnore},  {"All", "&All", mrAll},        {"NoToAll", "N&o to All", mrNoToAll},
    {"YesToAll", "Yes to &All", mrYesToAll}, {"Help", "&Help", mrNone},
};

constexpr int kMargin = 8;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;

// The message dialog: lays itself out for its font each time it is shown.
class TMessageForm : public TForm {
    TK_CLASS(TMessageForm, TForm)
public:
    explicit TMessageForm(TComponent* owner) : TForm(owner) {}

    TImage* Image = nullptr;
    TLabel* Message = nullptr;
    std::vector<TButton*> Buttons;

    void Layout()
    {
        int maxText = std::max(200, GetSystemMetrics(SM_CXSCREEN) / 2);
        RECT text{0, 0, maxText, 0};
        String msg = Message->Caption();
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, Font()->Handle());
        DrawTextA(dc, msg.empty() ? " " : msg.c_str(), msg.empty() ? 1 : static_cast<int>(msg.size()), &text,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);

        int textLeft = kMargin + (Image ? kIconSize + kMargin : 0);
        int n = static_cast<int>(Buttons.size());
        int buttonsWidth = n * kButtonWidth + std::max(0, n - 1) * kButtonGap;
        int width = std::max(textLeft + static_cast<int>(text.right) + kMargin, buttonsWidth + 2 * kMargin);
        int contentHeight = std::max(Image ? kIconSize : 0, static_cast<int>(text.bottom));
        int buttonsTop = kMargin + contentHeight + 2 * kMargin;

        if (Image)
            Image->SetBounds(kMargin, kMargin, kIconSize, kIconSize);
        Message->SetBounds(textLeft, kMargin, text.right, text.bottom);
        int x = (width - buttonsWidth) / 2;
        for (TButton* b : Buttons) {
            b->SetBounds(x, buttonsTop, kButtonWidth, kButtonHeight);
            x += kButtonWidth + kButtonGap;
        }
        SetClientSize(width, buttonsTop + kButtonHeight + kMargin);
    }

protected:
    void DoShow() override
    {
        // The caller may have changed the font since the dialog was made.
        Layout();
        if (Position() == poScreenCenter) {
            TRect area = Screen ? Screen->WorkAreaRect() : TRect(0, 0, 640, 480);
            SetBounds(area.left + (area.Width() - Width()) / 2, area.top + (area.Height() - Height()) / 2, Width(),
                      Height());
        }
        TForm::DoShow();
    }
};

const TClassInfo& TMessageForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMessageForm>("TMessageForm", &TForm::StaticClass()).Build();
    return info;
}

const char* DialogCaption(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirmation";
    default: return nullptr;
    }
}

LPCSTR DialogIcon(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return IDI_WARNING;
    case mtError: return IDI_ERROR;
    case mtInformation: return IDI_INFORMATION;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
    }
}

TButton* FirstOf(const std::vector<std::pair<TMsgDlgBtn, TButton*>>& made, std::initializer_list<TMsgDlgBtn> order)
{
    for (TMsgDlgBtn want : order)
        for (const auto& [kind, button] : made)
            if (kind == want)
                return button;
    return nullptr;
}

}  // namespace

TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    TOwnedObject<TMessageForm> owned(new TMessageForm(Application));
    TMessageForm* form = owned.Get();
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    const char* caption = DialogCaption(DlgType);
    form->SetCaption(caption ? caption : (Application ? Application->Title() : String()));

    if (LPCSTR id = DialogIcon(DlgType)) {
        form->Image = new TImage(form);
        form->Image->SetName("Image");
        form->Image->SetParent(form);
        // A shared system icon: the picture gets a copy of its own to destroy.
        if (HICON icon = LoadIconA(nullptr, id))
            form->Image->Picture()->Icon()->SetHandle(CopyIcon(icon));
    }
    form->Message = new TLabel(form);
    form->Message->SetName("Message");
    form->Message->SetParent(form);
    form->Message->SetAutoSize(false);
    form->Message->SetWordWrap(true);
    form->Message->SetShowAccelChar(false);
    form->Message->SetCaption(Msg);

    std::vector<std::pair<TMsgDlgBtn, TButton*>> made;
    for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i) {
        auto kind = static_cast<TMsgDlgBtn>(i);
        if (!Buttons.Contains(kind))
            continue;
        auto* b = new TButton(form);
        b->SetName(kButtons[i].Name);
        b->SetParent(form);
        b->SetCaption(kButtons[i].Caption);
        b->SetModalResult(kButtons[i].Result);
        form->Buttons.push_back(b);
        made.emplace_back(kind, b);
    }
    TButton* def = FirstOf(made, {mbOK, mbYes});
    if (!def && !made.empty())
        def = made.front().second;
    if (def) {
        def->SetDefault(true);
        form->SetActiveControl(def);
    }
    if (TButton* cancel = FirstOf(made, {mbCancel, mbNo, mbOK}))
        cancel->SetCancel(true);
    form->Layout();
    form->InitNew();
    return owned.Release();
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    TOwnedObject<TForm> form(CreateMessageDialog(Msg, DlgType, Buttons));
    return form->ShowModal();
}

void ShowMessage(const String& Msg) { MessageDlg(Msg, mtCustom, {mbOK}); }

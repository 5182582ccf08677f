#pragma once
// The file-open dialog (GetOpenFileNameA) and the standard message dialog: a form built in
// code with a system icon, the message and a row of buttons.
#include <windows.h>

#include <memory>
#include <vector>

#include "forms.h"

enum TOpenOption {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
    ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
    ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
    ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden,
};
using TOpenOptions = TSet<TOpenOption>;
extern const TEnumInfo OpenOptionInfo;

// "Sounds|*.wav;*.mp3|All|*.*" as the system wants it: every part ended by a zero byte and the
// whole list by one more. Raises EConvertError when a name has no pattern.
String MakeFilterString(const String& filter);
// The OFN_ flags of a set of options (OFN_EXPLORER unless ofOldStyleDialog).
DWORD OpenOptionFlags(TOpenOptions options);
// The names in a dialog's result buffer: one full name, or a folder followed by names in it
// (multiple selection), each ended by a zero byte, the list by another.
std::vector<String> SplitDialogFileNames(const char* buffer, size_t size);

class TOpenDialog : public TComponent {
    TK_CLASS(TOpenDialog, TComponent)
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;

    const String& Filter() const { return FFilter; }
    void SetFilter(const String& v) { FFilter = v; }
    // 1 for the first filter; the dialog writes back the one the user left it on.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int v) { FFilterIndex = v; }
    // The name the dialog starts with, and the chosen one after Execute.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& v) { FFileName = v; }
    // Every chosen file (ofAllowMultiSelect), full names.
    TStrings* Files() const { return FFiles.get(); }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& v) { FInitialDir = v; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v) { FTitle = v; }
    // Added to a typed name without an extension ("wav" or ".wav").
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& v) { FDefaultExt = v; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }

    // Shows the dialog modally; true when the user confirmed a choice. A choice too long for
    // the buffer or a failing dialog raises EInvalidOperation.
    virtual bool Execute();

private:
    bool Run(HWND owner, bool withFileName);

    String FFilter;
    int FFilterIndex = 1;
    String FFileName;
    std::unique_ptr<TStringList> FFiles;
    String FInitialDir;
    String FTitle;
    String FDefaultExt;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

// A form built in code (no form file) owned by the application: the type's system icon (none
// for mtCustom) as "Image", the message as "Message" and one button per member of Buttons, in
// the enumeration's order, named "Yes", "No", "OK", ... with their modal results. OK (else Yes,
// else the first button) is the default button; Cancel (else No, else OK) answers Escape. The
// caption is "Warning", "Error", "Information", "Confirmation" or the application's title.
// The caller may change its Font, Cursor or BorderStyle before ShowModal: the layout follows
// the font when the form is shown. The caller frees the form.
TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// Creates the dialog, shows it modally, frees it; returns the modal result.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// The message with an OK button, under the application's title.
void ShowMessage(const String& Msg);

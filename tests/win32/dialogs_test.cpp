// The open dialog (filter and result buffers, and the real dialog driven from a timer) and the
// message dialog: its parts, default and cancel buttons, layout after a font change, MessageDlg.
#include <cstdio>
#include <functional>

#include "dialogs.h"
#include "extctrls.h"
#include "guitest.h"
#include "later.h"
#include "stdctrls.h"
#include "timer.h"

namespace {

BOOL CALLBACK FindDialogProc(HWND w, LPARAM p)
{
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (String(cls) == "#32770" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

// The thread's visible system dialog box, if one is open.
HWND FindDialogBox()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialogProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

using DialogsTest = GuiTest;

TEST(OpenDialogBuffers, FilterFlagsAndResultNames)
{
    using namespace std::string_literals;
    EXPECT_EQ(MakeFilterString("all Suported|*.mp3;*.wav"), "all Suported\0*.mp3;*.wav\0\0"s);
    EXPECT_EQ(MakeFilterString("a|*.a|b|*.b"), "a\0*.a\0b\0*.b\0\0"s);
    EXPECT_EQ(MakeFilterString(""), "");
    EXPECT_THROW(MakeFilterString("all|*.*|odd"), EConvertError);

    DWORD f = OpenOptionFlags({ofHideReadOnly, ofFileMustExist, ofAllowMultiSelect});
    EXPECT_EQ(f, DWORD(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT));
    EXPECT_EQ(OpenOptionFlags({ofOldStyleDialog}) & OFN_EXPLORER, 0u);

    String one = "C:\\Sounds\\a.wav\0\0"s;
    EXPECT_EQ(SplitDialogFileNames(one.data(), one.size()), std::vector<String>{"C:\\Sounds\\a.wav"});
    String many = "C:\\Sounds\0a.wav\0b.mp3\0\0"s;
    EXPECT_EQ(SplitDialogFileNames(many.data(), many.size()),
              (std::vector<String>{"C:\\Sounds\\a.wav", "C:\\Sounds\\b.mp3"}));
    // A buffer without its final zeros is read only to its end.
    String cut = "C:\\x\0y"s;
    EXPECT_EQ(SplitDialogFileNames(cut.data(), cut.size()), std::vector<String>{"C:\\x\\y"});
}

TEST_F(DialogsTest, OpenDialogReturnsTheChosenFileOrNothing)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    String path = String(dir) + "velmora_open_test.wav";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fclose(f);

    TOpenDialog open(nullptr);
    open.SetFilter("all Suported|*.mp3;*.wav|all|*.*");
    open.SetFileName("keep.wav");
    {
        TLater cancel([] {
            HWND dlg = FindDialogBox();
            return dlg && PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_FALSE(open.Execute());
    }
    EXPECT_EQ(open.FileName(), "keep.wav");

    open.SetInitialDir(dir);
    open.SetFilterIndex(2);
    {
        TLater choose([&] {
            HWND dlg = FindDialogBox();
            if (!dlg)
                return false;
            HWND name = GetDlgItem(dlg, cmb13) ? GetDlgItem(dlg, cmb13) : GetDlgItem(dlg, edt1);
            SetWindowTextA(name, path.c_str());
            PostMessageA(dlg, WM_COMMAND, IDOK, 0);
            return true;
        });
        EXPECT_TRUE(open.Execute());
    }
    EXPECT_TRUE(SameText(open.FileName(), path)) << open.FileName();
    ASSERT_EQ(open.Files()->Count(), 1);
    EXPECT_EQ(open.FilterIndex(), 2);
    DeleteFileA(path.c_str());
}

TEST_F(DialogsTest, MessageDialogHasIconTextAndButtons)
{
    TForm* dlg = CreateMessageDialog("Are you sure?", mtWarning, {mbYes, mbNo, mbCancel});
    TOwnedObject<TForm> guard(dlg);
    EXPECT_EQ(dlg->Caption(), "Warning");
    EXPECT_EQ(dlg->BorderStyle(), bsDialog);
    auto* image = Part<TImage>(dlg, "Image");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Picture()->Width(), 32);
    ASSERT_TRUE(Part<TLabel>(dlg, "Message"));
    EXPECT_EQ(Part<TLabel>(dlg, "Message")->Caption(), "Are you sure?");
    auto* yes = Part<TButton>(dlg, "Yes");
    auto* no = Part<TButton>(dlg, "No");
    auto* cancel = Part<TButton>(dlg, "Cancel");
    ASSERT_TRUE(yes && no && cancel);
    EXPECT_EQ(yes->Caption(), "&Yes");
    EXPECT_EQ(yes->ModalResult(), mrYes);
    EXPECT_EQ(no->ModalResult(), mrNo);
    EXPECT_TRUE(yes->Default());
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_FALSE(no->Cancel());
    EXPECT_LT(yes->Left(), no->Left());
    EXPECT_LT(no->Left(), cancel->Left());
    EXPECT_LE(cancel->Left() + cancel->Width(), dlg->ClientWidth());
    EXPECT_EQ(Part<TButton>(dlg, "OK"), nullptr);

    // Return presses the default button, Escape the cancel button.
    PostMessageA(yes->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(dlg->ShowModal(), mrYes);
    PostMessageA(yes->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(dlg->ShowModal(), mrCancel);

    // The caller's font is applied when the dialog shows: the layout grows with it.
    int labelHeight = Part<TLabel>(dlg, "Message")->Height();
    int clientHeight = dlg->ClientHeight();
    dlg->Font()->SetName("Comic Sans MS");
    dlg->Font()->SetHeight(-30);
    dlg->SetCursor(crHandPoint);
    PostMessageA(yes->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(dlg->ShowModal(), mrYes);
    EXPECT_GT(Part<TLabel>(dlg, "Message")->Height(), labelHeight);
    EXPECT_GT(dlg->ClientHeight(), clientHeight);
    EXPECT_GE(yes->Top(), Part<TLabel>(dlg, "Message")->Top() + Part<TLabel>(dlg, "Message")->Height());
}

TEST_F(DialogsTest, MessageDlgKindsAndResults)
{
    struct TCase {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        const char* Caption;
        const char* Default;
        const char* Cancel;
    };
    const TCase cases[] = {
        {mtInformation, {mbOK}, "Information", "OK", "OK"},
        {mtError, {mbAbort, mbRetry, mbIgnore}, "Error", "Abort", nullptr},
        {mtConfirmation, {mbYes, mbNo}, "Confirmation", "Yes", "No"},
        {mtCustom, {mbOK, mbCancel, mbHelp}, "Toolkit tests", "OK", "Cancel"},
    };
    for (const TCase& c : cases) {
        TForm* dlg = CreateMessageDialog("x", c.Type, c.Buttons);
        EXPECT_EQ(dlg->Caption(), c.Caption);
        EXPECT_EQ(Part<TImage>(dlg, "Image") != nullptr, c.Type != mtCustom);
        EXPECT_TRUE(Part<TButton>(dlg, c.Default)->Default()) << c.Caption;
        for (const char* name : {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore"}) {
            if (auto* b = Part<TButton>(dlg, name); b) {
                EXPECT_EQ(b->Cancel(), c.Cancel && String(name) == c.Cancel) << c.Caption << " " << name;
            }
        }
        dlg->Free();
    }

    // MessageDlg shows, returns the button's result and frees the form.
    int forms = Screen->FormCount();
    TLater pressNo([] {
        auto* no = NewestForm() ? Part<TButton>(NewestForm(), "No") : nullptr;
        if (!no || !no->Showing())
            return false;
        no->Click();
        return true;
    });
    EXPECT_EQ(MessageDlg("Exit?", mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(Screen->FormCount(), forms);

    TLater pressOk([] {
        auto* ok = NewestForm() ? Part<TButton>(NewestForm(), "OK") : nullptr;
        if (!ok || !ok->Showing())
            return false;
        PostMessageA(ok->Handle(), WM_KEYDOWN, VK_RETURN, 1);
        return true;
    });
    ShowMessage("Done");
    EXPECT_EQ(Screen->FormCount(), forms);
}

// The eight exports of Brenlow.dll. Each one creates its form without owner, copies its
// arguments into it, shows it modally, reads the outcome and frees the form before it returns.
#include "brenlow.h"
#include "library.h"
#include "memoeditor.h"
#include "ui_askyesno.h"
#include "ui_info.h"
#include "ui_select.h"
#include "ui_stop.h"
#include "ui_tips.h"
#include "ui_warn.h"
#include "uinput.h"

namespace {

constexpr int kRefusal = mrCancel;  // what a modal-result export returns when it fails

// An argument's text; a null pointer reads as empty.
String Arg(const char* s) { return s ? String(s) : String(); }

template <class T>
TOwnedObject<T> NewForm()
{
    return TOwnedObject<T>(new T(nullptr));
}

// The answers handed back through Selected and Value: each stays until the next answer of its
// export replaces it. A cancelled input answers with a text of its own, so an earlier answer
// stays readable through a cancelled call.
String gSelected;
String gValue;
const char kNoValue[] = "";

template <class T>
bool ShowMessageForm(const char* Caption, const char* Text, const char* ButtonCaption)
{
    auto form = NewForm<T>();
    form->SetCaption(Arg(Caption));
    form->Label1->SetCaption(Arg(Text));
    form->GradientButton1->SetCaption(Arg(ButtonCaption));
    form->ShowModal();
    return true;
}

// Items are separated by backslashes: each one becomes a line break, so "a\b" gives two items,
// "a\\b" an empty one between them and a trailing backslash none.
String ItemLines(const char* Items) { return StringReplaceAll(Arg(Items), "\\", "\r\n"); }

}  // namespace

BRENLOW_API int BRENLOW_CALL Editor(const char* Text, const char* Caption)
{
    return RunExport(kRefusal, [&] {
        auto form = NewForm<memoeditor::TForm3>();
        form->Memo1->SetText(Arg(Text));
        form->SetCaption(Arg(Caption));
        return form->ShowModal();
    });
}

BRENLOW_API int BRENLOW_CALL UIInput(const char* Caption, const char* Text, const char* Default, const char* OkCaption,
                                     const char* CancelCaption, const char** Value)
{
    // Set first, so even a failure leaves the caller an empty text rather than nothing.
    if (Value)
        *Value = kNoValue;
    return RunExport(kRefusal, [&] {
        auto form = NewForm<TFInput>();
        form->SetCaption(Arg(Caption));
        form->Label1->SetCaption(Arg(Text));
        form->x1->SetCaption(Arg(OkCaption));
        form->x2->SetCaption(Arg(CancelCaption));
        form->Edit1->SetText(Arg(Default));
        TModalResult r = form->ShowModal();
        if (r == mrOk) {
            gValue = form->Edit1->Text();
            if (Value)
                *Value = gValue.c_str();
        }
        return r;
    });
}

BRENLOW_API bool BRENLOW_CALL UIShowSelect(const char* Caption, const char* Text, const char* Items,
                                           const char* OkCaption, const char* CancelCaption, const char** Selected)
{
    if (Selected)
        *Selected = nullptr;
    return RunExport(false, [&] {
        auto form = NewForm<TFSelect>();
        form->SetCaption(Arg(Caption));
        form->cbSel->Items()->SetText(ItemLines(Items));
        if (form->cbSel->Items()->Count() > 0)
            form->cbSel->SetItemIndex(0);
        form->Label1->SetCaption(Arg(Text));
        form->GradientButton2->SetCaption(Arg(OkCaption));
        form->GradientButton1->SetCaption(Arg(CancelCaption));
        if (form->ShowModal() != mrOk)
            return false;
        gSelected = form->cbSel->Text();
        if (Selected)
            *Selected = gSelected.c_str();
        return true;
    });
}

BRENLOW_API bool BRENLOW_CALL UIShowTip(const char* Caption, const char* Text, const char* ButtonCaption,
                                        const char* Details)
{
    return RunExport(false, [&] {
        auto form = NewForm<TFTip>();
        form->SetCaption(Arg(Caption));
        form->Label1->SetCaption(Arg(Text));
        form->GradientButton2->SetCaption(Arg(ButtonCaption));
        form->RichEdit1->SetText(Arg(Details));
        form->ShowModal();
        return true;
    });
}

BRENLOW_API int BRENLOW_CALL UIAskYesNo(const char* Caption, const char* Text, const char* YesCaption,
                                        const char* NoCaption)
{
    return RunExport(kRefusal, [&] {
        auto form = NewForm<TFYesNoi>();
        form->SetCaption(Arg(Caption));
        form->Label1->SetCaption(Arg(Text));
        form->x1->SetCaption(Arg(YesCaption));
        form->x2->SetCaption(Arg(NoCaption));
        return form->ShowModal();
    });
}

BRENLOW_API bool BRENLOW_CALL UIStop(const char* Caption, const char* Text, const char* ButtonCaption)
{
    return RunExport(false, [&] { return ShowMessageForm<TFSTop>(Caption, Text, ButtonCaption); });
}

BRENLOW_API bool BRENLOW_CALL UIInfo(const char* Caption, const char* Text, const char* ButtonCaption)
{
    return RunExport(false, [&] { return ShowMessageForm<TFInfo>(Caption, Text, ButtonCaption); });
}

BRENLOW_API bool BRENLOW_CALL UIWarn(const char* Caption, const char* Text, const char* ButtonCaption)
{
    return RunExport(false, [&] { return ShowMessageForm<TFWarn>(Caption, Text, ButtonCaption); });
}

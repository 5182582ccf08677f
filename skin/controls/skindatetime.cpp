// The date-time picker skin.
#include "skindatetime.h"

#include "arrowbutton.h"
#include "controldraw.h"
#include "skindata.h"

const TClassInfo& TSkinDateTime::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinDateTime>("TSkinDateTime", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinDateTime::TSkinDateTime(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinDateTime::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    ReferenceGone(FArrowButton, c, op);
}

void TSkinDateTime::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    if (FAttached)
        return;
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    auto* picker = As<TWinControl>(FControl);
    if (!FAttached || !picker)
        return;
    FArrowButton = new TArrowButton(this);
    FArrowButton->AttachToPicker(this, picker);
}

void TSkinDateTime::AfterProc(TMessage& Message)
{
    if (Message.Msg == WM_SIZE) {
        if (FArrowButton)
            FArrowButton->Repaint();
        return;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinDateTime::DrawControl(HDC DC, const TRect& R)
{
    if (FArrowButton)
        FArrowButton->Reposition(R);
    DrawFlatBorder(DC, FHandle, R, SkinColor(scButtonShadow));
}

bool DrawFlatBorder(HDC DC, HWND Wnd, const TRect& R, TColor Shadow)
{
    RECT client;
    if (!GetClientRect(Wnd, &client) || client.right - client.left == R.Width() ||
        client.bottom - client.top == R.Height())
        return false;
    FrameTwoRings(DC, R, Shadow, clWhite);
    return true;
}

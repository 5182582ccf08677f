// The date-time picker skin.
#include "skindatetime.h"

#include "arrowbutton.h"
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
    if (op == opRemove && c == FArrowButton)
        FArrowButton = nullptr;
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
    DrawFlatBorder(DC, FHandle, R, FSkinData ? FSkinData->FColors[scButtonShadow] : clBtnShadow);
}

bool DrawFlatBorder(HDC DC, HWND Wnd, const TRect& R, TColor Shadow)
{
    RECT client;
    if (!GetClientRect(Wnd, &client) || client.right - client.left == R.Width() ||
        client.bottom - client.top == R.Height())
        return false;
    TGdiObject<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(Shadow)));
    TGdiObject<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
    RECT r = R;
    FrameRect(DC, &r, shadow.Get());
    InflateRect(&r, -1, -1);
    FrameRect(DC, &r, white.Get());
    return true;
}

// The edit skin: the border after the edit's own painting, the printed border, painting the
// client area into a given DC, and the spin child's skin.
#include "skinedit.h"

#include "bitmapview.h"
#include "controldraw.h"
#include "editlayout.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinmessages.h"
#include "skinrange.h"

namespace {

bool IsSpinClass(HWND wnd)
{
    const String name = LowerCase(WindowClassName(wnd));
    return name == "msctls_updown32" || name.find("spin") != String::npos || name.find("updown") != String::npos;
}

}  // namespace

const TClassInfo& TSkinEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinEdit>("TSkinEdit", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinEdit::~TSkinEdit() { SetReference(FSpinSkin, nullptr); }

void TSkinEdit::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    ReferenceGone(FSpinSkin, c, op);
}

bool TSkinEdit::BeforeProc(TMessage& Message)
{
    if (Message.Msg != WM_PRINT)
        return TSkinControl::BeforeProc(Message);
    // The edit leaves its own clipping in the printed DC: the DC is given back as it came
    // before the border goes on.
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    {
        TSavedDC saved(dc);
        CallDefault(Message);
    }
    PrintBorder(dc);
    return false;
}

void TSkinEdit::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case SKM_PAINTTODC:
        if (Message.LParam != SKM_MAGIC)
            break;
        if (Message.WParam) {
            TMessage paint{WM_PAINT, Message.WParam, 0, 0};
            CallDefault(paint);
        }
        Message.Result = SKM_MAGIC;
        break;
    default:
        // WM_PAINT among them: the border goes over what the edit painted.
        TSkinControl::AfterProc(Message);
        break;
    }
}

void TSkinEdit::AttachSpin(HWND Wnd, TSkinData* Data, TCanvas* Canvas)
{
    for (HWND child = GetTopWindow(Wnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSpinClass(child))
            continue;
        SetReference(FSpinSkin, new TSkinUpDown(Owner()));
        FSpinSkin->SetInEdit(true);
        FSpinSkin->InitHandle(child, Data, FSkinForm, Canvas);
        return;
    }
}

void TSkinEdit::DrawControl(HDC DC, const TRect& R)
{
    if (FSkinData && FSkinData->SkinControls().Contains(xcSpin) && !FSpinSkin)
        AttachSpin(FHandle, FSkinData, FCanvas);
    RECT client{};
    GetClientRect(FHandle, &client);
    if (!EditHasBorder(client.right - client.left, client.bottom - client.top, ToPixRect(R)))
        return;
    const auto rings = EditBorderRings(ToPixRect(R));
    TGdiObject<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(SkinColor(scButtonShadow))));
    TGdiObject<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
    for (size_t i = 0; i < rings.size(); ++i) {
        const RECT ring = ToRect(rings[i]);
        FrameRect(DC, &ring, i == 0 ? shadow.Get() : white.Get());
    }
}

void TSkinEdit::PrintBorder(HDC DC)
{
    RECT w{};
    if (!GetWindowRect(FHandle, &w))
        return;
    FWindowRect = w;
    const TRect r(0, 0, w.right - w.left, w.bottom - w.top);
    HDC target = DC ? DC : GetWindowDC(FHandle);
    if (!target)
        return;
    try {
        DrawPrintBorder(target, r);
    } catch (...) {
        // The printed edit keeps its own border.
    }
    if (!DC)
        ReleaseDC(FHandle, target);
}

void TSkinEdit::DrawPrintBorder(HDC DC, const TRect& R)
{
    RECT client{};
    GetClientRect(FHandle, &client);
    if (!EditPrintBorderFits(client.right - client.left, client.bottom - client.top, ToPixRect(R)))
        return;
    TCanvas own;
    TCanvas* canvas = FCanvas ? FCanvas : &own;
    const HDC lent = canvas->HandleAllocated() ? canvas->Handle() : nullptr;
    canvas->SetHandle(DC);
    try {
        // The inner line in the DC's current brush, the outer one in ButtonShadow.
        canvas->Brush()->BorrowHandle(static_cast<HBRUSH>(GetCurrentObject(DC, OBJ_BRUSH)));
        TRect inner = R;
        InflateRect(&inner, -1, -1);
        canvas->FrameRect(inner);
        const TColor old = canvas->Brush()->Color();
        canvas->Brush()->SetColor(SkinColor(scButtonShadow));
        canvas->FrameRect(R);
        canvas->Brush()->SetColor(old);
    } catch (...) {
        canvas->SetHandle(lent);
        throw;
    }
    canvas->SetHandle(lent);
}

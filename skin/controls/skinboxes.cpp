// The status bar, group box and box skins. Where things go is worked out in boxlayout.cpp.
#include "skinboxes.h"

#include "bitmapview.h"
#include "boxlayout.h"
#include "controldraw.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "statusbar.h"

namespace {

bool RightToLeft(TObject* o) { return TSkinControl::EnumPropText(o, "BiDiMode") == "bdrighttoleft"; }

// The text of a panel or bar; an empty one is drawn as a space.
std::wstring ShownText(const String& text) { return text.empty() ? std::wstring(L" ") : StrToWide(text); }

bool GetPanelRect(HWND bar, int index, RECT& r)
{
    return SendMessageA(bar, SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != 0;
}

}  // namespace

// ---------------------------------------------------------------- status bar

const TClassInfo& TSkinStatusBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinStatusBar>("TSkinStatusBar", &TSkinControl::StaticClass()).Build();
    return info;
}

bool TSkinStatusBar::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintFromMessage(Message);
        return false;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

void TSkinStatusBar::DrawControl(HDC DC, const TRect& R)
{
    auto* bar = As<TCustomStatusBar>(FControl);
    TBitmap* scratch = SkinScratchBitmap();
    if (!bar || !scratch || R.Empty())
        return;
    scratch->SetSize(R.Width(), R.Height());
    TCanvas* canvas = scratch->Canvas();
    FillFace(canvas->Handle(), R);
    canvas->Font()->Assign(bar->Font());
    canvas->Font()->SetStyle({});
    if (TDataSkinObject* edges = FSkinData ? FSkinData->FStatusBarEdges.get() : nullptr) {
        canvas->Font()->SetColor(edges->NormalColour2);
        SetTextColor(canvas->Handle(), ColorToRGB(edges->NormalColour2));
    }
    const bool simple = bar->SimplePanel() || bar->Panels()->Count() == 0;
    if (simple)
        DrawSimple(bar, canvas, R);
    else
        DrawPanels(bar, canvas, R);
    DrawGrip(canvas->Handle(), R);
    CopyScratch(DC, R);
    bar->PaintControls(DC, nullptr);
    DrawOwnerPanels(bar, DC);
}

void TSkinStatusBar::DrawSimple(TCustomStatusBar* Bar, TCanvas* Canvas, const TRect& R)
{
    const bool rightToLeft = RightToLeft(Bar);
    DrawEdge(Canvas, R, 1);
    DrawCaptionText(Canvas, ToRect(StatusTextRect(ToPixRect(R))), ShownText(Bar->SimpleText()), true,
                    rightToLeft ? DT_RIGHT : 0);
}

void TSkinStatusBar::DrawPanels(TCustomStatusBar* Bar, TCanvas* Canvas, const TRect& R)
{
    TStatusPanels* panels = Bar->Panels();
    const int count = panels->Count();
    for (int i = 0; i < count; ++i) {
        TStatusPanel* panel = panels->Items(i);
        const unsigned alignment = StatusPanelAlignment(panel->Alignment(), RightToLeft(panel));
        RECT given{};
        if (!GetPanelRect(FHandle, i, given))
            continue;
        const TRect q = ToRect(StatusPanelRect(ToPixRect(given), i == count - 1, R.right));
        DrawEdge(Canvas, q, StatusPanelState(panel->Bevel()));
        if (panel->Style() == psText)
            DrawCaptionText(Canvas, ToRect(StatusTextRect(ToPixRect(q))), ShownText(panel->Text()), true, alignment);
    }
}

void TSkinStatusBar::DrawGrip(HDC DC, const TRect& R)
{
    TDataSkinObject* extra = FSkinData ? FSkinData->FExtraImages.get() : nullptr;
    if (!(GetWindowLongAW(FHandle, GWL_STYLE) & SBARS_SIZEGRIP) || !extra || extra->Bitmap.Empty())
        return;
    const int frames = std::max(extra->Frame, 1);
    const TRect grip =
        ToRect(SizeGripRect(ToPixRect(R), extra->Bitmap.Width() / frames, extra->Bitmap.Height()));
    DrawStripFrameKeyed(DC, grip, frames, 5, &extra->Bitmap);
}

void TSkinStatusBar::DrawOwnerPanels(TCustomStatusBar* Bar, HDC DC)
{
    if (!Bar->OnDrawPanel)
        return;
    auto* canvas = As<TControlCanvas>(Bar->Canvas());
    if (!canvas)
        return;
    TCanvasPaintScope scope(canvas, Bar, DC);
    for (int i = 0; i < Bar->Panels()->Count(); ++i) {
        RECT given{};
        if (GetPanelRect(FHandle, i, given))
            Fire(Bar->OnDrawPanel, Bar, Bar->Panels()->Items(i), ToRect(StatusDrawPanelRect(ToPixRect(given))));
    }
}

void TSkinStatusBar::CopyScratch(HDC DC, const TRect& R)
{
    TBitmap* scratch = SkinScratchBitmap();
    if (scratch)
        BitBlt(DC, R.left, R.top, R.Width(), R.Height(), scratch->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinStatusBar::DrawEdge(TCanvas* Canvas, const TRect& Q, int State)
{
    TDataSkinObject* edges = FSkinData ? FSkinData->FStatusBarEdges.get() : nullptr;
    if (edges && !edges->Bitmap.Empty())
        DrawPanelSkin(Canvas->Handle(), Q, State);
    else
        DrawPanelEdge(Canvas, Q, State);
}

void TSkinStatusBar::DrawPanelSkin(HDC DC, const TRect& Q, int State)
{
    TDataSkinObject* edges = FSkinData ? FSkinData->FStatusBarEdges.get() : nullptr;
    if (edges)
        DrawSkinBitmapSliced(DC, Q, &edges->Bitmap, edges->Margins(), State, 3, false, edges->Tile == 1, false);
}

void TSkinStatusBar::DrawPanelEdge(TCanvas* Canvas, const TRect& Q, int State)
{
    TRect r = Q;
    if (State == 1)
        Frame3D(Canvas, r, clBtnShadow, clBtnHighlight, 1);
    else if (State == 2)
        Frame3D(Canvas, r, clBtnHighlight, clBtnShadow, 1);
}

// ---------------------------------------------------------------- group box

const TClassInfo& TSkinGroupBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinGroupBox>("TSkinGroupBox", &TSkinControl::StaticClass()).Build();
    return info;
}

void TSkinGroupBox::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    if (FControl)
        FMode = 1;
}

bool TSkinGroupBox::BeforeProc(TMessage& Message)
{
    const bool passOn = TSkinControl::BeforeProc(Message);
    if (FMode != 0 && Message.Msg == WM_PAINT) {
        PaintFromMessage(Message);
        return false;
    }
    return passOn;
}

int TSkinGroupBox::TextHeight(HDC DC, const char* Text)
{
    SIZE size{};
    GetTextExtentPoint32A(DC, Text, static_cast<int>(strlen(Text)), &size);
    return size.cy;
}

void TSkinGroupBox::PaintBox(HDC DC, const TRect& R)
{
    FText = GetWindowTextWide(FHandle);
    if (FText.empty() && FControl)
        GetWidePropText(FControl, "Caption", FText);
    if (FControl)
        FillFace(DC, R);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    if (FControl && FControl->Font()) {
        font = FControl->Font()->Handle();
        SetTextColor(DC, ColorToRGB(FControl->Font()->Color()));
    }
    {
        TSelectedObject selectedFont(DC, font);
        const TPixRect box = ToPixRect(R);
        const int y = GroupBoxFrameTop(TextHeight(DC, "0"));

        if (FMode == 0) {
            // The native frame is covered by two rings of the face.
            FrameTwoRings(DC, ToRect(GroupBoxFaceFrame(box, y)), FaceColor(), FaceColor());
        }
        {
            TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(SkinColor(scButtonShadow))));
            TSelectedObject selectedPen(DC, pen.Get());
            TSelectedObject selectedBrush(DC, GetStockObject(NULL_BRUSH));
            const TPixRect round = GroupBoxRoundFrame(box, y);
            RoundRect(DC, round.Left, round.Top, round.Right, round.Bottom, 5, 5);
        }

        // The background mode stays: an opaque caption breaks the frame line behind it.
        const COLORREF oldBack = SetBkColor(DC, ColorToRGB(FaceColor()));
        const bool right = (GetWindowLongAW(FHandle, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
        RECT text = ToRect(GroupBoxTextRect(box, right));
        DrawTextWide(DC, FText, text, right ? AddRTLReading(DT_EXPANDTABS | DT_RIGHT) : DT_EXPANDTABS);
        SetBkColor(DC, oldBack);
    }

    auto* control = As<TWinControl>(FControl);
    if (control && FMode == 1)
        control->PaintControls(DC, nullptr);
}

// ---------------------------------------------------------------- box

const TClassInfo& TSkinBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinBox>("TSkinBox", &TSkinControl::StaticClass()).Build();
    return info;
}

void TSkinBox::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    auto* control = As<TWinControl>(Owner());
    if (FAttached || !control)
        return;
    FSetColor = SetColor;
    FControl = control;
    FHandle = control->Handle();
    JoinSkinForm(Form, Data, Canvas);
    if (FSetColor)
        ApplyFaceColor();
    SetAttached();
}

void TSkinBox::Unskin()
{
    if (FSetColor)
        RestoreColor();
    FState = stUnskinned;
}

// The range controls' skins: track bar, up-down and progress bar. Where things go is worked
// out in rangelayout.cpp.
#include "skinrange.h"

#include <algorithm>

#include "bitmapview.h"
#include "controldraw.h"
#include "imgutil.h"
#include "rangelayout.h"
#include "skindata.h"
#include "skindraw.h"

namespace {

bool HasPicture(const TDataSkinObject* o) { return o && !o->Bitmap.Empty(); }

int FrameCount(const TDataSkinObject& o) { return std::max(o.Frame, 1); }

// A plan of pieces of the picture composed off-screen over the target, copied in one transfer.
void DrawChannelPlan(HDC dc, const TChannelLayout& layout, TBitmap& picture)
{
    if (layout.Target.Empty())
        return;
    TBitmap composed(layout.Target.Width(), layout.Target.Height());
    RenderPlan(ViewOf(composed), 0, 0, ViewOf(picture), layout.Plan);
    BitBlt(dc, layout.Target.Left, layout.Target.Top, composed.Width(), composed.Height(),
           composed.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// A bitmap of the bar's size (built lying down) filled with the face colour.
std::unique_ptr<TBitmap> NewBar(const TPixRect& bar, TColor face)
{
    auto b = std::make_unique<TBitmap>(bar.Width(), bar.Height());
    b->SetPixelFormat(pf24bit);
    FillSolidRect(b->Canvas()->Handle(), ToRect(bar), face);
    return b;
}

// Frame `state` of `count` of the object's picture nine-sliced to R's size, drawn on the bar
// with magenta left out.
void DrawBarFrame(TBitmap& bar, const TRect& r, TDataSkinObject& o, int state, int count, bool tile)
{
    if (!r.Empty())
        DrawSkinBitmapSliced(bar.Canvas()->Handle(), r, &o.Bitmap, o.Margins(), state, count, true, tile, false);
}

// The finished bar: turned upright when vertical (it then fills from the bottom), copied to R.
void PutBar(HDC dc, const TRect& r, TBitmap& bar, bool vertical)
{
    if (vertical)
        RotateBitmapLeft(&bar);
    BitBlt(dc, r.left, r.top, bar.Width(), bar.Height(), bar.Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

// ---------------------------------------------------------------- track bar

const TClassInfo& TSkinTrackBar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTrackBar>("TSkinTrackBar", &TSkinControl::StaticClass()).Build();
    return info;
}

void TSkinTrackBar::SkinChanged()
{
    // Only a repaint: moving the focus in and out would fire the control's enter and exit
    // events at every change of theme.
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

bool TSkinTrackBar::BeforeProc(TMessage& Message)
{
    if (Message.Msg != WM_NOTIFY && Message.Msg != CN_NOTIFY)
        return TSkinControl::BeforeProc(Message);
    // The same number also carries the engine's own handshakes, with a number in LParam.
    const NMHDR* header = NotifyHeader(Message);
    if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW) || header->hwndFrom != FHandle)
        return true;
    Message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(header));
    return false;
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& Draw)
{
    const TTrackDrawAnswer answer = TrackCustomDrawAnswer(Draw.dwDrawStage, Draw.dwItemSpec);
    if (answer.Draw == TTrackPart::Thumb)
        DrawThumb(Draw.hdc);
    else if (answer.Draw == TTrackPart::Channel)
        DrawChannel(Draw.hdc);
    return answer.Result;
}

void TSkinTrackBar::DrawChannel(HDC DC)
{
    if (!FSkinData || !DC)
        return;
    RECT c{};
    SendMessageA(FHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
    TDataSkinObject* vert = FSkinData->FTrackVert.get();
    TDataSkinObject* horz = FSkinData->FTrack.get();
    if ((GetWindowLongAW(FHandle, GWL_STYLE) & TBS_VERT) && HasPicture(vert)) {
        TBitmap& p = vert->Bitmap;
        DrawChannelPlan(DC,
                        VertChannelLayout(UprightChannelRect(ToPixRect(c)), p.Width(), p.Height(), vert->TopHeight,
                                          vert->BottomHeight),
                        p);
    } else if (HasPicture(horz)) {
        TBitmap& p = horz->Bitmap;
        DrawChannelPlan(DC, HorzChannelLayout(ToPixRect(c), p.Width(), p.Height(), horz->LeftWidth, horz->RightWidth),
                        p);
    }
}

void TSkinTrackBar::DrawThumb(HDC DC)
{
    if (!IsWindow(FHandle) || !DC)
        return;
    RECT t{};
    SendMessageA(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
    TDataSkinObject* picture = nullptr;
    if (FSkinData) {
        if ((GetWindowLongAW(FHandle, GWL_STYLE) & TBS_VERT) && HasPicture(FSkinData->FThumbVert.get()))
            picture = FSkinData->FThumbVert.get();
        else if (HasPicture(FSkinData->FThumbHorz.get()))
            picture = FSkinData->FThumbHorz.get();
    }
    if (picture) {
        DrawStripFrameKeyed(DC, t, ThumbFrameCount, ThumbFrame, &picture->Bitmap);
        return;
    }
    TCanvas canvas;
    canvas.SetHandle(DC);
    canvas.Pen()->SetColor(SkinColor(scButtonShadow));
    canvas.Rectangle(t);
    canvas.SetHandle(nullptr);
}

// ---------------------------------------------------------------- up-down

const TClassInfo& TSkinUpDown::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinUpDown>("TSkinUpDown", &TSkinControl::StaticClass()).Build();
    return info;
}

bool TSkinUpDown::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintFromMessage(Message);
        return false;
    case WM_ERASEBKGND:
        if (!FControl) {
            RECT r{};
            GetClientRect(FHandle, &r);
            FillSolidRect(reinterpret_cast<HDC>(Message.WParam), r, clWhite);
        }
        Message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(Message);
        FMouseFlags |= mfPressed;
        PaintControl(nullptr);
        return false;
    case WM_LBUTTONUP:
        FMouseFlags &= static_cast<BYTE>(~mfPressed);
        CallDefault(Message);
        PaintControl(nullptr);
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

TDataSkinObject* TSkinUpDown::ArrowObject(bool Horizontal) const
{
    if (!FSkinData)
        return nullptr;
    TDataSkinObject* o = Horizontal ? FSkinData->FUpDownHorz.get() : FSkinData->FUpDownVert.get();
    return HasPicture(o) ? o : nullptr;
}

void TSkinUpDown::DrawControl(HDC DC, const TRect& R)
{
    TPixRect r = ToPixRect(R);
    if (FInEdit) {
        RECT client{}, self{}, edit{};
        GetClientRect(FHandle, &client);
        FillSolidRect(DC, client, clWhite);
        if (GetWindowRect(FHandle, &self) && GetWindowRect(GetParent(FHandle), &edit))
            r = UpDownInEditRect(r, ToPixRect(self), ToPixRect(edit));
    }
    if (r.Empty())
        return;
    TBitmap composed(r.Width(), r.Height());
    FillFace(composed.Canvas()->Handle(), Rect(0, 0, r.Width(), r.Height()));

    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(FHandle, &cursor);
    const LONG style = GetWindowLongAW(FHandle, GWL_STYLE);
    FEnabled = (style & WS_DISABLED) == 0;
    const bool horizontal = (style & UDS_HORZ) != 0;
    const TUpDownLayout buttons = UpDownButtons(r.Width(), r.Height(), horizontal, cursor.x, cursor.y);
    const bool skinned = ArrowObject(horizontal) != nullptr;
    for (const TUpDownButton& b : {buttons.First, buttons.Second}) {
        const int state =
            UpDownButtonState(FEnabled, b.Active, (FMouseFlags & mfPressed) != 0, (FMouseFlags & mfHot) != 0);
        if (skinned)
            DrawSkinArrow(composed.Canvas()->Handle(), ToRect(b.Rect), b.Direction, state);
        else
            DrawPlainArrow(composed.Canvas(), ToRect(b.Rect), b.Direction, state);
    }
    BitBlt(DC, r.Left, r.Top, r.Width(), r.Height(), composed.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawSkinArrow(HDC DC, const TRect& Rect, int Direction, int State)
{
    TDataSkinObject* o = ArrowObject(Direction == udLeft || Direction == udRight);
    if (!o)
        return;
    const int index = UpDownFrameIndex(State, Direction);
    const int count = FrameCount(*o);
    DrawSkinBitmapState(DC, Rect, &o->Bitmap, index, count, true);
    auto* border = As<TDataSkinBorder>(o);
    if (border && !border->Bitmap2.Empty())
        DrawSkinBitmapCentered(DC, Rect, &border->Bitmap2, index, count, true);
}

// ---------------------------------------------------------------- progress bar

const TClassInfo& TSkinProgress::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinProgress>("TSkinProgress", &TSkinControl::StaticClass()).Build();
    return info;
}

bool TSkinProgress::Vertical() const { return (GetWindowLongAW(FHandle, GWL_STYLE) & PBS_VERTICAL) != 0; }

bool TSkinProgress::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        if (!FSkinData || !HasPicture(FSkinData->FProgress.get()))
            return true;  // the standard painting
        PaintFromMessage(Message);
        Message.Result = 0;
        return false;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

void TSkinProgress::DrawControl(HDC DC, const TRect& R)
{
    TDataSkinObject* progress = FSkinData ? FSkinData->FProgress.get() : nullptr;
    if (!HasPicture(progress) || R.Empty())
        return;
    if (progress->Style == 1) {
        DrawChunks(DC, R);
        return;
    }
    const bool vertical = Vertical();
    const TPixRect b = ProgressBarRect(R.Width(), R.Height(), vertical);
    std::unique_ptr<TBitmap> bar = NewBar(b, FaceColor());
    const bool tile = progress->Tile == 1;
    DrawBarFrame(*bar, ToRect(b), *progress, 1, 2, tile);
    const int pos = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
    const int hi = static_cast<int>(SendMessageA(FHandle, PBM_GETRANGE, FALSE, 0));
    const int lo = static_cast<int>(SendMessageA(FHandle, PBM_GETRANGE, TRUE, 0));
    const TPixRect fill = ProgressFillRect(b, pos, lo, hi);
    if (!fill.Empty())
        DrawBarFrame(*bar, ToRect(fill), *progress, 2, 2, tile);
    PutBar(DC, R, *bar, vertical);
}

void TSkinProgress::DrawChunks(HDC DC, const TRect& R)
{
    TDataSkinObject& progress = *FSkinData->FProgress;
    const bool vertical = Vertical();
    const TPixRect b = ProgressBarRect(R.Width(), R.Height(), vertical);
    std::unique_ptr<TBitmap> bar = NewBar(b, FaceColor());
    DrawBarFrame(*bar, ToRect(b), progress, 1, 1, false);

    // Without chunk pictures the empty bar still shows.
    TDataSkinObject* chunk = FSkinData->FProgressChunk.get();
    const int pos = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
    const int hi = static_cast<int>(SendMessageA(FHandle, PBM_GETRANGE, FALSE, 0));
    const int fw = ChunkFillWidth(b.Width(), pos, hi);
    if (HasPicture(chunk) && fw > 0) {
        TBitmap& picture = chunk->Bitmap;
        const int cw = picture.Width();
        const int ch = picture.Height();
        const int yo = (b.Bottom - ch) / 2;
        HDC target = bar->Canvas()->Handle();
        if (chunk->Tile == 1) {
            TBitmap strip(fw, ch);
            FillSolidRect(strip.Canvas()->Handle(), Rect(0, 0, fw, ch), SkinKeyColor);
            const int copies = ChunkCopies(fw, cw);
            for (int k = 0; k < copies; ++k)
                BitBlt(strip.Canvas()->Handle(), k * cw, 0, cw, ch, picture.Canvas()->Handle(), 0, 0, SRCCOPY);
            TransparentDraw(target, Bounds(chunk->LeftWidth + 2, yo, fw, ch), &strip, SkinKeyColor);
        } else if (b.Bottom - 4 > 0) {
            TBitmap strip(b.Left + fw, b.Bottom - 4);
            FillSolidRect(strip.Canvas()->Handle(), Rect(0, 0, strip.Width(), strip.Height()), SkinKeyColor);
            StretchSkinBitmapPart(strip.Canvas()->Handle(), Rect(b.Left, b.Top, b.Left + fw, b.Bottom), &picture,
                                  chunk->Margins(), 1, 1, false);
            TransparentDraw(target, Bounds(2, 2, strip.Width(), strip.Height()), &strip, SkinKeyColor);
        }
    }
    PutBar(DC, R, *bar, vertical);
}

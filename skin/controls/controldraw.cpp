// The drawing helpers the control families share: caption text, glyph and text, a frame of a
// skin picture strip, the standard WM_PAINT and WM_ERASEBKGND handling, centred text and the
// small arrow glyph. Where things go is worked out in controllayout.cpp.
#include "controldraw.h"

#include <memory>

#include "bitmapview.h"
#include "controllayout.h"
#include "pixelslice.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinhelpers.h"

namespace {

constexpr UINT GlyphTextFlags = DT_END_ELLIPSIS | DT_EXPANDTABS | DT_WORDBREAK;

// Transparent text in the canvas's font without style, in the disabled colour when asked.
HDC PrepareText(TCanvas* canvas, bool disabled)
{
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetStyle({});
    if (disabled)
        canvas->Font()->SetColor(SkinDisabledTextColor);
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    return dc;
}

// R measured as DrawText would lay the text out with `flags`, from R's top-left corner.
TPixRect Measure(HDC dc, const std::wstring& text, const TRect& r, UINT flags)
{
    RECT m = r;
    DrawTextWide(dc, text, m, flags | DT_CALCRECT | DT_NOCLIP);
    return ToPixRect(m);
}

// Frame `state` of `count` of a strip, stretched to R's size; null when there is nothing to draw.
std::unique_ptr<TBitmap> StripFrame(const TRect& r, int count, int state, TBitmap* bitmap)
{
    if (r.Empty() || !bitmap || bitmap->Empty())
        return nullptr;
    const TPixRect src = StateRect(bitmap->Width(), bitmap->Height(), state, count, false);
    if (src.Empty())
        return nullptr;
    auto frame = std::make_unique<TBitmap>(r.Width(), r.Height());
    frame->Canvas()->CopyRect(Rect(0, 0, r.Width(), r.Height()), bitmap->Canvas(), ToRect(src));
    return frame;
}

// The frame drawn onto a canvas with magenta left out.
void DrawKeyed(TCanvas& canvas, const TRect& r, TBitmap& frame)
{
    frame.SetTransparent(true);
    frame.SetTransparentColor(SkinKeyColor);
    canvas.Draw(r.left, r.top, &frame);
}

}  // namespace

// ---------------------------------------------------------------- operations of a control skin

UINT TSkinControl::AddRTLReading(UINT Flags) const
{
    for (TControl* c : {FControl, FGraphicControl}) {
        if (!c)
            continue;
        if (EnumPropText(c, "BiDiMode") == "bdrighttoleft")
            return Flags | DT_RTLREADING;
    }
    return Flags;
}

void TSkinControl::DrawCaptionText(TCanvas* Canvas, const TRect& R, const std::wstring& Text, bool Enabled,
                                   UINT Alignment) const
{
    if (!Canvas)
        return;
    const UINT flags = Alignment | DT_EXPANDTABS;
    HDC dc = PrepareText(Canvas, !Enabled);
    RECT m = ToRect(PlaceCaptionText(ToPixRect(R), Measure(dc, Text, R, flags), Alignment));
    DrawTextWide(dc, Text, m, AddRTLReading(flags));
}

void TSkinControl::DrawGlyphAndText(TCanvas* Canvas, const TRect& R, HIMAGELIST ImageList, int ImageIndex,
                                    const std::wstring& Text, int Alignment) const
{
    if (!Canvas)
        return;
    int cx = 0, cy = 0;
    if (ImageList)
        ImageList_GetIconSize(ImageList, &cx, &cy);
    const bool hasImage = ImageList && ImageIndex != -1;
    const TRect box = ToRect(GlyphTextMeasureBox(ToPixRect(R), cx, hasImage, Alignment));
    TPixRect measured = PixRect(box.left, box.top, box.left, box.bottom);
    if (!Text.empty())
        measured = Measure(Canvas->Handle(), Text, box, GlyphTextFlags);
    const TGlyphTextLayout l = PlaceGlyphAndText(ToPixRect(R), cx, cy, hasImage, measured, Alignment);
    if (hasImage)
        ImageList_Draw(ImageList, ImageIndex, Canvas->Handle(), l.Glyph.Left, l.Glyph.Top, ILD_TRANSPARENT);
    if (Text.empty())
        return;
    HDC dc = PrepareText(Canvas, !FEnabled);
    RECT t = ToRect(l.Text);
    DrawTextWide(dc, Text, t, AddRTLReading(GlyphTextFlags));
}

void TSkinControl::DrawSkinPart(HDC DC, const TRect& R, int Count, int State, TDataSkinObject* SkinObject)
{
    if (!DC || !SkinObject || SkinObject->Bitmap.Empty())
        return;
    DrawSkinBitmapSliced(DC, R, &SkinObject->Bitmap, SkinObject->Margins(), State, Count, SkinObject->Trans == 1,
                         SkinObject->Tile == 1, false);
}

void TSkinControl::DrawStripFrameKeyed(HDC DC, const TRect& R, int Count, int State, TBitmap* Bitmap)
{
    std::unique_ptr<TBitmap> frame = StripFrame(R, Count, State, Bitmap);
    if (!DC || !frame)
        return;
    TCanvas canvas;
    canvas.SetHandle(DC);
    DrawKeyed(canvas, R, *frame);
}

void TSkinControl::DrawStripFrameToCanvas(TCanvas* Canvas, const TRect& R, int Count, int State, TBitmap* Bitmap)
{
    std::unique_ptr<TBitmap> frame = StripFrame(R, Count, State, Bitmap);
    if (Canvas && frame)
        DrawKeyed(*Canvas, R, *frame);
}

void TSkinControl::DrawStripFrameMasked(HDC DC, const TRect& R, int Count, int State, TBitmap* Bitmap)
{
    std::unique_ptr<TBitmap> frame = StripFrame(R, Count, State, Bitmap);
    if (DC && frame)
        TransparentDraw(DC, R, frame.get(), SkinKeyColor);
}

void TSkinControl::DrawPlainArrow(TCanvas* Canvas, const TRect& Rect, int Direction, int State) const
{
    const bool lit = State == 2 || State == 4;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(SkinColor(lit ? scButtonShadow : scButtonFace));
    Canvas->Pen()->SetColor(SkinColor(scButtonDkShadow));
    Canvas->Rectangle(Rect);
    const TArrowPoint p = PlainArrowPoint(ToPixRect(Rect), Direction);
    DrawArrowGlyph(Canvas, p.X, p.Y, Direction);
}

void TSkinControl::PaintFromMessage(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    PAINTSTRUCT ps{};
    const bool own = !dc;
    if (own)
        dc = BeginPaint(FHandle, &ps);
    RECT w;
    if (dc && GetWindowRect(FHandle, &w)) {
        FWindowRect = w;
        try {
            DrawControl(dc, TRect(0, 0, w.right - w.left, w.bottom - w.top));
        } catch (...) {
            // The paint is still ended below.
        }
    }
    if (own)
        EndPaint(FHandle, &ps);
}

void TSkinControl::EraseBackground(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (FControl) {
        DrawParentBackground(FControl, dc);
    } else {
        RECT r{};
        GetClientRect(FHandle, &r);
        FillParentColor(dc, r);
    }
    Message.Result = 1;
}

void TSkinControl::FillBackground(HDC DC, const TRect& R, bool OverParent) const
{
    TControl* control = FControl ? FControl : FGraphicControl;
    if (OverParent && control)
        DrawParentBackground(control, DC);
    else
        FillFace(DC, R);
}

// ---------------------------------------------------------------- free routines

void DrawSkinText(TCanvas* Canvas, const TRect& R, const std::wstring& Text, int Alignment, bool Enabled)
{
    if (!Canvas)
        return;
    const UINT flags = AlignmentTextFlags(Alignment) | DT_SINGLELINE | DT_EXPANDTABS;
    HDC dc = PrepareText(Canvas, !Enabled);
    RECT m = ToRect(PlaceCenteredText(ToPixRect(R), Measure(dc, Text, R, flags)));
    DrawTextWide(dc, Text, m, flags);
}

void DrawArrowGlyph(TCanvas* Canvas, int X, int Y, int Direction)
{
    DrawLayoutLines(Canvas, ArrowGlyphLines(X, Y, Direction));
}

void DrawLayoutLines(TCanvas* Canvas, const std::vector<TLayoutLine>& Lines)
{
    if (!Canvas)
        return;
    for (const TLayoutLine& line : Lines) {
        Canvas->MoveTo(line.FromX, line.FromY);
        Canvas->LineTo(line.ToX, line.ToY);
    }
}

void FillSolidRect(HDC DC, const TRect& R, TColor Color)
{
    if (!DC)
        return;
    TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
    if (brush)
        FillRect(DC, &R, brush.Get());
}

void FrameTwoRings(HDC DC, const TRect& R, TColor Outer, TColor Inner)
{
    TGdiObject<HBRUSH> outer(CreateSolidBrush(ColorToRGB(Outer)));
    TGdiObject<HBRUSH> inner(CreateSolidBrush(ColorToRGB(Inner)));
    RECT r = R;
    FrameRect(DC, &r, outer.Get());
    InflateRect(&r, -1, -1);
    FrameRect(DC, &r, inner.Get());
}

void CopySkinBitmap(TBitmap* Source, TBitmap* Dest)
{
    if (!Source || !Dest || Source == Dest)
        return;
    Dest->SetSize(Source->Width(), Source->Height());
    Dest->SetPixelFormat(Source->PixelFormat());
    if (!Source->Empty())
        Dest->Canvas()->Draw(0, 0, Source);
}

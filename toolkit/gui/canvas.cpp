// TCanvas: drawing on an HDC with the canvas's own font, brush and pen.
#include "gdiutil.h"
#include "graphics.h"

const TClassInfo& TCanvas::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas", &TPersistent::StaticClass()).Build();
    return info;
}

TCanvas::TCanvas() : FFont(new TFont), FBrush(new TBrush), FPen(new TPen)
{
    FFont->FCanvas = this;
    FBrush->FCanvas = this;
    FPen->FCanvas = this;
}

TCanvas::~TCanvas()
{
    // A subclass that owns its DC has let go of it already; this gives back a borrowed one.
    SetHandle(nullptr);
}

HDC TCanvas::Handle() { return Required(csAll); }

void TCanvas::SetHandle(HDC dc)
{
    if (dc == FHandle)
        return;
    if (FHandle)
        Deselect(csAll);
    FHandle = dc;
    FState = 0;
}

HDC TCanvas::Required(unsigned parts)
{
    if (!FHandle)
        CreateHandle();
    if (!FHandle)
        throw EInvalidOperation("Canvas does not allow drawing");
    unsigned need = parts & ~FState;
    if (need & csFont) {
        FOldFont = SelectObject(FHandle, FFont->Handle());
        SetTextColor(FHandle, ColorToRGB(FFont->Color()));
        FState |= csFont;
    }
    if (need & csBrush) {
        HBRUSH b = FBrush->Handle();
        UnrealizeObject(b);
        FOldBrush = SelectObject(FHandle, b);
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
        FState |= csBrush;
    }
    if (need & csPen) {
        FOldPen = SelectObject(FHandle, FPen->Handle());
        SetROP2(FHandle, static_cast<int>(FPen->Mode()) + R2_BLACK);
        FState |= csPen;
    }
    return FHandle;
}

void TCanvas::Deselect(unsigned parts)
{
    unsigned drop = parts & FState;
    if (!FHandle)
        return;
    if ((drop & csFont) && FOldFont)
        SelectObject(FHandle, FOldFont);
    if ((drop & csBrush) && FOldBrush)
        SelectObject(FHandle, FOldBrush);
    if ((drop & csPen) && FOldPen)
        SelectObject(FHandle, FOldPen);
    FState &= ~drop;
}

void TCanvas::ObjectChanged(TGraphicsObject* o)
{
    // The object's handle is about to be replaced: take it out of the DC first.
    if (o == FFont.get())
        Deselect(csFont);
    else if (o == FBrush.get())
        Deselect(csBrush);
    else if (o == FPen.get())
        Deselect(csPen);
}

void TCanvas::Changing() { Fire(OnChanging, this); }

void TCanvas::Changed() { Fire(OnChange, this); }

TRect TCanvas::ClipRect()
{
    RECT r{};
    GetClipBox(Required(0), &r);
    return r;
}

void TCanvas::FillRect(const TRect& r)
{
    Changing();
    HDC dc = Required(csBrush);
    ::FillRect(dc, &r, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r)
{
    Changing();
    HDC dc = Required(csBrush);
    ::FrameRect(dc, &r, FBrush->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    Changing();
    HDC dc = Required(csBrush);
    ::DrawFocusRect(dc, &r);
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    Changing();
    ::Rectangle(Required(csPen | csBrush), x1, y1, x2, y2);
    Changed();
}

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width)
{
    if (!canvas)
        return;
    TPen* pen = canvas->Pen();
    const TColor oldColor = pen->Color();
    const int oldWidth = pen->Width();
    pen->SetWidth(1);
    for (int i = 0; i < width; ++i) {
        pen->SetColor(topColor);
        canvas->MoveTo(rect.left, rect.bottom - 1);
        canvas->LineTo(rect.left, rect.top);
        canvas->LineTo(rect.right - 1, rect.top);
        pen->SetColor(bottomColor);
        canvas->LineTo(rect.right - 1, rect.bottom - 1);
        canvas->LineTo(rect.left - 1, rect.bottom - 1);
        InflateRect(&rect, -1, -1);
    }
    pen->SetColor(oldColor);
    pen->SetWidth(oldWidth);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cx, int cy)
{
    Changing();
    ::RoundRect(Required(csPen | csBrush), x1, y1, x2, y2, cx, cy);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Changing();
    ::Ellipse(Required(csPen | csBrush), x1, y1, x2, y2);
    Changed();
}

void TCanvas::MoveTo(int x, int y)
{
    MoveToEx(Required(0), x, y, nullptr);
    FPenPos = TPoint(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    Changing();
    HDC dc = Required(csPen | csBrush);
    MoveToEx(dc, FPenPos.x, FPenPos.y, nullptr);
    ::LineTo(dc, x, y);
    FPenPos = TPoint(x, y);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    std::vector<POINT> pts(points.begin(), points.end());
    Changing();
    ::Polygon(Required(csPen | csBrush), pts.data(), static_cast<int>(pts.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    std::vector<POINT> pts(points.begin(), points.end());
    Changing();
    ::Polyline(Required(csPen | csBrush), pts.data(), static_cast<int>(pts.size()));
    FPenPos = points.back();
    Changed();
}

TColor TCanvas::Pixels(int x, int y)
{
    COLORREF c = GetPixel(Required(0), x, y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor c)
{
    Changing();
    ::SetPixel(Required(csPen), x, y, ColorToRGB(c));  // the pen's mode applies
    Changed();
}

void TCanvas::TextOut(int x, int y, const String& text)
{
    Changing();
    HDC dc = Required(csFont | csBrush);
    UINT align = GetTextAlign(dc);
    ExtTextOutA(dc, x, y, FTextFlags, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    // Like the pen, the text position moves on past what was written.
    FPenPos = TPoint(x + TextWidth(text), y);
    if (align & TA_UPDATECP) {
        POINT p;
        GetCurrentPositionEx(dc, &p);
        FPenPos = p;
    }
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    Changing();
    HDC dc = Required(csFont | csBrush);
    UINT opts = ETO_CLIPPED | FTextFlags;
    if (FBrush->Style() != bsClear)
        opts |= ETO_OPAQUE;
    ExtTextOutA(dc, x, y, opts, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

SIZE TCanvas::TextExtent(const String& text)
{
    SIZE s{0, 0};
    GetTextExtentPoint32A(Required(csFont), text.data(), static_cast<int>(text.size()), &s);
    return s;
}

void TCanvas::Draw(int x, int y, TGraphic* g)
{
    if (!g || g->Empty())
        return;
    StretchDraw(Bounds(x, y, g->Width(), g->Height()), g);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* g)
{
    if (!g || g->Empty())
        return;
    Changing();
    Required(csAll);
    g->Draw(*this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* src, const TRect& srcRect)
{
    if (!src)
        return;
    Changing();
    HDC dc = Required(csBrush);
    HDC sdc = src->Required(csBrush);
    TStretchMode mode(dc);
    StretchBlt(dc, dest.left, dest.top, dest.Width(), dest.Height(), sdc, srcRect.left, srcRect.top,
               srcRect.Width(), srcRect.Height(), FCopyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* src, const TRect& srcRect, TColor c)
{
    if (!src || src->Empty())
        return;
    // A copy in which colour c turns into the brush colour, then an ordinary copy of it.
    TBitmap tmp(srcRect.Width(), srcRect.Height());
    tmp.Canvas()->CopyRect(Rect(0, 0, srcRect.Width(), srcRect.Height()), src->Canvas(), srcRect);
    uint32_t key = ColorToPixel(c) & 0xFFFFFF;
    uint32_t fill = ColorToPixel(FBrush->Color());
    TPixelBuffer pb = tmp.PixelBuffer();
    for (int y = 0; y < pb.Height; ++y)
        for (uint32_t* p = pb.Row(y); p != pb.Row(y) + pb.Width; ++p)
            if ((*p & 0xFFFFFF) == key)
                *p = fill;
    CopyRect(dest, tmp.Canvas(), Rect(0, 0, srcRect.Width(), srcRect.Height()));
}

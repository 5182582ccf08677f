// What a load does after reading: the forced frame counts, the images built from other
// objects (combo strip, combo arrow, toolbar gradient), the border colour and the face brush.
#include <algorithm>

#include "imgutil.h"
#include "skindraw.h"
#include "skinschema.h"

namespace {

void SetFrame(const std::unique_ptr<TDataSkinObject>& o, int frame)
{
    if (o)
        o->Frame = frame;
}

// A glyph strip without a frame count of its own: states of 13 pixels (16 from a height of
// 16 on), at least four of them.
int GuessGlyphFrames(const TBitmap& strip)
{
    const int side = strip.Height() < 16 ? 13 : 16;
    return std::max(4, strip.Width() / side);
}

// Copies the area of the source to (x, y) of the target; source pixels outside the source
// count as magenta, target pixels outside the target are skipped.
void CopyArea(TBitmap& source, const TRect& area, TBitmap& target, int x, int y)
{
    const TPixelBuffer src = source.PixelBuffer();
    const TPixelBuffer dst = target.PixelBuffer();
    const uint32_t key = ColorToPixel(SkinKeyColor);
    for (int row = 0; row < area.Height(); ++row)
        for (int col = 0; col < area.Width(); ++col) {
            const int sx = area.left + col, sy = area.top + row, dx = x + col, dy = y + row;
            if (dx < 0 || dy < 0 || dx >= dst.Width || dy >= dst.Height)
                continue;
            const bool inside = sx >= 0 && sy >= 0 && sx < src.Width && sy < src.Height;
            dst.At(dx, dy) = inside ? src.At(sx, sy) : key;
        }
}

}  // namespace

void TSkinObjects::SetFrameCounts(const TQuickIni& Ini)
{
    FButtons->Frame = 5;
    if (FButtons->RadioButtonFrame < 1)
        FButtons->RadioButtonFrame = GuessGlyphFrames(FButtons->RadioBitmap);
    if (FButtons->CheckButtonFrame < 1)
        FButtons->CheckButtonFrame = GuessGlyphFrames(FButtons->CheckBitmap);
    FTitle->Frame = 2;
    if (FProgress)
        FProgress->Frame = FProgress->Style != 0 ? 1 : 2;
    SetFrame(FMenuBar, 2);
    SetFrame(FGroupBoxEdge, 2);
    SetFrame(FToolBars, 5);
    if (FTabs)
        FTabs->Frame = 5;
    SetFrame(FTabPane, 1);
    SetFrame(FStatusBarEdges, 3);
    if (FGroupBox)
        FGroupBox->Frame = 1;
    if (FComboButton)
        FComboButton->Frame = 4;
    SetFrame(FSunkEdge, 4);
    SetFrame(FExtraImages, 5);
    if (FHeaderbar && FHeaderbar->Frame < 1)
        FHeaderbar->Frame = 5;
    SetFrame(FMenuItem, 5);
    SetFrame(FMenuBackground, 1);
    SetFrame(FScrollbar, 23);
    SetFrame(FHorzScroll, 4);
    SetFrame(FVertScroll, 4);
    if (FUpDownHorz)
        FUpDownHorz->Frame = 8;
    if (FUpDownVert)
        FUpDownVert->Frame = 8;
    for (auto* thumb : {&FThumbHorz, &FThumbVert, &FThumbLeft, &FThumbRight, &FThumbUp, &FThumbDown})
        SetFrame(*thumb, 5);
    if (FHorzScrollThumb)
        FHorzScrollThumb->Frame = std::max(1, Ini.ReadInteger("HorzScrollThumb", "FrameCount", 3));
    if (FVertScrollThumb)
        FVertScrollThumb->Frame = std::max(1, Ini.ReadInteger("VertScrollThumb", "FrameCount", 3));
}

// The combo box drawn whole: each state is the sunken edge with the drop-down button (and its
// glyph) at the right and a transparent inside. SunkEdge gets the mirrored strip for
// right-to-left boxes.
void TSkinObjects::MakeComboButton()
{
    if (!FSunkEdge || !FComboButton)
        return;
    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int states = FSunkEdge->Frame;
    TBitmap strip(ComboCellWidth * states, ComboCellHeight);
    strip.SetPixelFormat(pf24bit);
    strip.Canvas()->Brush()->SetColor(SkinKeyColor);
    strip.Canvas()->FillRect(Rect(0, 0, strip.Width(), strip.Height()));
    TBitmap cell(ComboCellWidth, ComboCellHeight);
    TCanvas& c = *cell.Canvas();
    c.Brush()->SetColor(SkinKeyColor);
    const TRect whole(0, 0, ComboCellWidth, ComboCellHeight);
    const TRect button(ComboCellWidth - b, 0, ComboCellWidth, ComboCellHeight);
    for (int s = 1; s <= states; ++s) {
        c.FillRect(whole);
        DrawSkinBitmapSliced(c.Handle(), whole, &FSunkEdge->Bitmap, FSunkEdge->Margins(), s, states,
                             FSunkEdge->Trans == 1, FSunkEdge->Tile == 1, false);
        DrawSkinBitmapSliced(c.Handle(), button, &FComboButton->Bitmap, FComboButton->Margins(), s,
                             FComboButton->Frame, true, false, false);
        if (FExtraImages)
            DrawSkinBitmapCentered(c.Handle(), button, &FExtraImages->Bitmap, s, FExtraImages->Frame, true);
        c.FillRect(Rect(2, 2, ComboCellWidth - 1 - b, ComboCellHeight - 3));
        CopyArea(cell, whole, strip, (s - 1) * ComboCellWidth, 0);
    }
    FComboButton->Style = 2;
    FComboButton->SetMargins(2, FSunkEdge->TopHeight, b + 2, FSunkEdge->BottomHeight);
    FComboButton->Bitmap.Assign(&strip);
    MirrorBitmap(&strip);
    FSunkEdge->Bitmap.Assign(&strip);
    FSunkEdge->LeftWidth = b + 2;
    FSunkEdge->RightWidth = 2;
}

// The drop-down arrow the date-time picker shows: squares cut from the built strip, or the
// button picture on the face colour when there is no sunken edge. A skin with a sunken edge
// but no combo button leaves it without a picture (one frame, so nothing divides by zero).
void TSkinObjects::MakeComboArrow()
{
    if (!FComboArrow)
        FComboArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *FComboArrow;
    if (!FSunkEdge) {
        if (FComboButton) {
            arrow.Bitmap.Assign(&FComboButton->Bitmap);
            ReplaceColor(&arrow.Bitmap, FColors[scButtonFace]);
            arrow.Frame = FComboButton->Frame;
        }
    } else if (FComboButton && FComboButton->Style == 2) {
        const int states = FSunkEdge->Frame;
        const int w = FComboButton->Bitmap.Width() / states;
        arrow.Bitmap.SetSize(ComboArrowSize * states, ComboArrowSize);
        arrow.Bitmap.SetPixelFormat(pf24bit);
        for (int i = 0; i < states; ++i) {
            const int right = (i + 1) * w - 2;
            CopyArea(FComboButton->Bitmap, Rect(right - ComboArrowSize, 2, right, 2 + ComboArrowSize), arrow.Bitmap,
                     i * ComboArrowSize, 0);
        }
        arrow.Frame = states;
    }
    if (arrow.Frame < 1)
        arrow.Frame = 1;
}

// A vertical gradient from a light face colour down to a darker shade of the border colour;
// a strongly coloured border gives a lighter end so the toolbar does not turn dark.
void TSkinObjects::MakeToolbarImage()
{
    const TColor border = GetBorderColor();
    TColor endColor = MixColors(0x808080, border, 150);
    const TColor startColor = MixColors(FColors[scButtonFace], clWhite, 150);
    const int saturation = ColorSaturation(border);
    if (saturation > 110)
        endColor = MixColors(border, clWhite, (5625 - 25 * saturation) / 140 + 50);
    if (!FToolbar)
        FToolbar = std::make_unique<TDataSkinObject>("Toolbar");
    TBitmap& image = FToolbar->Bitmap;
    image.SetSize(10, 40);
    GradientFillRect(image.Canvas()->Handle(), Rect(0, 0, 10, 40), startColor, endColor, gdVertical);
    FToolbar->Frame = 1;
}

void TSkinObjects::MakeFaceBrush() { FFaceBrush.Reset(CreateSolidBrush(ColorToRGB(FColors[scButtonFace]))); }

TColor TSkinObjects::GetBorderColor() const
{
    const TDataSkinBorder& top = *FBorders[bdTop - bdLeft];
    if (top.Bitmap.Empty())
        return FColors[scButtonFace];
    TBitmap& image = const_cast<TBitmap&>(top.Bitmap);  // reading pixels flushes GDI first
    const int x = image.Width() / 3;
    const int y = image.Height() / std::max(1, top.Frame) / 3;
    return PixelToColor(image.PixelBuffer().At(x, y));
}

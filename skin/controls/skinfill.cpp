// Face-coloured backgrounds (size grips, pages, dialog boxes), button-style tabs and the
// disabled glyph.
#include "skinfill.h"

#include <array>
#include <utility>

#include "controldraw.h"
#include "skinbutton.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinhelpers.h"
#include "winstyle.h"

// ---------------------------------------------------------------- TSkinSizer

const TClassInfo& TSkinSizer::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinSizer>("TSkinSizer", &TSkinControl::StaticClass()).Build();
    return info;
}

void TSkinSizer::DrawControl(HDC DC, const TRect& R) { FillFace(DC, R); }

// ---------------------------------------------------------------- TSkinTabSheet

const TClassInfo& TSkinTabSheet::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinTabSheet>("TSkinTabSheet", &TSkinControl::StaticClass()).Build();
    return info;
}

bool TSkinTabSheet::BeforeProc(TMessage& Message)
{
    const bool passOn = TSkinControl::BeforeProc(Message);
    if (!passOn || FMode != 0)
        return passOn;
    switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
        PaintFromMessage(Message);
        return false;
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(FHandle, &r);
        if (FSkinData && FSkinData->FFaceBrush)
            FillRect(reinterpret_cast<HDC>(Message.WParam), &r, FSkinData->FFaceBrush.Get());
        else
            FillFace(reinterpret_cast<HDC>(Message.WParam), r);
        Message.Result = 1;
        return false;
    }
    default:
        return passOn;
    }
}

void TSkinTabSheet::DrawControl(HDC DC, const TRect& R)
{
    TBitmap picture(R.Width(), R.Height());
    HDC dc = picture.Canvas()->Handle();
    FillFace(dc, TRect(0, 0, R.Width(), R.Height()));
    if (auto* page = As<TWinControl>(FControl))
        page->PaintControls(dc, nullptr);
    BitBlt(DC, R.left, R.top, R.Width(), R.Height(), dc, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- TSkinBoxH

const TClassInfo& TSkinBoxH::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinBoxH>("TSkinBoxH", &TSkinControl::StaticClass()).Build();
    return info;
}

bool TSkinBoxH::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: {
        RECT w{};
        GetWindowRect(FHandle, &w);
        FillFace(reinterpret_cast<HDC>(Message.WParam), TRect(0, 0, w.right - w.left, w.bottom - w.top));
        Message.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        CallDefault(Message);
        if (FSkinData && FSkinData->FFaceBrush) {
            // The text's own background matches the brush it stands on.
            SetBkColor(reinterpret_cast<HDC>(Message.WParam), ColorToRGB(FSkinData->FColors[scButtonFace]));
            Message.Result = reinterpret_cast<LRESULT>(FSkinData->FFaceBrush.Get());
        }
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

// ---------------------------------------------------------------- TSkinTabBtn

namespace {

// Text, image and state. Not the item's parameter: a tab control with extra item bytes copies
// all of them there, past the end of the item record.
constexpr UINT TabItemMask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;

}  // namespace

const TClassInfo& TSkinTabBtn::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTabBtn>("TSkinTabBtn", &TSkinControl::StaticClass()).Build();
    return info;
}

bool TSkinTabBtn::BeforeProc(TMessage& Message)
{
    if (Message.Msg == WM_PAINT) {
        PaintFromMessage(Message);
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinTabBtn::DrawControl(HDC DC, const TRect& R)
{
    TDataSkinButton* buttons = FSkinData ? FSkinData->FButtons.get() : nullptr;
    const bool usable = buttons && !buttons->Bitmap.Empty();
    FEnabled = FControl ? FControl->Enabled() : !(StyleOf(FHandle) & WS_DISABLED);

    RECT display = R;
    SendMessageA(FHandle, TCM_ADJUSTRECT, 0, reinterpret_cast<LPARAM>(&display));
    InflateRect(&display, 4, 4);
    const TRect strip(R.left, R.top, R.right, display.top + 1);
    // Without the button picture the paint stays consumed and the strip is left as erased.
    if (!usable || strip.Width() <= 0 || strip.Height() <= 0)
        return;

    TBitmap picture(strip.Width(), strip.Height());
    picture.SetPixelFormat(pf24bit);
    TCanvas& canvas = *picture.Canvas();
    FillFace(canvas.Handle(), TRect(0, 0, strip.Width(), strip.Height()));
    if (auto font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0)))
        canvas.Font()->BorrowHandle(font);
    const int count = static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const int focused = static_cast<int>(SendMessageA(FHandle, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, TCM_GETIMAGELIST, 0, 0));
    for (int i = 0; i < count; ++i)
        DrawTab(canvas, i, focused, images);
    BitBlt(DC, strip.left, strip.top, strip.right, strip.bottom, canvas.Handle(), 0, 0, SRCCOPY);
}

void TSkinTabBtn::DrawTab(TCanvas& canvas, int index, int focused, HIMAGELIST images)
{
    TDataSkinButton* buttons = FSkinData->FButtons.get();
    std::wstring text;
    int image = -1;
    if (FUnicode) {
        std::array<wchar_t, 40> buffer{};
        TCITEMW item{};
        item.mask = TabItemMask;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        if (SendMessageW(FHandle, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) {
            text = WideCopy(item.pszText, -1);
            image = item.iImage;
        }
    } else {
        std::array<char, 80> buffer{};
        TCITEMA item{};
        item.mask = TabItemMask;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        if (SendMessageA(FHandle, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) {
            text = StrToWide(String(item.pszText ? item.pszText : ""));
            image = item.iImage;
        }
    }
    RECT r{};
    if (!SendMessageA(FHandle, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)))
        return;
    OffsetRect(&r, 0, 1);
    const int state = index == focused ? ButtonState::Pressed : ButtonState::Normal;
    DrawSkinBitmapSliced(canvas.Handle(), r, &buttons->Bitmap, buttons->Margins(), state, buttons->Frame,
                         buttons->Trans == 1, buttons->Tile == 1, false);
    // Each tab starts from black: a colour of one tab does not carry over to the next.
    canvas.Font()->SetColor(ButtonTextColor(state, clBlack, ButtonColoursOf(buttons), SkinDisabledTextColor, true));
    DrawGlyphAndText(&canvas, r, images, image, text, 1);
}

// ---------------------------------------------------------------- the disabled glyph

namespace {

// The raster operation that paints the brush where the source is white and keeps the target
// where it is black.
constexpr DWORD ROP_DSPDxax = 0xE20746;

// A monochrome mask of the glyph, its ink white: made by the system from a device-dependent
// copy, the glyph's background (white paper for a monochrome glyph, else the colour it is drawn
// transparent with) black and every other pixel white.
TGdiObject<HBITMAP> DisabledGlyphMask(TBitmap& glyph)
{
    const int w = glyph.Width(), h = glyph.Height();
    HDC screen = GetDC(nullptr);
    TGdiObject<HBITMAP> copy(CreateCompatibleBitmap(screen, w, h));
    ReleaseDC(nullptr, screen);
    TGdiObject<HBITMAP> mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!copy || !mask)
        return TGdiObject<HBITMAP>();
    TMemoryDC copyDC(copy.Get());
    BitBlt(copyDC.Get(), 0, 0, w, h, glyph.Canvas()->Handle(), 0, 0, SRCCOPY);
    SetBkColor(copyDC.Get(), glyph.Monochrome() ? RGB(255, 255, 255) : ColorToRGB(glyph.TransparentColor()));
    TMemoryDC maskDC(mask.Get());
    BitBlt(maskDC.Get(), 0, 0, w, h, copyDC.Get(), 0, 0, NOTSRCCOPY);
    return mask;
}

}  // namespace

std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap* Glyph)
{
    if (!Glyph)
        return std::make_unique<TBitmap>();
    const int w = Glyph->Width(), h = Glyph->Height();
    auto result = std::make_unique<TBitmap>(w, h);
    // Our bitmaps keep no palette: the pixel format is what the glyph hands on.
    result->SetPixelFormat(Glyph->PixelFormat());
    TCanvas* canvas = result->Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect(0, 0, w, h));
    if (Glyph->Empty())
        return result;
    TGdiObject<HBITMAP> mask = DisabledGlyphMask(*Glyph);
    if (!mask)
        return result;
    TMemoryDC maskDC(mask.Get());
    // The ink as a highlight one pixel down and right, under a shadow in its own place.
    for (const auto& [colour, at] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}}) {
        canvas->Brush()->SetColor(colour);
        HDC dc = canvas->Handle();
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        BitBlt(dc, at, at, w, h, maskDC.Get(), 0, 0, ROP_DSPDxax);
    }
    return result;
}

// The header skin.
#include "skinheader.h"

#include <algorithm>

#include "bitmapview.h"
#include "controllayout.h"
#include "headerlayout.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinhelpers.h"

namespace {

constexpr UINT SectionTextFlags = DT_END_ELLIPSIS | DT_EXPANDTABS;
// A section's text is read up to this many characters.
constexpr int SectionTextChars = 100;

// The titles are drawn upright and unweighted whatever the header's font says.
TGdiObject<HFONT> RegularFont(HDC dc, HFONT font)
{
    LOGFONTW lf{};
    if (!GetObjectW(font ? font : GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf))
        return TGdiObject<HFONT>();
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    lf.lfStrikeOut = FALSE;
    return TGdiObject<HFONT>(CreateFontIndirectW(&lf));
}

}  // namespace

const TClassInfo& TSkinHeader::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinHeader>("TSkinHeader", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinHeader::TSkinHeader(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinHeader::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    FHotSection = -1;
}

void TSkinHeader::InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas)
{
    TSkinControl::InitHandle(Wnd, Data, Form, Canvas);
    FHotSection = -1;
}

TDataSkinObject* TSkinHeader::Headerbar() const
{
    TDataSkinObject* bar = FSkinData ? FSkinData->FHeaderbar.get() : nullptr;
    return bar && !bar->Bitmap.Empty() ? bar : nullptr;
}

bool TSkinHeader::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        // Without a header picture the header paints its own titles.
        if (!Headerbar())
            return true;
        PaintFromMessage(Message);
        return false;
    case WM_ERASEBKGND:
        if (!Headerbar())
            return true;
        Message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

void TSkinHeader::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE: {
        std::vector<TPixRect> hits;
        for (const TRect& r : FHitRects)
            hits.push_back(ToPixRect(r));
        const int at = HeaderSectionAt(hits, MsgX(Message.LParam), MsgY(Message.LParam));
        if (at >= 0 && at != FHotSection) {
            FHotSection = at;
            Refresh();
        }
        SkinTrackMouseLeave(FHandle);
        break;
    }
    case WM_MOUSELEAVE:
        FHotSection = -1;
        Refresh();
        break;
    default:
        TSkinControl::AfterProc(Message);
    }
}

void TSkinHeader::DrawControl(HDC DC, const TRect& R)
{
    TDataSkinObject* bar = Headerbar();
    if (!bar || R.Empty())
        return;
    TBitmap picture(R.Width(), R.Height());
    HDC pdc = picture.Canvas()->Handle();
    auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, HDM_GETIMAGELIST, 0, 0));
    const int count = std::max(0, static_cast<int>(SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0)));
    FEnabled = true;
    FHitRects.assign(static_cast<size_t>(count), TRect());
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT s{};
        if (!SendMessageW(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&s)))
            continue;
        DrawSection(pdc, font, images, i, s);
        FHitRects[static_cast<size_t>(i)] = ToRect(HeaderHitRect(ToPixRect(s)));
        right = std::max(right, static_cast<int>(s.right));
    }
    const TPixRect filler = HeaderFiller(PixRect(0, 0, R.Width(), R.Height()), right);
    if (!filler.Empty())
        DrawSkinBitmapSliced(pdc, ToRect(filler), &bar->Bitmap, bar->Margins(), 1, bar->Frame, false, bar->Tile == 1,
                             false);
    BitBlt(DC, R.left, R.top, R.Width(), R.Height(), pdc, 0, 0, SRCCOPY);
}

void TSkinHeader::DrawSection(HDC DC, HFONT Font, HIMAGELIST Images, int Index, const TRect& S)
{
    TDataSkinObject* bar = Headerbar();
    if (!bar || S.Empty())
        return;
    wchar_t text[SectionTextChars + 1] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = SectionTextChars + 1;
    if (!SendMessageW(FHandle, HDM_GETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item)))
        text[0] = L'\0';
    text[SectionTextChars] = L'\0';
    const std::wstring caption = item.pszText ? WideCopy(item.pszText, -1) : std::wstring();

    const TRect box(0, 0, S.Width(), S.Height());
    std::unique_ptr<TBitmap> picture = StretchSkinBitmap(box, &bar->Bitmap, bar->Margins(),
                                                         Index == FHotSection ? 2 : 1, bar->Frame, bar->Tile == 1,
                                                         false);
    if (!picture || picture->Empty())
        return;
    if (!caption.empty()) {
        HDC tdc = picture->Canvas()->Handle();
        const TGdiObject<HFONT> regular = RegularFont(tdc, Font);
        TSelectedObject font(tdc, regular ? regular.Get() : Font);
        TSelectedObject clear(tdc, GetStockObject(NULL_BRUSH));
        const unsigned format = static_cast<unsigned>(item.fmt);
        const int image = HeaderImageIndex(format, item.iImage);
        const bool hasImage = Images && image != -1;
        int cx = 0, cy = 0;
        if (Images)
            ImageList_GetIconSize(Images, &cx, &cy);
        const int alignment = HeaderTextAlignment(format);
        RECT measured = ToRect(GlyphTextMeasureBox(ToPixRect(box), cx, hasImage, alignment));
        DrawTextWide(tdc, caption, measured, SectionTextFlags | DT_CALCRECT | DT_NOCLIP);
        const TGlyphTextLayout l = PlaceGlyphAndText(ToPixRect(box), cx, cy, hasImage, ToPixRect(measured), alignment);
        if (hasImage)
            ImageList_Draw(Images, image, tdc, l.Glyph.Left, l.Glyph.Top, ILD_TRANSPARENT);
        SetBkMode(tdc, TRANSPARENT);
        if (FSkinData && FSkinData->FColorDefined[scWindowText])
            SetTextColor(tdc, ColorToRGB(FSkinData->FColors[scWindowText]));
        RECT t = ToRect(l.Text);
        DrawTextWide(tdc, caption, t, AddRTLReading(SectionTextFlags));
    }
    BitBlt(DC, S.left, S.top, S.Width(), S.Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
}

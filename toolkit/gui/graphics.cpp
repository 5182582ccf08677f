// Colour names, the graphics registrations, and the font, brush and pen objects.
#include "graphics.h"

#include <cstdio>

#include "formfile.h"

namespace {

struct TNamedColor {
    const char* Name;
    TColor Value;
};

const TNamedColor ColorNames[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clScrollBar", clScrollBar}, {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk}, {"clNone", clNone}, {"clDefault", clDefault},
};

struct TNamedInt {
    const char* Name;
    int Value;
};

const TNamedInt CharsetNames[] = {
    {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"MAC_CHARSET", MAC_CHARSET},
    {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}, {"HANGEUL_CHARSET", HANGEUL_CHARSET},
    {"JOHAB_CHARSET", JOHAB_CHARSET}, {"GB2312_CHARSET", GB2312_CHARSET},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET}, {"GREEK_CHARSET", GREEK_CHARSET},
    {"TURKISH_CHARSET", TURKISH_CHARSET}, {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
    {"HEBREW_CHARSET", HEBREW_CHARSET}, {"ARABIC_CHARSET", ARABIC_CHARSET},
    {"BALTIC_CHARSET", BALTIC_CHARSET}, {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
    {"THAI_CHARSET", THAI_CHARSET}, {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
};

const TEnumInfo FontStyleInfo{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
const TEnumInfo FontPitchInfo{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
const TEnumInfo BrushStyleInfo{"TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                               "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"}};
const TEnumInfo PenStyleInfo{"TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot",
                                           "psClear", "psInsideFrame"}};
const TEnumInfo PenModeInfo{"TPenMode", {"pmBlack", "pmNotMerge", "pmMaskNotPen", "pmNotCopy",
                                         "pmMaskPenNot", "pmNot", "pmXor", "pmNotMask", "pmMask",
                                         "pmNotXor", "pmNop", "pmMergeNotPen", "pmCopy",
                                         "pmMergePenNot", "pmMerge", "pmWhite"}};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colours and registrations

bool IdentToColor(std::string_view name, TColor& c)
{
    for (const TNamedColor& n : ColorNames)
        if (SameText(n.Name, name)) {
            c = n.Value;
            return true;
        }
    return false;
}

String ColorToString(TColor c)
{
    for (const TNamedColor& n : ColorNames)
        if (n.Value == c)
            return n.Name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(c));
    return buf;
}

TColor StringToColor(std::string_view s)
{
    TColor c;
    if (IdentToColor(Trim(s), c))
        return c;
    int v;
    if (!TryStrToInt(Trim(s), v))
        throw EConvertError("'" + String(s) + "' is not a valid colour");
    return v;
}

void RegisterColorIdents()
{
    for (const TNamedColor& n : ColorNames)
        RegisterIdentConst(n.Name, n.Value);
}

void RegisterGraphicsClasses()
{
    RegisterColorIdents();
    for (const TNamedInt& n : CharsetNames)
        RegisterIdentConst(n.Name, n.Value);
    // Known by name; picture data finds its graphic classes through RegisterGraphicClass,
    // where TBitmap, TIcon and TJPEGImage are from the start.
    RegisterClasses({&TFont::StaticClass(), &TBrush::StaticClass(), &TPen::StaticClass(), &TPicture::StaticClass(),
                     &TBitmap::StaticClass(), &TIcon::StaticClass(), &TJPEGImage::StaticClass()});
}

int ScreenPixelsPerInch()
{
    static const int ppi = [] {
        HDC dc = GetDC(nullptr);
        int v = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc)
            ReleaseDC(nullptr, dc);
        return v > 0 ? v : 96;
    }();
    return ppi;
}

// ---------------------------------------------------------------------------------------------
// TGraphicsObject

const TClassInfo& TGraphicsObject::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TGraphicsObject>("TGraphicsObject", &TPersistent::StaticClass()).Build();
    return info;
}

void TGraphicsObject::Changed()
{
    if (FCanvas)
        FCanvas->ObjectChanged(this);
    Fire(OnChange, this);
}

// ---------------------------------------------------------------------------------------------
// TFont

const TClassInfo& TFont::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TFont>("TFont", &TGraphicsObject::StaticClass())
            .Prop("Name", &TFont::Name, &TFont::SetName)
            .Prop("Height", &TFont::Height, &TFont::SetHeight)
            .Prop("Size", &TFont::Size, &TFont::SetSize)
            .ColorProp("Color", &TFont::Color, &TFont::SetColor)
            .SetProp<TFontStyle>("Style", FontStyleInfo, &TFont::Style, &TFont::SetStyle)
            .Prop("Charset", &TFont::Charset, &TFont::SetCharset)
            .EnumProp<TFontPitch>("Pitch", FontPitchInfo, &TFont::Pitch, &TFont::SetPitch)
            .Build();
    return info;
}

TFont::TFont() : FPixelsPerInch(ScreenPixelsPerInch()) {}

HFONT TFont::Handle()
{
    if (FBorrowed)
        return FBorrowed;
    if (!FHandle) {
        static const BYTE pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
        HFONT h = CreateFontA(FHeight, 0, 0, 0, FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL,
                              FStyle.Contains(fsItalic), FStyle.Contains(fsUnderline),
                              FStyle.Contains(fsStrikeOut), static_cast<BYTE>(FCharset), OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitches[FPitch] | FF_DONTCARE,
                              FName.c_str());
        if (!h)
            throw EOutOfResources("Cannot create font \"" + FName + "\"");
        FHandle.Reset(h);
    }
    return FHandle.Get();
}

void TFont::SetHandle(HFONT h)
{
    if (h && h == FHandle.Get())
        return;
    ReadAttributes(h);
    TGdiObject<HFONT> old = std::move(FHandle);  // goes after the canvas let go of it
    FHandle.Reset(h);
    FBorrowed = nullptr;
    TGraphicsObject::Changed();
}

void TFont::BorrowHandle(HFONT h)
{
    if (h && h == FBorrowed)
        return;
    ReadAttributes(h);
    TGdiObject<HFONT> old = std::move(FHandle);
    FBorrowed = h;
    TGraphicsObject::Changed();
}

void TFont::ReadAttributes(HFONT h)
{
    LOGFONTA lf{};
    if (!h || GetObjectA(h, sizeof lf, &lf) == 0)
        throw EInvalidGraphic("Invalid font handle");
    FName = lf.lfFaceName;
    FHeight = lf.lfHeight;
    FStyle = {};
    if (lf.lfWeight >= FW_BOLD)
        FStyle.Include(fsBold);
    if (lf.lfItalic)
        FStyle.Include(fsItalic);
    if (lf.lfUnderline)
        FStyle.Include(fsUnderline);
    if (lf.lfStrikeOut)
        FStyle.Include(fsStrikeOut);
    FCharset = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 3;
    FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
}

void TFont::Changed()
{
    // The old handle lives until the canvas has deselected it and OnChange has run, so a
    // window that still holds it can be given the new one first.
    TGdiObject<HFONT> old = std::move(FHandle);
    FBorrowed = nullptr;
    TGraphicsObject::Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int v) { SetHeight(-MulDiv(v, FPixelsPerInch, 72)); }

void TFont::SetCharset(int v)
{
    if (v < 0 || v > 255)
        throw EInvalidOperation("Invalid character set " + IntToStr(v));
    if (v != FCharset) {
        FCharset = v;
        Changed();
    }
}

void TFont::Assign(TPersistent* source)
{
    auto* f = As<TFont>(source);
    if (!f)
        return TGraphicsObject::Assign(source);
    if (f == this)
        return;
    bool same = FName == f->FName && FHeight == f->FHeight && FStyle == f->FStyle &&
                FCharset == f->FCharset && FPitch == f->FPitch;
    bool colorSame = FColor == f->FColor;
    FName = f->FName;
    FHeight = f->FHeight;
    FStyle = f->FStyle;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FColor = f->FColor;
    if (!same)
        Changed();
    else if (!colorSame)
        TGraphicsObject::Changed();
}

// ---------------------------------------------------------------------------------------------
// TBrush

const TClassInfo& TBrush::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBrush>("TBrush", &TGraphicsObject::StaticClass())
            .ColorProp("Color", &TBrush::Color, &TBrush::SetColor)
            .EnumProp<TBrushStyle>("Style", BrushStyleInfo, &TBrush::Style, &TBrush::SetStyle)
            .Build();
    return info;
}

HBRUSH TBrush::Handle()
{
    if (FBorrowed)
        return FBorrowed;
    if (FStyle == bsClear)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (!FHandle) {
        COLORREF rgb = ColorToRGB(FColor);
        HBRUSH h = FStyle == bsSolid ? CreateSolidBrush(rgb) : CreateHatchBrush(FStyle - bsHorizontal, rgb);
        if (!h)
            throw EOutOfResources("Cannot create brush");
        FHandle.Reset(h);
    }
    return FHandle.Get();
}

void TBrush::Changed()
{
    TGdiObject<HBRUSH> old = std::move(FHandle);
    FBorrowed = nullptr;
    TGraphicsObject::Changed();
}

void TBrush::BorrowHandle(HBRUSH h)
{
    LOGBRUSH lb{};
    if (!h || GetObjectA(h, sizeof lb, &lb) == 0)
        throw EInvalidGraphic("Invalid brush handle");
    if (h == FBorrowed)
        return;
    TGdiObject<HBRUSH> old = std::move(FHandle);
    FBorrowed = h;
    if (lb.lbStyle == BS_NULL) {
        FStyle = bsClear;
    } else {
        FColor = static_cast<TColor>(lb.lbColor & 0xFFFFFF);
        FStyle = lb.lbStyle == BS_HATCHED ? static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch) : bsSolid;
    }
    TGraphicsObject::Changed();
}

void TBrush::SetColor(TColor v)
{
    if (v != FColor) {
        FColor = v;
        if (FStyle == bsClear)
            FStyle = bsSolid;  // a colour asks for paint
        Changed();
    }
}

void TBrush::Assign(TPersistent* source)
{
    auto* b = As<TBrush>(source);
    if (!b)
        return TGraphicsObject::Assign(source);
    if (b->FColor != FColor || b->FStyle != FStyle) {
        FColor = b->FColor;
        FStyle = b->FStyle;
        Changed();
    }
}

// ---------------------------------------------------------------------------------------------
// TPen

const TClassInfo& TPen::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPen>("TPen", &TGraphicsObject::StaticClass())
            .ColorProp("Color", &TPen::Color, &TPen::SetColor)
            .Prop("Width", &TPen::Width, &TPen::SetWidth)
            .EnumProp<TPenStyle>("Style", PenStyleInfo, &TPen::Style, &TPen::SetStyle)
            .EnumProp<TPenMode>("Mode", PenModeInfo, &TPen::Mode, &TPen::SetMode)
            .Build();
    return info;
}

HPEN TPen::Handle()
{
    if (!FHandle) {
        // The pen styles are in the order of the PS_ codes.
        HPEN h = CreatePen(static_cast<int>(FStyle), FWidth, ColorToRGB(FColor));
        if (!h)
            throw EOutOfResources("Cannot create pen");
        FHandle.Reset(h);
    }
    return FHandle.Get();
}

void TPen::Changed()
{
    TGdiObject<HPEN> old = std::move(FHandle);
    TGraphicsObject::Changed();
}

void TPen::SetWidth(int v)
{
    if (v < 0)
        v = 0;
    if (v != FWidth) {
        FWidth = v;
        Changed();
    }
}

void TPen::Assign(TPersistent* source)
{
    auto* p = As<TPen>(source);
    if (!p)
        return TGraphicsObject::Assign(source);
    if (p->FColor != FColor || p->FWidth != FWidth || p->FStyle != FStyle || p->FMode != FMode) {
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FMode = p->FMode;
        Changed();
    }
}

#pragma once
// Graphics: fonts, brushes and pens; a canvas over an HDC; pictures (bitmaps as 32-bit DIB
// sections, icons, JPEG images) and the picture that picks its class by file extension.
// Image files and resources are untrusted input: a damaged one raises EInvalidGraphic.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "bmpreader.h"
#include "classes.h"
#include "handles.h"
#include "types.h"

struct TFormValue;

// Colours by name for form files and settings: "clBtnFace", or "$00BBGGRR" for any other value.
String ColorToString(TColor c);
TColor StringToColor(std::string_view s);  // raises EConvertError
bool IdentToColor(std::string_view name, TColor& c);

// The classes and names form files need (graphic classes of picture data, colour and
// character-set names); the window layer calls it once at start-up.
void RegisterGraphicsClasses();

// The screen's logical pixels per inch (vertical).
int ScreenPixelsPerInch();

// ---------------------------------------------------------------------------------------------
// Fonts, brushes, pens

class TCanvas;

class TGraphicsObject : public TPersistent {
    TK_CLASS(TGraphicsObject, TPersistent)
public:
    TNotifyEvent OnChange;

protected:
    // Tells the canvas that holds this object (it deselects it) and then fires OnChange.
    virtual void Changed();

private:
    friend class TCanvas;
    TCanvas* FCanvas = nullptr;  // the canvas that owns this object, if any
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
    TK_CLASS(TFont, TGraphicsObject)
public:
    TFont();

    // Created on demand, owned by the font; replaced by a new one after every change.
    HFONT Handle();
    // Takes ownership of a font made elsewhere and reads its attributes.
    void SetHandle(HFONT h);
    // Uses a font that stays its owner's (a window's WM_GETFONT) until the next change that
    // needs a new handle; it is never deleted here.
    void BorrowHandle(HFONT h);
    bool HandleAllocated() const { return FBorrowed || static_cast<bool>(FHandle); }

    TK_PROPERTY(String, Name, Changed());
    TK_PROPERTY(int, Height, Changed());
    int Size() const;  // points
    void SetSize(int v);
    // The colour is not part of the handle.
    TK_PROPERTY(TColor, Color, TGraphicsObject::Changed());
    TK_PROPERTY(TFontStyles, Style, Changed());
    int Charset() const { return FCharset; }
    void SetCharset(int v);
    TK_PROPERTY(TFontPitch, Pitch, Changed());
    int PixelsPerInch() const { return FPixelsPerInch; }

    void Assign(TPersistent* source) override;

protected:
    void Changed() override;

private:
    // Takes the attributes of a font handle; raises EInvalidGraphic for a handle that is none.
    void ReadAttributes(HFONT h);

    String FName = "MS Sans Serif";
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    int FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FPixelsPerInch;
    TGdiObject<HFONT> FHandle;
    HFONT FBorrowed = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
    TK_CLASS(TBrush, TGraphicsObject)
public:
    // bsClear gives the stock null brush; the others are owned and recreated after a change.
    HBRUSH Handle();
    // Uses a brush that stays its owner's (the one selected in a DC) until the next change;
    // it is never deleted here.
    void BorrowHandle(HBRUSH h);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TK_PROPERTY(TBrushStyle, Style, Changed());

    void Assign(TPersistent* source) override;

protected:
    void Changed() override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TGdiObject<HBRUSH> FHandle;
    HBRUSH FBorrowed = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations of the pen, in the order of the R2_ codes (pmBlack is R2_BLACK).
enum TPenMode {
    pmBlack, pmNotMerge, pmMaskNotPen, pmNotCopy, pmMaskPenNot, pmNot, pmXor, pmNotMask,
    pmMask, pmNotXor, pmNop, pmMergeNotPen, pmCopy, pmMergePenNot, pmMerge, pmWhite,
};

class TPen : public TGraphicsObject {
    TK_CLASS(TPen, TGraphicsObject)
public:
    HPEN Handle();
    TK_PROPERTY(TColor, Color, Changed());
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TK_PROPERTY(TPenStyle, Style, Changed());
    // The mode is a DC setting, not part of the handle.
    TK_PROPERTY(TPenMode, Mode, TGraphicsObject::Changed());

    void Assign(TPersistent* source) override;

protected:
    void Changed() override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    TGdiObject<HPEN> FHandle;
};

// ---------------------------------------------------------------------------------------------
// Canvas

class TGraphic;
class TBitmap;

// Draws on an HDC it may not own. Its font, brush and pen are selected into the DC when a
// drawing call needs them; the DC's own objects go back when the handle changes or the
// canvas goes.
class TCanvas : public TPersistent {
    TK_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // The DC with font, brush and pen selected; CreateHandle makes one when there is none.
    // Raises EInvalidOperation when the canvas has no DC.
    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* f) { FFont->Assign(f); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* b) { FBrush->Assign(b); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* p) { FPen->Assign(p); }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& p) { MoveTo(p.x, p.y); }
    DWORD CopyMode() const { return FCopyMode; }  // raster operation of CopyRect and Draw
    void SetCopyMode(DWORD rop) { FCopyMode = rop; }
    UINT TextFlags() const { return FTextFlags; }  // ExtTextOut options (ETO_RTLREADING, ...)
    void SetTextFlags(UINT f) { FTextFlags = f; }
    TRect ClipRect();

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cx, int cy);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    TColor Pixels(int x, int y);
    void SetPixel(int x, int y, TColor c);

    void TextOut(int x, int y, const String& text);
    // Clipped to r; text at (x, y).
    void TextRect(const TRect& r, int x, int y, const String& text);
    SIZE TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }

    void Draw(int x, int y, TGraphic* g);
    void StretchDraw(const TRect& r, TGraphic* g);
    void CopyRect(const TRect& dest, TCanvas* src, const TRect& srcRect);
    // Copies src's rectangle, replacing colour c of the source by the canvas brush.
    void BrushCopy(const TRect& dest, TBitmap* src, const TRect& srcRect, TColor c);

    TNotifyEvent OnChange;    // after every drawing call
    TNotifyEvent OnChanging;  // before every drawing call

protected:
    // Makes a DC on demand (a bitmap's memory DC, a window's DC); the default has none.
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();
    enum : unsigned { csFont = 1, csBrush = 2, csPen = 4, csAll = 7 };
    // Makes sure there is a DC and the named objects are selected into it.
    HDC Required(unsigned parts);

private:
    friend class TGraphicsObject;
    void ObjectChanged(TGraphicsObject* o);
    void Deselect(unsigned parts);

    HDC FHandle = nullptr;
    unsigned FState = 0;
    HGDIOBJ FOldFont = nullptr, FOldBrush = nullptr, FOldPen = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
    TPoint FPenPos;
    DWORD FCopyMode = SRCCOPY;
    UINT FTextFlags = 0;
};

// A 3-D frame of `width` one-pixel lines drawn with the canvas's pen: top and left lines in
// topColor, bottom and right lines in bottomColor; `rect` shrinks to the inside of it.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

// ---------------------------------------------------------------------------------------------
// Graphics

class TGraphic : public TPersistent {
    TK_CLASS(TGraphic, TPersistent)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    virtual void SetSize(int w, int h);  // raises EInvalidGraphic where the class can't resize
    virtual bool Empty() const = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }

    // A damaged file raises EInvalidGraphic naming the file, the reader's reason after it.
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);
    // Reads from the stream's position to its end.
    virtual void LoadFromStream(TStream& s) = 0;
    // Raises EInvalidGraphic where the class can't save.
    virtual void SaveToStream(TStream& s);
    virtual void Draw(TCanvas& c, const TRect& r) = 0;

    // The form-file form of the graphic ("Bitmap.Data", "Icon.Data", the part of "Picture.Data"
    // after the class name).
    virtual void ReadData(TStream& s);
    virtual void WriteData(TStream& s);
    bool ReadDefinedProperty(const String& name, const TFormValue& value) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};

using TGraphicFactory = TGraphic* (*)();

// Picture data in form files names the graphic's class; these are the classes it may name.
void RegisterGraphicClass(const char* className, TGraphicFactory factory);
TGraphic* CreateGraphicByClassName(std::string_view className);  // null when unknown

// Pixels of a TBitmap: top-down rows, 32 bits a pixel, bytes blue, green, red, alpha.
struct TPixelBuffer {
    uint32_t* Pixels = nullptr;
    int Width = 0, Height = 0;
    int Stride = 0;  // in pixels
    uint32_t* Row(int y) const { return Pixels + static_cast<ptrdiff_t>(y) * Stride; }
    uint32_t& At(int x, int y) const { return Row(y)[x]; }
};

// 0x00BBGGRR colour <-> 0xAARRGGBB pixel (system colours are looked up).
inline uint32_t ColorToPixel(TColor c)
{
    COLORREF rgb = ColorToRGB(c);
    return (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}
inline TColor PixelToColor(uint32_t p)
{
    return static_cast<TColor>(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
}

// Storage is always 32-bit; the format is remembered and decides how the bitmap is saved.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

class TBitmap : public TGraphic {
    TK_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    TBitmap(int w, int h);
    ~TBitmap() override;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // Keeps the pixels that remain inside; new pixels are black.
    void SetSize(int w, int h) override;
    bool Empty() const override { return FWidth == 0 || FHeight == 0; }

    // Null while empty. The canvas's memory DC lets go of the bitmap first, so the handle can
    // be selected into another DC; the canvas takes it back when next drawn on.
    HBITMAP Handle();
    // Takes ownership of a bitmap made elsewhere (a DDB or DIB) and copies it into this one.
    void SetHandle(HBITMAP h);
    TCanvas* Canvas();
    bool HasCanvas() const { return static_cast<bool>(FCanvas); }

    // Direct pixel access; GDI drawing is flushed first.
    TPixelBuffer PixelBuffer();
    uint32_t* ScanLine(int y);  // raises EInvalidGraphic when y is outside

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat v) { FPixelFormat = v; }
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    // Turning monochrome maps every pixel to black or white by brightness.
    void SetMonochrome(bool v);

    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode v);
    // tmAuto: the bottom-left pixel; setting a colour selects tmFixed (clDefault gives tmAuto).
    TColor TransparentColor();
    void SetTransparentColor(TColor c);

    // Turns the bitmap into a mask: pixels of colour c white, all others black.
    void Mask(TColor c);
    // A monochrome bitmap in which pixels of colour c are white (1), for MaskBlt and the like.
    TGdiObject<HBITMAP> CreateMask(TColor c);

    void Assign(TPersistent* source) override;
    void Draw(TCanvas& c, const TRect& r) override;

    // BMP file (1 to 32 bits, RLE, bit fields, either row order).
    void LoadFromStream(TStream& s) override;
    // Saves 24-bit when the pixel format is pf24bit or less, else 32-bit.
    void SaveToStream(TStream& s) override;
    // A DIB without the file header, as resources and the clipboard hold it.
    void LoadFromDIB(const uint8_t* data, size_t size);
    void LoadFromBMP(const uint8_t* data, size_t size);
    void LoadFromResourceName(HINSTANCE instance, const String& name);
    void LoadFromResourceID(HINSTANCE instance, int id);

    // Form data: a 4-byte little-endian size, then the BMP file.
    void ReadData(TStream& s) override;
    void WriteData(TStream& s) override;

protected:
    void Changed() override;

private:
    friend class TBitmapCanvas;
    void Replace(TGdiObject<HBITMAP> handle, uint32_t* bits, int w, int h);
    void FreeCanvasContext();
    void CanvasChanged(TObject* sender);
    void Clear();

    TGdiObject<HBITMAP> FHandle;
    uint32_t* FBits = nullptr;
    int FWidth = 0, FHeight = 0;
    TPixelFormat FPixelFormat = pf32bit;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

class TIcon : public TGraphic {
    TK_CLASS(TIcon, TGraphic)
public:
    TIcon();
    ~TIcon() override;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    bool Empty() const override { return !FHandle; }

    HICON Handle() const { return FHandle.Get(); }
    // Takes ownership.
    void SetHandle(HICON h);
    // Gives the handle away; the icon becomes empty.
    HICON ReleaseHandle();

    // An .ico file: the image closest to 32 x 32 (the deepest of equals).
    void LoadFromStream(TStream& s) override;
    void LoadFromIco(const uint8_t* data, size_t size);
    void SaveToStream(TStream& s) override;
    void Assign(TPersistent* source) override;
    void Draw(TCanvas& c, const TRect& r) override;

    // Form data: the .ico file.
    void ReadData(TStream& s) override;
    void WriteData(TStream& s) override;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void Take(HICON h, std::vector<uint8_t> file);
    void ReadSize();

    TIconHandle FHandle;
    std::vector<uint8_t> FFile;  // the .ico bytes it came from, when it came from a file
    int FWidth = 0, FHeight = 0;
};

// A JPEG file decoded to a bitmap it holds; SaveToStream writes the original bytes.
class TJPEGImage : public TGraphic {
    TK_CLASS(TJPEGImage, TGraphic)
public:
    TJPEGImage();
    ~TJPEGImage() override;

    int Width() const override;
    int Height() const override;
    bool Empty() const override;
    TBitmap* Bitmap() const { return FBitmap.get(); }

    void LoadFromStream(TStream& s) override;
    void LoadFromBytes(const uint8_t* data, size_t size);
    void SaveToStream(TStream& s) override;
    void Assign(TPersistent* source) override;
    void Draw(TCanvas& c, const TRect& r) override;

    // Form data: a 4-byte little-endian size, then the JPEG file.
    void ReadData(TStream& s) override;
    void WriteData(TStream& s) override;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    std::vector<uint8_t> FData;
    std::unique_ptr<TBitmap> FBitmap;
};

// Holds one graphic of any registered class; loading a file picks the class by extension.
class TPicture : public TPersistent {
    TK_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return FGraphic.Get(); }
    // Takes a copy of g (of the same class); null clears.
    void SetGraphic(TGraphic* g);
    // Replace the graphic by an empty one of the class asked for when it is another class.
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // "x.bmp", "x.ico", "x.jpg", "x.jpeg"; extensions ignore case. An unknown one raises
    // EInvalidGraphic; a failed load leaves the picture as it was.
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

    void Assign(TPersistent* source) override;
    // "Data": a length byte and the graphic's class name, then the graphic's data.
    bool ReadDefinedProperty(const String& name, const TFormValue& value) override;
    void ReadData(TStream& s);
    void WriteData(TStream& s);

    static void RegisterFileFormat(const String& extension, const String& description, TGraphicFactory factory);
    static TGraphicFactory FindFileFormat(std::string_view extension);  // without the dot; null when unknown

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) override;
    virtual void Changed();

private:
    void Take(TGraphic* g);
    void GraphicChanged(TObject* sender);

    TOwnedObject<TGraphic> FGraphic;
};

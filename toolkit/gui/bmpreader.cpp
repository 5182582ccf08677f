// BMP reading, portable.
#include "bmpreader.h"

#include <climits>

namespace {

constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitFields = 3, BiAlphaBitFields = 6;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

[[noreturn]] void Bad(const String& what) { throw EInvalidGraphic("Invalid bitmap: " + what); }

bool KnownHeaderSize(uint32_t n)
{
    return n == 12 || n == 40 || n == 52 || n == 56 || n == 64 || n == 108 || n == 124;
}

// One channel out of a bit-field pixel, scaled to 0..255.
uint32_t Channel(uint32_t v, uint32_t mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    uint64_t max = mask >> shift;
    uint64_t x = (v & mask) >> shift;
    return static_cast<uint32_t>((x * 255 + max / 2) / max);
}

}  // namespace

TBmpReader::TBmpReader(const uint8_t* data, size_t size, bool fileHeader)
    : FData(data), FSize(size), FFileHeader(fileHeader)
{
    size_t dibStart = 0;
    size_t offBits = 0;
    if (fileHeader) {
        if (size < 14)
            Bad("the file is too short for a file header");
        if (data[0] != 'B' || data[1] != 'M')
            Bad("the file does not start with \"BM\"");
        offBits = U32(data + 10);
        dibStart = 14;
    }
    if (!data || size - dibStart < 4)
        Bad("the info header is missing");
    ParseInfoHeader(data + dibStart, size - dibStart);
    ParseMasks(data + dibStart, size - dibStart);
    ParsePalette(data + dibStart, size - dibStart);
    LocatePixels(dibStart, offBits);
}

void TBmpReader::ParseInfoHeader(const uint8_t* dib, size_t dibSize)
{
    FHeaderSize = U32(dib);
    if (!KnownHeaderSize(FHeaderSize))
        Bad("unknown info header size " + IntToStr(FHeaderSize));
    if (FHeaderSize > dibSize)
        Bad("the info header is truncated");
    int64_t w, h;
    int planes;
    if (FHeaderSize == 12) {
        FCore = true;
        w = U16(dib + 4);
        h = U16(dib + 6);
        planes = U16(dib + 8);
        FBitCount = U16(dib + 10);
    } else {
        w = I32(dib + 4);
        h = I32(dib + 8);
        planes = U16(dib + 12);
        FBitCount = U16(dib + 14);
        FCompression = U32(dib + 16);
    }
    if (planes != 1)
        Bad(IntToStr(planes) + " colour planes");
    if (w <= 0)
        Bad("width " + IntToStr(w));
    if (h == 0 || h == INT_MIN)
        Bad("height " + IntToStr(h));
    FTopDown = h < 0;
    if (h < 0)
        h = -h;
    if (w > MaxGraphicSide || h > MaxGraphicSide || w * h > MaxGraphicPixels)
        Bad("the image is too large (" + IntToStr(w) + " x " + IntToStr(h) + ")");
    FWidth = static_cast<int>(w);
    FHeight = static_cast<int>(h);

    int b = FBitCount;
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
        Bad(IntToStr(b) + " bits a pixel");
    bool ok = FCompression == BiRgb || (FCompression == BiRle8 && b == 8) ||
              (FCompression == BiRle4 && b == 4) ||
              ((FCompression == BiBitFields || FCompression == BiAlphaBitFields) && (b == 16 || b == 32));
    if (!ok)
        Bad("compression " + IntToStr(FCompression) + " with " + IntToStr(b) + " bits a pixel");
    if (FTopDown && (FCompression == BiRle8 || FCompression == BiRle4))
        Bad("a compressed image cannot be top-down");
}

void TBmpReader::ParseMasks(const uint8_t* dib, size_t dibSize)
{
    if (FCompression == BiBitFields || FCompression == BiAlphaBitFields) {
        size_t count = FCompression == BiAlphaBitFields ? 4 : 3;
        const uint8_t* p = dib + 40;
        if (FHeaderSize == 40) {
            FExtraMasks = count * 4;  // the masks follow the header
            if (40 + FExtraMasks > dibSize)
                Bad("the colour masks are truncated");
        } else if (FHeaderSize < 40 + count * 4) {
            Bad("the colour masks are missing");
        }
        for (size_t i = 0; i < count; ++i)
            FMasks[i] = U32(p + 4 * i);
        if (FHeaderSize >= 56)
            FMasks[3] = U32(dib + 52);
        FUseMasks = true;
    } else if (FBitCount == 16) {
        FMasks[0] = 0x7C00;
        FMasks[1] = 0x03E0;
        FMasks[2] = 0x001F;
        FUseMasks = true;
    }
}

void TBmpReader::ParsePalette(const uint8_t* dib, size_t dibSize)
{
    uint64_t used = FCore ? 0 : U32(dib + 32);
    size_t entry = FCore ? 3 : 4;
    if (FBitCount <= 8) {
        uint64_t max = uint64_t(1) << FBitCount;
        if (used > max)
            Bad("the palette has " + IntToStr(static_cast<int64_t>(used)) + " colours, more than " +
                IntToStr(static_cast<int64_t>(max)));
        if (used == 0)
            used = max;
    }
    FPaletteOffset = FHeaderSize + FExtraMasks;
    uint64_t bytes = used * entry;
    if (FPaletteOffset + bytes > dibSize)
        Bad("the palette runs past the end of the data");
    FPaletteBytes = static_cast<size_t>(bytes);
    if (FBitCount <= 8)
        for (size_t i = 0; i < used; ++i) {
            const uint8_t* p = dib + FPaletteOffset + i * entry;
            FPalette[i] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
        }
}

void TBmpReader::LocatePixels(size_t dibStart, size_t fileOffset)
{
    if (FFileHeader) {
        if (fileOffset < dibStart + FHeaderSize || fileOffset >= FSize)
            Bad("the pixel data offset " + IntToStr(static_cast<int64_t>(fileOffset)) + " is outside the file");
        FPixels = fileOffset;
    } else {
        FPixels = dibStart + FPaletteOffset + FPaletteBytes;
    }
    FPixelBytes = FSize - FPixels;
    FStride = ((static_cast<size_t>(FWidth) * FBitCount + 31) / 32) * 4;
    if (FCompression == BiRle8 || FCompression == BiRle4)
        return;
    uint64_t need = static_cast<uint64_t>(FStride) * static_cast<uint64_t>(FHeight);
    if (need > FPixelBytes)
        Bad("the pixel data is truncated (" + IntToStr(static_cast<int64_t>(FPixelBytes)) + " of " +
            IntToStr(static_cast<int64_t>(need)) + " bytes)");
}

void TBmpReader::Decode(uint32_t* pixels, int stride) const
{
    if (FCompression == BiRle8 || FCompression == BiRle4)
        DecodeRle(pixels, stride);
    else
        DecodeRows(pixels, stride);
}

uint32_t TBmpReader::FromMasks(uint32_t v) const
{
    return (Channel(v, FMasks[3]) << 24) | (Channel(v, FMasks[0]) << 16) | (Channel(v, FMasks[1]) << 8) |
           Channel(v, FMasks[2]);
}

void TBmpReader::DecodeRows(uint32_t* pixels, int stride) const
{
    for (int i = 0; i < FHeight; ++i) {
        const uint8_t* s = FData + FPixels + static_cast<size_t>(i) * FStride;
        int y = FTopDown ? i : FHeight - 1 - i;
        uint32_t* d = pixels + static_cast<ptrdiff_t>(y) * stride;
        for (int x = 0; x < FWidth; ++x) {
            switch (FBitCount) {
            case 1: d[x] = FPalette[(s[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: d[x] = FPalette[(s[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; break;
            case 8: d[x] = FPalette[s[x]]; break;
            case 16: d[x] = FromMasks(U16(s + 2 * x)); break;
            case 24: d[x] = (uint32_t(s[3 * x + 2]) << 16) | (uint32_t(s[3 * x + 1]) << 8) | s[3 * x]; break;
            default: d[x] = FUseMasks ? FromMasks(U32(s + 4 * x)) : U32(s + 4 * x); break;
            }
        }
    }
}

void TBmpReader::DecodeRle(uint32_t* pixels, int stride) const
{
    const uint8_t* d = FData + FPixels;
    const size_t n = FPixelBytes;
    const bool four = FCompression == BiRle4;
    size_t pos = 0;
    int x = 0, row = 0;  // row counts from the bottom
    auto put = [&](uint8_t index) {
        if (row >= FHeight)
            Bad("the compressed data runs past the last row");
        if (x < FWidth)
            pixels[static_cast<ptrdiff_t>(FHeight - 1 - row) * stride + x] = FPalette[index];
        if (x <= FWidth)
            ++x;
    };
    for (;;) {
        if (n - pos < 2)
            Bad("the compressed data ends without an end mark");
        uint8_t a = d[pos], b = d[pos + 1];
        pos += 2;
        if (a > 0) {
            for (int k = 0; k < a; ++k)
                put(four ? ((k & 1) ? b & 15 : b >> 4) : b);
            continue;
        }
        if (b == 0) {  // end of line
            x = 0;
            ++row;
        } else if (b == 1) {  // end of bitmap
            return;
        } else if (b == 2) {  // move right and up
            if (n - pos < 2)
                Bad("the compressed data ends inside a move");
            x += d[pos];
            if (x > FWidth)
                x = FWidth;
            row += d[pos + 1];
            if (row > FHeight)
                Bad("a move leaves the image");
            pos += 2;
        } else {  // b literal pixels, padded to a whole word
            size_t bytes = four ? (b + 1u) / 2 : b;
            size_t padded = (bytes + 1) & ~size_t(1);
            if (n - pos < padded)
                Bad("the compressed data runs past the end of the data");
            for (int k = 0; k < b; ++k)
                put(four ? ((k & 1) ? d[pos + k / 2] & 15 : d[pos + k / 2] >> 4) : d[pos + k]);
            pos += padded;
        }
    }
}

#pragma once
// Reading BMP data, portable (no windows.h): the toolkit's bitmaps decode files and resources
// with it, and the native build fuzzes it. It checks every size and offset against the data
// before it touches a byte, and never writes outside the pixel buffer it is given.
#include <cstddef>
#include <cstdint>

#include "sysutils.h"

// The largest picture any reader of the toolkit accepts.
constexpr int MaxGraphicSide = 16384;
constexpr int64_t MaxGraphicPixels = int64_t(1) << 25;

class TBmpReader {
public:
    // Parses and checks the headers; raises EInvalidGraphic. With fileHeader false the data
    // is a DIB as resources hold it (the info header first, the pixels right after the palette).
    TBmpReader(const uint8_t* data, size_t size, bool fileHeader);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int BitCount() const { return FBitCount; }
    // 16-bit pixels with six bits of green (5-6-5) rather than five.
    bool SixBitGreen() const { return FUseMasks && FMasks[1] == 0x07E0; }

    // Writes Width x Height pixels (0xAARRGGBB), top row first, into rows of `stride` pixels.
    // RLE damage found on the way raises EInvalidGraphic (the buffer may then be half written).
    void Decode(uint32_t* pixels, int stride) const;

private:
    void ParseInfoHeader(const uint8_t* dib, size_t dibSize);
    void ParseMasks(const uint8_t* dib, size_t dibSize);
    void ParsePalette(const uint8_t* dib, size_t dibSize);
    void LocatePixels(size_t dibStart, size_t fileOffset);
    void DecodeRows(uint32_t* pixels, int stride) const;
    void DecodeRle(uint32_t* pixels, int stride) const;
    uint32_t FromMasks(uint32_t v) const;

    const uint8_t* FData;
    size_t FSize;
    bool FFileHeader;
    uint32_t FHeaderSize = 0;
    int FWidth = 0, FHeight = 0;
    bool FTopDown = false;
    int FBitCount = 0;
    uint32_t FCompression = 0;
    bool FCore = false;           // the old 12-byte header with 3-byte palette entries
    uint32_t FMasks[4] = {};      // red, green, blue, alpha
    bool FUseMasks = false;
    size_t FExtraMasks = 0;       // bytes of masks that follow a 40-byte header
    uint32_t FPalette[256] = {};
    size_t FPaletteOffset = 0;    // within the DIB
    size_t FPaletteBytes = 0;
    size_t FPixels = 0;           // offset of the pixel data within FData
    size_t FPixelBytes = 0;       // bytes available from there
    size_t FStride = 0;
};

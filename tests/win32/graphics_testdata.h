#pragma once
// Image files made by the tests themselves: BMP, ICO and JPEG bytes, whole or damaged.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "graphics.h"

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
inline void Set32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// The parts of a BMP; fields are written as given so tests can damage them.
struct TBmpParts {
    int32_t Width = 0, Height = 0;  // a negative height is top-down
    uint16_t Planes = 1;
    uint16_t Bits = 24;
    uint32_t Compression = BI_RGB;
    uint32_t ColorsUsed = 0;
    std::vector<uint32_t> Palette;  // 0x00RRGGBB
    std::vector<uint32_t> Masks;    // after the header, for BI_BITFIELDS
    Bytes Pixels;                   // as stored in the file
};

// The info header, masks, palette and pixels, as a resource holds them.
inline Bytes MakeDib(const TBmpParts& s)
{
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(s.Width));
    Put32(b, static_cast<uint32_t>(s.Height));
    Put16(b, s.Planes);
    Put16(b, s.Bits);
    Put32(b, s.Compression);
    Put32(b, static_cast<uint32_t>(s.Pixels.size()));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, s.ColorsUsed ? s.ColorsUsed : static_cast<uint32_t>(s.Palette.size()));
    Put32(b, 0);
    for (uint32_t m : s.Masks)
        Put32(b, m);
    for (uint32_t c : s.Palette)
        Put32(b, c);
    b.insert(b.end(), s.Pixels.begin(), s.Pixels.end());
    return b;
}

// A BMP file: the file header, then the DIB.
inline Bytes MakeBmp(const TBmpParts& s)
{
    Bytes dib = MakeDib(s);
    uint32_t offBits = static_cast<uint32_t>(14 + 40 + 4 * (s.Masks.size() + s.Palette.size()));
    Bytes b = {'B', 'M'};
    Put32(b, static_cast<uint32_t>(14 + dib.size()));
    Put32(b, 0);
    Put32(b, offBits);
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

// Packs top-down rows of values of `bits` bits each into file rows (bottom-up unless topDown),
// each padded to four bytes.
inline Bytes PackRows(const std::vector<std::vector<uint32_t>>& rows, int bits, bool topDown)
{
    Bytes out;
    int h = static_cast<int>(rows.size());
    for (int i = 0; i < h; ++i) {
        const auto& row = rows[topDown ? i : h - 1 - i];
        Bytes line((row.size() * bits + 31) / 32 * 4, 0);
        for (size_t x = 0; x < row.size(); ++x) {
            uint32_t v = row[x];
            if (bits < 8) {
                size_t bit = x * bits;
                line[bit / 8] |= static_cast<uint8_t>(v << (8 - bits - bit % 8));
            } else {
                for (int k = 0; k < bits / 8; ++k)
                    line[x * (bits / 8) + k] = static_cast<uint8_t>(v >> (8 * k));
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

// Pixels of a bitmap without the alpha byte, top-down.
inline std::vector<uint32_t> RgbOf(TBitmap& b)
{
    std::vector<uint32_t> out;
    TPixelBuffer pb = b.PixelBuffer();
    for (int y = 0; y < pb.Height; ++y)
        for (int x = 0; x < pb.Width; ++x)
            out.push_back(pb.At(x, y) & 0xFFFFFF);
    return out;
}

inline void LoadBytes(TGraphic& g, const Bytes& data)
{
    TMemoryStream m;
    m.LoadFromBytes(data.data(), data.size());
    g.LoadFromStream(m);
}

// One image of an .ico file: 32 bits a pixel, every pixel `color` (0x00RRGGBB) except where
// `hole` says the mask hides it.
struct TIcoImage {
    int Size;
    uint32_t Color;
    bool (*Hole)(int x, int y) = nullptr;
};

inline Bytes MakeIcoImage(const TIcoImage& im)
{
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(im.Size));
    Put32(b, static_cast<uint32_t>(2 * im.Size));
    Put16(b, 1);
    Put16(b, 32);
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    for (int y = im.Size - 1; y >= 0; --y)
        for (int x = 0; x < im.Size; ++x)
            Put32(b, im.Hole && im.Hole(x, y) ? 0 : (0xFF000000u | im.Color));
    size_t andStride = (im.Size + 31) / 32 * 4;
    for (int y = im.Size - 1; y >= 0; --y) {
        Bytes line(andStride, 0);
        for (int x = 0; x < im.Size; ++x)
            if (im.Hole && im.Hole(x, y))
                line[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        b.insert(b.end(), line.begin(), line.end());
    }
    return b;
}

inline Bytes MakeIco(const std::vector<TIcoImage>& images)
{
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, static_cast<uint32_t>(images.size()));
    std::vector<Bytes> data;
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (const TIcoImage& im : images) {
        data.push_back(MakeIcoImage(im));
        b.push_back(static_cast<uint8_t>(im.Size));
        b.push_back(static_cast<uint8_t>(im.Size));
        b.push_back(0);
        b.push_back(0);
        Put16(b, 1);
        Put16(b, 32);
        Put32(b, static_cast<uint32_t>(data.back().size()));
        Put32(b, offset);
        offset += static_cast<uint32_t>(data.back().size());
    }
    for (const Bytes& d : data)
        b.insert(b.end(), d.begin(), d.end());
    return b;
}

// A JPEG made with libjpeg's compressor: pixel(x, y) gives 0x00RRGGBB.
template <class F>
Bytes MakeJpeg(int w, int h, F pixel, bool gray = false)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = gray ? 1 : 3;
    c.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(w) * c.input_components);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t p = pixel(x, y);
            if (gray) {
                row[x] = static_cast<JSAMPLE>(p & 0xFF);
            } else {
                row[3 * x] = static_cast<JSAMPLE>(p >> 16);
                row[3 * x + 1] = static_cast<JSAMPLE>(p >> 8);
                row[3 * x + 2] = static_cast<JSAMPLE>(p);
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    Bytes b(out, out + size);
    jpeg_destroy_compress(&c);
    std::free(out);
    return b;
}

// Whether two 0x00RRGGBB colours are within `tol` on every channel.
inline bool Near(uint32_t a, uint32_t b, int tol)
{
    for (int s = 0; s <= 16; s += 8) {
        int d = static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF);
        if (d < -tol || d > tol)
            return false;
    }
    return true;
}

// A folder of its own under the temp folder, removed with its files afterwards.
class TTempDir {
public:
    TTempDir()
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        FPath = String(base) + "gfxtest" + IntToStr(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(FPath.c_str(), nullptr);
    }
    ~TTempDir()
    {
        for (const String& f : FFiles)
            DeleteFileA(f.c_str());
        RemoveDirectoryA(FPath.c_str());
    }
    String Write(const String& name, const Bytes& data)
    {
        String path = FPath + name;
        FILE* f = std::fopen(path.c_str(), "wb");
        if (f) {
            std::fwrite(data.data(), 1, data.size(), f);
            std::fclose(f);
        }
        FFiles.push_back(path);
        return path;
    }
    String Path(const String& name)
    {
        FFiles.push_back(FPath + name);
        return FPath + name;
    }

private:
    String FPath;
    std::vector<String> FFiles;
};

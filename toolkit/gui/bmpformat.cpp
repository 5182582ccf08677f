// BMP writing, and the pixel format of a BMP read.
#include "bmpformat.h"

#include <vector>

namespace {

constexpr uint32_t BiRgb = 0;

void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

}  // namespace

TPixelFormat BmpPixelFormat(const TBmpReader& r)
{
    switch (r.BitCount()) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return r.SixBitGreen() ? pf16bit : pf15bit;
    case 24: return pf24bit;
    default: return pf32bit;
    }
}

void WriteBmp(TStream& s, const TPixelBuffer& pb, bool bits24)
{
    const uint32_t bpp = bits24 ? 24 : 32;
    const size_t stride = ((static_cast<size_t>(pb.Width) * bpp + 31) / 32) * 4;
    const size_t image = stride * static_cast<size_t>(pb.Height);
    std::vector<uint8_t> b;
    b.reserve(54 + image);
    b.push_back('B');
    b.push_back('M');
    Put32(b, static_cast<uint32_t>(54 + image));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(pb.Width));
    Put32(b, static_cast<uint32_t>(pb.Height));  // bottom-up, as every reader expects
    Put16(b, 1);
    Put16(b, static_cast<uint16_t>(bpp));
    Put32(b, BiRgb);
    Put32(b, static_cast<uint32_t>(image));
    Put32(b, 2835);  // 72 dots an inch
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = pb.Height - 1; y >= 0; --y) {
        const uint32_t* row = pb.Row(y);
        size_t start = b.size();
        for (int x = 0; x < pb.Width; ++x) {
            uint32_t p = row[x];
            if (bits24) {
                b.push_back(static_cast<uint8_t>(p));
                b.push_back(static_cast<uint8_t>(p >> 8));
                b.push_back(static_cast<uint8_t>(p >> 16));
            } else {
                Put32(b, p);
            }
        }
        b.resize(start + stride, 0);
    }
    s.WriteBuffer(b.data(), static_cast<int64_t>(b.size()));
}

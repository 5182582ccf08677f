// Reading image files: BMP of every depth and compression, JPEG through libjpeg, .ico files,
// and damaged files of each kind failing cleanly without losing the picture already loaded.
#include <gtest/gtest.h>

#include <functional>

#include "graphics_testdata.h"

namespace {

const uint32_t Palette16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// A 5 x 3 picture of palette indexes, so rows need padding at every depth.
std::vector<std::vector<uint32_t>> IndexRows(int colors)
{
    std::vector<std::vector<uint32_t>> rows(3, std::vector<uint32_t>(5));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            rows[y][x] = static_cast<uint32_t>((x + 2 * y) % colors);
    return rows;
}

TBmpParts IndexedBmp(int bits, bool topDown)
{
    int colors = bits == 1 ? 2 : 16;
    TBmpParts s;
    s.Width = 5;
    s.Height = topDown ? -3 : 3;
    s.Bits = static_cast<uint16_t>(bits);
    s.Palette.assign(Palette16, Palette16 + colors);
    s.Pixels = PackRows(IndexRows(colors), bits, topDown);
    return s;
}

std::vector<uint32_t> ExpectedIndexed(int colors)
{
    std::vector<uint32_t> out;
    for (const auto& row : IndexRows(colors))
        for (uint32_t i : row)
            out.push_back(Palette16[i]);
    return out;
}

// A 2 x 2 bitmap that must survive every failed load.
void MakeKeeper(TBitmap& b)
{
    b.SetSize(2, 2);
    TPixelBuffer pb = b.PixelBuffer();
    pb.At(0, 0) = 0x123456;
    pb.At(1, 1) = 0x654321;
}

void ExpectKeeper(TBitmap& b)
{
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(RgbOf(b), (std::vector<uint32_t>{0x123456, 0, 0, 0x654321}));
}

}  // namespace

TEST(BmpReading, IndexedDepthsBothRowOrders)
{
    for (int bits : {1, 4, 8})
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            TBitmap b;
            LoadBytes(b, MakeBmp(IndexedBmp(bits, topDown)));
            ASSERT_EQ(b.Width(), 5);
            ASSERT_EQ(b.Height(), 3);
            EXPECT_EQ(RgbOf(b), ExpectedIndexed(bits == 1 ? 2 : 16));
        }
    TBitmap b;
    LoadBytes(b, MakeBmp(IndexedBmp(8, false)));
    EXPECT_EQ(b.PixelFormat(), pf8bit);
}

TEST(BmpReading, DirectColourDepthsAndBitFields)
{
    // Values chosen per depth; the expected colour of each follows the format's rules.
    std::vector<std::vector<uint32_t>> rows24 = {{0x0000FF, 0x00FF00, 0xFF0000}, {0x123456, 0xFFFFFF, 0}};
    TBmpParts s;
    s.Width = 3;
    s.Height = 2;
    s.Bits = 24;
    s.Pixels = PackRows(rows24, 24, false);
    TBitmap b;
    LoadBytes(b, MakeBmp(s));
    EXPECT_EQ(RgbOf(b), (std::vector<uint32_t>{0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xFFFFFF, 0}));
    EXPECT_EQ(b.PixelFormat(), pf24bit);

    s.Bits = 32;
    s.Height = -2;
    s.Pixels = PackRows({{0x80FF0000, 0x00000001, 0x7F00FF00}, {1, 2, 3}}, 32, true);
    LoadBytes(b, MakeBmp(s));
    EXPECT_EQ(b.PixelBuffer().At(0, 0), 0x80FF0000u);  // the alpha byte is kept
    EXPECT_EQ(b.PixelBuffer().At(2, 1), 3u);

    // 16 bits: 5-5-5 without masks, 5-6-5 with them.
    s.Bits = 16;
    s.Height = 1;
    s.Pixels = PackRows({{0x7C00, 0x03E0, 0x001F}}, 16, false);
    LoadBytes(b, MakeBmp(s));
    EXPECT_EQ(RgbOf(b), (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));
    EXPECT_EQ(b.PixelFormat(), pf15bit);

    s.Compression = BI_BITFIELDS;
    s.Masks = {0xF800, 0x07E0, 0x001F};
    s.Pixels = PackRows({{0xF800, 0x0400, 0x0010}}, 16, false);
    LoadBytes(b, MakeBmp(s));
    EXPECT_EQ(RgbOf(b), (std::vector<uint32_t>{0xFF0000, 0x008200, 0x000084}));
    EXPECT_EQ(b.PixelFormat(), pf16bit);

    s.Bits = 32;
    s.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the low byte
    s.Pixels = PackRows({{0x0000FF, 0x00FF00, 0xFF0000}}, 32, false);
    LoadBytes(b, MakeBmp(s));
    EXPECT_EQ(RgbOf(b), (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));
}

TEST(BmpReading, RunLengthEncoded)
{
    // RLE8, 4 x 2: bottom row a run, three literal pixels; top row a move right, then a run.
    TBmpParts s;
    s.Width = 4;
    s.Height = 2;
    s.Bits = 8;
    s.Compression = BI_RLE8;
    s.Palette.assign(Palette16, Palette16 + 16);
    s.Pixels = {1, 9, 0, 3, 9, 10, 12, 0, 0, 0, 0, 2, 1, 0, 3, 13, 0, 1};
    TBitmap b;
    LoadBytes(b, MakeBmp(s));
    EXPECT_EQ(RgbOf(b), (std::vector<uint32_t>{0, 0xFF00FF, 0xFF00FF, 0xFF00FF, 0xFF0000, 0xFF0000, 0x00FF00,
                                               0x0000FF}));

    // RLE4, 5 x 1: a run alternating two nibbles, then three literal nibbles.
    s.Width = 5;
    s.Height = 1;
    s.Bits = 4;
    s.Compression = BI_RLE4;
    s.Pixels = {2, 0x9A, 0, 3, 0xCD, 0x90, 0, 1};
    LoadBytes(b, MakeBmp(s));
    EXPECT_EQ(RgbOf(b), (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF, 0xFF0000}));
}

TEST(BmpReading, ResourceDibsAndWriting)
{
    // A DIB without file header, as resources store it.
    TBitmap b;
    Bytes dib = MakeDib(IndexedBmp(4, false));
    b.LoadFromDIB(dib.data(), dib.size());
    EXPECT_EQ(RgbOf(b), ExpectedIndexed(16));

    // The old 12-byte header, with 3-byte palette entries.
    Bytes core;
    Put32(core, 12);
    Put16(core, 5);
    Put16(core, 3);
    Put16(core, 1);
    Put16(core, 4);
    for (uint32_t c : Palette16) {
        core.push_back(static_cast<uint8_t>(c));
        core.push_back(static_cast<uint8_t>(c >> 8));
        core.push_back(static_cast<uint8_t>(c >> 16));
    }
    Bytes rows = PackRows(IndexRows(16), 4, false);
    core.insert(core.end(), rows.begin(), rows.end());
    b.LoadFromDIB(core.data(), core.size());
    EXPECT_EQ(RgbOf(b), ExpectedIndexed(16));

    // A real bitmap resource of the system (the check boxes picture), read from its module.
    const int CheckBoxesId = 32759;
    HMODULE user32 = GetModuleHandleA("user32.dll");
    HBITMAP sys = LoadBitmapA(nullptr, MAKEINTRESOURCEA(CheckBoxesId));
    ASSERT_NE(sys, nullptr);
    BITMAP bm{};
    GetObjectA(sys, sizeof bm, &bm);
    b.LoadFromResourceID(user32, CheckBoxesId);
    EXPECT_EQ(b.Width(), bm.bmWidth);
    EXPECT_EQ(b.Height(), bm.bmHeight);
    // Taking over the handle gives the same pixels as reading the resource.
    TBitmap fromHandle;
    fromHandle.SetHandle(sys);
    EXPECT_EQ(RgbOf(fromHandle), RgbOf(b));
    EXPECT_THROW(b.LoadFromResourceName(user32, "NO_SUCH_BITMAP"), EInvalidGraphic);

    // Saving: 24 bits for a 24-bit (or smaller) format, 32 otherwise; reading back gives the same.
    b.LoadFromDIB(dib.data(), dib.size());
    for (TPixelFormat pf : {pf24bit, pf32bit}) {
        b.SetPixelFormat(pf);
        TMemoryStream m;
        b.SaveToStream(m);
        EXPECT_EQ(m.Memory()[28], pf == pf24bit ? 24 : 32);
        m.SetPosition(0);
        TBitmap back;
        back.LoadFromStream(m);
        EXPECT_EQ(RgbOf(back), ExpectedIndexed(16));
    }
}

TEST(BmpReading, DamagedFilesRaiseAndKeepThePicture)
{
    TBmpParts good = IndexedBmp(8, false);
    struct Case {
        const char* Name;
        std::function<Bytes()> Make;
        const char* Message;
    };
    auto damaged = [&](std::function<void(TBmpParts&)> f) {
        return [=] {
            TBmpParts s = good;
            f(s);
            return MakeBmp(s);
        };
    };
    auto patched = [&](size_t at, uint32_t v) {
        return [=] {
            Bytes b = MakeBmp(good);
            Set32(b, at, v);
            return b;
        };
    };
    auto rle = [&](Bytes pixels) {
        return damaged([=](TBmpParts& s) {
            s.Width = 4;
            s.Height = 2;
            s.Compression = BI_RLE8;
            s.Pixels = pixels;
        });
    };
    const Case cases[] = {
        {"empty", [] { return Bytes(); }, "too short"},
        {"no signature", [&] { Bytes b = MakeBmp(good); b[0] = 'X'; return b; }, "does not start"},
        {"truncated header", [&] { Bytes b = MakeBmp(good); b.resize(30); return b; }, "info header is truncated"},
        {"unknown header size", patched(14, 41), "info header size"},
        {"offset past the end", patched(10, 100000), "pixel data offset"},
        {"offset inside the header", patched(10, 20), "pixel data offset"},
        {"huge width", damaged([](TBmpParts& s) { s.Width = 100000; }), "too large"},
        {"pixel budget", damaged([](TBmpParts& s) { s.Width = 16384; s.Height = 16384; }), "too large"},
        {"negative width", damaged([](TBmpParts& s) { s.Width = -5; }), "width"},
        {"zero height", damaged([](TBmpParts& s) { s.Height = 0; }), "height"},
        {"two planes", damaged([](TBmpParts& s) { s.Planes = 2; }), "colour planes"},
        {"odd bit count", damaged([](TBmpParts& s) { s.Bits = 7; }), "bits a pixel"},
        {"RLE with 24 bits", damaged([](TBmpParts& s) { s.Bits = 24; s.Compression = BI_RLE8; }), "compression"},
        {"palette too large", damaged([](TBmpParts& s) { s.ColorsUsed = 300; }), "palette has 300"},
        {"palette past the data", [&] { Bytes b = MakeBmp(good); Set32(b, 46, 256); b.resize(14 + 40 + 200); return b; },
         "palette runs past"},
        {"pixels truncated", [&] { Bytes b = MakeBmp(good); b.resize(b.size() - 3); return b; }, "truncated"},
        {"bit fields missing", damaged([](TBmpParts& s) { s.Bits = 32; s.Compression = BI_BITFIELDS; s.Palette.clear(); s.Pixels.clear(); }),
         "masks"},
        {"RLE past the last row", rle({4, 1, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1}), "past the last row"},
        {"RLE literal past the data", rle({0, 40, 1, 2, 3}), "past the end of the data"},
        {"RLE without end", rle({4, 1, 0, 0}), "without an end mark"},
        {"RLE move out", rle({0, 2, 0, 9, 0, 1}), "move leaves"},
        {"RLE top-down", damaged([](TBmpParts& s) { s.Height = -3; s.Compression = BI_RLE8; s.Pixels = {0, 1}; }),
         "top-down"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap b;
        MakeKeeper(b);
        try {
            LoadBytes(b, c.Make());
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << e.Message();
        }
        ExpectKeeper(b);
    }
}

TEST(JpegReading, DecodesSizeAndColours)
{
    // Left half red, right half blue; a grey picture decodes to grey.
    Bytes jpg = MakeJpeg(32, 16, [](int x, int) { return x < 16 ? 0xFF0000u : 0x0000FFu; });
    TJPEGImage j;
    LoadBytes(j, jpg);
    ASSERT_EQ(j.Width(), 32);
    ASSERT_EQ(j.Height(), 16);
    TPixelBuffer pb = j.Bitmap()->PixelBuffer();
    EXPECT_TRUE(Near(pb.At(4, 8) & 0xFFFFFF, 0xFF0000, 24)) << std::hex << pb.At(4, 8);
    EXPECT_TRUE(Near(pb.At(28, 8) & 0xFFFFFF, 0x0000FF, 24)) << std::hex << pb.At(28, 8);

    Bytes grey = MakeJpeg(8, 8, [](int, int) { return 0x80u; }, true);
    LoadBytes(j, grey);
    EXPECT_TRUE(Near(j.Bitmap()->PixelBuffer().At(3, 3) & 0xFFFFFF, 0x808080, 4));

    // The original bytes are what it saves; a bitmap takes its pixels.
    TMemoryStream m;
    j.SaveToStream(m);
    EXPECT_EQ(m.Bytes(), grey);
    TBitmap b;
    b.Assign(&j);
    EXPECT_EQ(b.Width(), 8);
    EXPECT_TRUE(Near(b.PixelBuffer().At(0, 0) & 0xFFFFFF, 0x808080, 4));
}

TEST(JpegReading, DamagedDataRaisesAndKeepsTheImage)
{
    Bytes jpg = MakeJpeg(16, 16, [](int x, int y) { return static_cast<uint32_t>((x * 16) << 8 | y * 16); });
    TJPEGImage j;
    LoadBytes(j, jpg);
    std::vector<uint32_t> before = RgbOf(*j.Bitmap());

    Bytes truncated(jpg.begin(), jpg.begin() + jpg.size() / 2);
    Bytes noMarker = jpg;
    noMarker[0] = 0;
    Bytes headerOnly(jpg.begin(), jpg.begin() + 20);
    Bytes badFrame = jpg;
    for (size_t i = 0; i + 1 < badFrame.size(); ++i)
        if (badFrame[i] == 0xFF && badFrame[i + 1] == 0xC0) {
            badFrame[i + 5] = badFrame[i + 6] = 0;  // height 0
            badFrame[i + 7] = badFrame[i + 8] = 0;  // width 0
            break;
        }
    for (const Bytes* bad : {&truncated, &noMarker, &headerOnly, &badFrame}) {
        try {
            LoadBytes(j, *bad);
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message().rfind("JPEG error: ", 0), 0u) << e.Message();
        }
        ASSERT_EQ(j.Width(), 16);
        EXPECT_EQ(RgbOf(*j.Bitmap()), before);
    }
}

namespace {

bool Corner(int x, int y) { return x < 4 && y < 4; }

}  // namespace

TEST(IconReading, PicksNearestTo32AndDraws)
{
    Bytes ico = MakeIco({{16, 0x00FF00}, {32, 0x0000FF, Corner}, {48, 0xFF0000}});
    TIcon icon;
    LoadBytes(icon, ico);
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);

    // Drawn over white: blue except the masked corner.
    TBitmap b(32, 32);
    b.Canvas()->FillRect(Rect(0, 0, 32, 32));
    b.Canvas()->Draw(0, 0, &icon);
    TPixelBuffer pb = b.PixelBuffer();
    EXPECT_EQ(pb.At(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(pb.At(20, 20) & 0xFFFFFF, 0x0000FFu);

    // A copy has its own handle; saving gives the file back.
    TIcon copy;
    copy.Assign(&icon);
    EXPECT_NE(copy.Handle(), icon.Handle());
    EXPECT_EQ(copy.Width(), 32);
    TMemoryStream m;
    copy.SaveToStream(m);
    EXPECT_EQ(m.Bytes(), ico);

    // An icon made from a handle saves as an .ico that loads again.
    TIcon fromHandle;
    fromHandle.SetHandle(icon.ReleaseHandle());
    EXPECT_TRUE(icon.Empty());
    TMemoryStream saved;
    fromHandle.SaveToStream(saved);
    saved.SetPosition(0);
    TIcon again;
    again.LoadFromStream(saved);
    EXPECT_EQ(again.Width(), 32);
    TBitmap b2(32, 32);
    b2.Assign(&again);
    EXPECT_EQ(b2.PixelBuffer().At(20, 20) & 0xFFFFFF, 0x0000FFu);
}

TEST(IconReading, DamagedFilesRaise)
{
    Bytes good = MakeIco({{32, 0x0000FF}});
    auto with = [&](std::function<void(Bytes&)> f) {
        Bytes b = good;
        f(b);
        return b;
    };
    struct Case {
        const char* Name;
        Bytes Data;
        const char* Message;
    };
    const Case cases[] = {
        {"too short", Bytes{0, 0, 1}, "too short"},
        {"not an icon", with([](Bytes& b) { b[2] = 2; }), "not an icon"},
        {"no images", with([](Bytes& b) { b[4] = 0; }), "no images"},
        {"directory truncated", with([](Bytes& b) { b[4] = b[5] = 0xFF; }), "directory is truncated"},
        {"image outside", with([](Bytes& b) { Set32(b, 18, 1000000); }), "outside the file"},
        {"huge image", with([](Bytes& b) { Set32(b, 22 + 4, 5000); }), "image of 5000"},
        {"bad bit count", with([](Bytes& b) { b[22 + 14] = 7; }), "bits a pixel"},
        {"image truncated", with([](Bytes& b) { b.resize(b.size() - 10); Set32(b, 14, static_cast<uint32_t>(b.size() - 22)); }),
         "truncated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TIcon icon;
        LoadBytes(icon, good);
        HICON before = icon.Handle();
        try {
            LoadBytes(icon, c.Data);
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << e.Message();
        }
        EXPECT_EQ(icon.Handle(), before);
    }
}

// TJPEGImage: JPEG files decoded with libjpeg into a bitmap.
//
// libjpeg reports a fatal error by calling error_exit, which must not return. A C++ exception
// can't travel through libjpeg's C frames, so error_exit jumps back (longjmp) to the decoder
// step that called into the library; those steps hold no objects with destructors, and the
// step's caller turns the failure into EInvalidGraphic. The decompressor itself is owned by an
// object whose destructor releases everything libjpeg allocated.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "gdiutil.h"
#include "graphics.h"

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace {

struct TJpegError {
    jpeg_error_mgr Pub;
    jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr c)
{
    auto* e = reinterpret_cast<TJpegError*>(c->err);
    (*c->err->format_message)(c, e->Message);
    std::longjmp(e->Jump, 1);
}

// Warnings (slightly corrupt data the decoder gets over) and traces are not shown.
void JpegEmitMessage(j_common_ptr, int) {}

void SourceInit(j_decompress_ptr) {}
void SourceTerm(j_decompress_ptr) {}

// All the data is in the buffer from the start: asking for more means the file is cut short.
boolean SourceFill(j_decompress_ptr c)
{
    ERREXIT(c, JERR_INPUT_EOF);
    return TRUE;
}

void SourceSkip(j_decompress_ptr c, long count)
{
    if (count <= 0)
        return;
    if (static_cast<unsigned long>(count) > c->src->bytes_in_buffer)
        ERREXIT(c, JERR_INPUT_EOF);
    c->src->next_input_byte += count;
    c->src->bytes_in_buffer -= static_cast<size_t>(count);
}

class TJpegDecoder {
public:
    TJpegDecoder(const uint8_t* data, size_t size)
    {
        std::memset(&FInfo, 0, sizeof FInfo);
        std::memset(&FError, 0, sizeof FError);
        std::memset(&FSource, 0, sizeof FSource);
        FInfo.err = jpeg_std_error(&FError.Pub);
        FError.Pub.error_exit = JpegErrorExit;
        FError.Pub.emit_message = JpegEmitMessage;
        FSource.next_input_byte = data;
        FSource.bytes_in_buffer = size;
        FSource.init_source = SourceInit;
        FSource.fill_input_buffer = SourceFill;
        FSource.skip_input_data = SourceSkip;
        FSource.resync_to_restart = jpeg_resync_to_restart;
        FSource.term_source = SourceTerm;
    }
    ~TJpegDecoder() { jpeg_destroy_decompress(&FInfo); }
    TJpegDecoder(const TJpegDecoder&) = delete;
    TJpegDecoder& operator=(const TJpegDecoder&) = delete;

    bool ReadHeader()
    {
        if (setjmp(FError.Jump))
            return false;
        jpeg_create_decompress(&FInfo);
        FInfo.src = &FSource;
        jpeg_read_header(&FInfo, TRUE);
        return true;
    }

    bool Start()
    {
        if (setjmp(FError.Jump))
            return false;
        bool cmyk = FInfo.jpeg_color_space == JCS_CMYK || FInfo.jpeg_color_space == JCS_YCCK;
        FInfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
        jpeg_start_decompress(&FInfo);
        return true;
    }

    // Writes the rows into a top-down 32-bit buffer of the output size.
    bool ReadRows(uint32_t* pixels, int stride)
    {
        if (setjmp(FError.Jump))
            return false;
        JSAMPARRAY row = (*FInfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&FInfo), JPOOL_IMAGE,
                                                     FInfo.output_width * FInfo.output_components, 1);
        while (FInfo.output_scanline < FInfo.output_height) {
            JDIMENSION y = FInfo.output_scanline;
            if (jpeg_read_scanlines(&FInfo, row, 1) != 1)
                ERREXIT(&FInfo, JERR_INPUT_EOF);
            StoreRow(row[0], pixels + static_cast<ptrdiff_t>(y) * stride);
        }
        jpeg_finish_decompress(&FInfo);
        return true;
    }

    const jpeg_decompress_struct& Info() const { return FInfo; }
    String Message() const { return String("JPEG error: ") + FError.Message; }

private:
    void StoreRow(const JSAMPLE* s, uint32_t* d) const
    {
        const JDIMENSION w = FInfo.output_width;
        if (FInfo.out_color_space == JCS_RGB) {
            for (JDIMENSION x = 0; x < w; ++x, s += 3)
                d[x] = (uint32_t(s[0]) << 16) | (uint32_t(s[1]) << 8) | s[2];
            return;
        }
        // Adobe writes CMYK inverted; others write it plain.
        const bool inverted = FInfo.saw_Adobe_marker;
        for (JDIMENSION x = 0; x < w; ++x, s += 4) {
            uint32_t c = s[0], m = s[1], y = s[2], k = s[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            d[x] = ((c * k / 255) << 16) | ((m * k / 255) << 8) | (y * k / 255);
        }
    }

    jpeg_decompress_struct FInfo;
    TJpegError FError;
    jpeg_source_mgr FSource;
};

std::unique_ptr<TBitmap> DecodeJpeg(const uint8_t* data, size_t size)
{
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8)
        throw EInvalidGraphic("JPEG error: the data does not start with a JPEG marker");
    TJpegDecoder dec(data, size);
    if (!dec.ReadHeader())
        throw EInvalidGraphic(dec.Message());
    int64_t w = dec.Info().image_width, h = dec.Info().image_height;
    if (w <= 0 || h <= 0 || w > MaxGraphicSide || h > MaxGraphicSide || w * h > MaxGraphicPixels)
        throw EInvalidGraphic("JPEG error: the image is too large (" + IntToStr(w) + " x " + IntToStr(h) + ")");
    if (!dec.Start())
        throw EInvalidGraphic(dec.Message());
    auto bmp = std::make_unique<TBitmap>(static_cast<int>(dec.Info().output_width),
                                         static_cast<int>(dec.Info().output_height));
    TPixelBuffer pb = bmp->PixelBuffer();
    if (!dec.ReadRows(pb.Pixels, pb.Stride))
        throw EInvalidGraphic(dec.Message());
    bmp->SetPixelFormat(pf24bit);
    return bmp;
}

}  // namespace

const TClassInfo& TJPEGImage::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TJPEGImage>("TJPEGImage", &TGraphic::StaticClass()).Build();
    return info;
}

TJPEGImage::TJPEGImage() = default;

TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return FBitmap ? FBitmap->Width() : 0; }

int TJPEGImage::Height() const { return FBitmap ? FBitmap->Height() : 0; }

bool TJPEGImage::Empty() const { return !FBitmap || FBitmap->Empty(); }

void TJPEGImage::LoadFromStream(TStream& s)
{
    std::vector<uint8_t> data = ReadStreamRest(s);
    LoadFromBytes(data.data(), data.size());
}

void TJPEGImage::LoadFromBytes(const uint8_t* data, size_t size)
{
    std::unique_ptr<TBitmap> bmp = DecodeJpeg(data, size);
    FData.assign(data, data + size);
    FBitmap = std::move(bmp);
    Changed();
}

void TJPEGImage::SaveToStream(TStream& s)
{
    if (!FData.empty())
        s.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TJPEGImage::ReadData(TStream& s)
{
    std::vector<uint8_t> data = ReadSizedBlock(s, "JPEG");
    if (data.empty()) {
        FData.clear();
        FBitmap.reset();
        Changed();
        return;
    }
    LoadFromBytes(data.data(), data.size());
}

void TJPEGImage::WriteData(TStream& s) { WriteSizedBlock(s, FData); }

void TJPEGImage::Assign(TPersistent* source)
{
    if (!source) {
        FData.clear();
        FBitmap.reset();
        Changed();
        return;
    }
    auto* j = As<TJPEGImage>(source);
    if (!j)
        return TGraphic::Assign(source);
    if (j == this)
        return;
    std::unique_ptr<TBitmap> bmp;
    if (j->FBitmap) {
        bmp = std::make_unique<TBitmap>();
        bmp->Assign(j->FBitmap.get());
    }
    FData = j->FData;
    FBitmap = std::move(bmp);
    Changed();
}

void TJPEGImage::AssignTo(TPersistent* dest)
{
    auto* b = As<TBitmap>(dest);
    if (!b)
        return TGraphic::AssignTo(dest);
    b->Assign(FBitmap.get());  // null gives an empty bitmap
}

void TJPEGImage::Draw(TCanvas& c, const TRect& r)
{
    if (FBitmap)
        FBitmap->Draw(c, r);
}

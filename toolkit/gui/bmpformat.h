#pragma once
// Writing BMP files, and the pixel format of a BMP read (the reader is portable: bmpreader.h).
#include "bmpreader.h"
#include "graphics.h"

TPixelFormat BmpPixelFormat(const TBmpReader& r);

// Writes a BMP file (bottom-up, uncompressed) of 24 or 32 bits a pixel.
void WriteBmp(TStream& s, const TPixelBuffer& pixels, bool bits24);

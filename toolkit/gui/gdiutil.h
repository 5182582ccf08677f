#pragma once
// Small helpers shared by the graphics sources.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "classes.h"

// Shrinking keeps colours rather than and-ing pixels together; the DC's mode goes back after.
class TStretchMode {
public:
    explicit TStretchMode(HDC dc) : FDC(dc), FOld(SetStretchBltMode(dc, COLORONCOLOR)) {}
    ~TStretchMode() { SetStretchBltMode(FDC, FOld); }
    TStretchMode(const TStretchMode&) = delete;
    TStretchMode& operator=(const TStretchMode&) = delete;

private:
    HDC FDC;
    int FOld;
};

// The bytes from the stream's position to its end.
std::vector<uint8_t> ReadStreamRest(TStream& s);
// A block stored as a 4-byte little-endian size and the bytes; `what` names it in errors.
std::vector<uint8_t> ReadSizedBlock(TStream& s, const char* what);
void WriteSizedBlock(TStream& s, const std::vector<uint8_t>& data);

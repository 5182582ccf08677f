#include "objimagelayout.h"

std::vector<int> ObjImageSlots(int kind, int sourceFrames)
{
    const bool fifth = sourceFrames == 5;
    const int f = fifth ? 5 : 0;
    std::vector<int> slots;
    switch (kind) {
    case okCheckGlyphs:
        slots = {1, 2, f, 1, 2, f, 3, 4, f};
        break;
    case okRadioGlyphs:
        slots = {1, 2, 1, 2, 3, 4};
        break;
    case okPropertiesGlyph:
        slots = {1, 2, f, 1, 2, f};
        break;
    default:
        return {};
    }
    for (int& s : slots)
        if (s > sourceFrames)
            s = 0;
    return slots;
}

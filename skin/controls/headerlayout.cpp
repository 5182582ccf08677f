#include "headerlayout.h"

namespace {

// The section format bits read here (the same numbers as the system's).
constexpr unsigned FormatRight = 1;
constexpr unsigned FormatCenter = 2;
constexpr unsigned FormatJustifyMask = 3;
constexpr unsigned FormatImage = 0x800;
constexpr unsigned FormatOwnerDraw = 0x8000;

}  // namespace

TPixRect HeaderHitRect(const TPixRect& section)
{
    return PixRect(section.Left + HeaderHitInset, section.Top, section.Right - HeaderHitInset, section.Bottom);
}

int HeaderSectionAt(const std::vector<TPixRect>& hits, int x, int y)
{
    for (size_t i = 0; i < hits.size(); ++i) {
        const TPixRect& r = hits[i];
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return static_cast<int>(i);
    }
    return -1;
}

TPixRect HeaderFiller(const TPixRect& window, int sectionsRight)
{
    if (sectionsRight >= window.Right)
        return {};
    return PixRect(sectionsRight, window.Top, window.Right, window.Bottom);
}

int HeaderTextAlignment(unsigned format)
{
    switch (format & FormatJustifyMask) {
    case FormatRight: return 2;
    case FormatCenter: return 1;
    default: return 0;
    }
}

int HeaderImageIndex(unsigned format, int image)
{
    return (format & (FormatImage | FormatOwnerDraw)) ? image : -1;
}

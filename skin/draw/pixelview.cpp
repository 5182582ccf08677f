// Rectangles and owned pixel images.
#include "pixelview.h"

#include <algorithm>

TPixRect Intersect(const TPixRect& a, const TPixRect& b)
{
    TPixRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
    return r.Empty() ? TPixRect{} : r;
}

TPixelImage::TPixelImage(int width, int height, uint32_t fill)
    : FData(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)), fill),
      FWidth(std::max(width, 0)), FHeight(std::max(height, 0))
{
    if (FWidth == 0 || FHeight == 0)
        FWidth = FHeight = 0;
}

TPixelImage TPixelImage::CopyOf(const TPixelView& v)
{
    if (v.Empty())
        return {};
    TPixelImage img(v.Width, v.Height);
    for (int y = 0; y < v.Height; ++y)
        std::copy_n(v.Row(y), v.Width, &img.At(0, y));
    return img;
}

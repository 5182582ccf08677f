#include "editlayout.h"

bool EditHasBorder(int clientWidth, int clientHeight, const TPixRect& window)
{
    return clientWidth != window.Width() && clientHeight != window.Height();
}

bool EditPrintBorderFits(int clientWidth, int clientHeight, const TPixRect& window)
{
    return clientWidth + 2 < window.Width() && clientHeight + 2 < window.Height();
}

std::array<TPixRect, 3> EditBorderRings(const TPixRect& window)
{
    const TPixRect& r = window;
    return {r, PixRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1),
            PixRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2)};
}

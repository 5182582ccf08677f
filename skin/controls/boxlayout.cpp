#include "boxlayout.h"

int StatusPanelState(int bevel)
{
    switch (bevel) {
    case 1: return 1;
    case 2: return 2;
    default: return 3;
    }
}

TPixRect StatusPanelRect(const TPixRect& given, bool last, int barRight)
{
    TPixRect q = given;
    q.Right += 2;
    if (last)
        q.Right = barRight;
    return q;
}

TPixRect StatusTextRect(const TPixRect& panel) { return PixRect(panel.Left + 2, panel.Top, panel.Right - 2, panel.Bottom); }

TPixRect StatusDrawPanelRect(const TPixRect& given)
{
    return PixRect(given.Left + 2, given.Top + 2, given.Right - 2, given.Bottom - 2);
}

unsigned StatusPanelAlignment(int alignment, bool rightToLeft)
{
    if (rightToLeft && (alignment == 0 || alignment == 1))
        alignment = 1 - alignment;
    return AlignmentTextFlags(alignment);
}

TPixRect SizeGripRect(const TPixRect& bar, int w, int h)
{
    return PixRect(bar.Right - 1 - w, bar.Bottom - 1 - h, bar.Right - 1, bar.Bottom - 1);
}

int GroupBoxFrameTop(int textHeight) { return textHeight / 2 - 1; }

TPixRect GroupBoxFaceFrame(const TPixRect& box, int frameTop) { return PixRect(0, frameTop, box.Right, box.Bottom); }

TPixRect GroupBoxRoundFrame(const TPixRect& box, int frameTop)
{
    return PixRect(1, frameTop, box.Right - 1, box.Bottom - 1);
}

TPixRect GroupBoxTextRect(const TPixRect& box, bool rightAligned)
{
    if (rightAligned)
        return PixRect(box.Left, box.Top, box.Right - 8, box.Bottom);
    return PixRect(box.Left + 8, box.Top, box.Right, box.Bottom);
}

#pragma once
// What a window shows, read from its own picture, and where text of one colour lies in it: its
// inked columns (the text's bounding box across) and, for a text ending in "__", which way it
// reads.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <vector>

#include "controlskintest.h"

// What a window shows in r (window coordinates), read from its own picture.
inline std::unique_ptr<TBitmap> Shot(HWND w, const TRect& r)
{
    auto b = std::make_unique<TBitmap>(r.Width(), r.Height());
    HDC dc = GetWindowDC(w);
    BitBlt(b->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), dc, r.left, r.top, SRCCOPY);
    ReleaseDC(w, dc);
    return b;
}

// The whole window as it shows.
inline std::unique_ptr<TBitmap> WindowShot(HWND w)
{
    RECT r{};
    GetWindowRect(w, &r);
    return Shot(w, TRect(0, 0, r.right - r.left, r.bottom - r.top));
}

inline int Distance(TColor a, TColor b)
{
    a = Rgb(a);
    b = Rgb(b);
    int d = 0;
    for (int shift : {0, 8, 16})
        d += std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF));
    return d;
}

// The pixels of r that show text of colour `ink`: a third of the way or more from their row's
// commonest colour (the background there) towards the ink.
struct TInk {
    TRect Area;
    std::vector<std::vector<bool>> Rows;
    bool At(int x, int y) const { return Rows[static_cast<size_t>(y - Area.top)][static_cast<size_t>(x - Area.left)]; }
    // The first and last inked column of row y, or of all rows (y < 0); {0, -1} without ink.
    std::pair<int, int> Columns(int y = -1) const
    {
        std::pair<int, int> c{0, -1};
        for (int x = Area.left; x < Area.right; ++x)
            for (int row = y < 0 ? Area.top : y; row < (y < 0 ? Area.bottom : y + 1); ++row)
                if (At(x, row)) {
                    c = c.second < c.first ? std::make_pair(x, x) : std::make_pair(c.first, x);
                    break;
                }
        return c;
    }
    bool Empty() const { return Columns().second < Columns().first; }
    int First() const { return Columns().first; }
    int Last() const { return Columns().second; }
};

inline TInk InkOf(TBitmap& b, TRect r, TColor ink)
{
    r.top = std::max<LONG>(r.top, 0);
    r.bottom = std::min<LONG>(r.bottom, b.Height());
    TInk result{r, {}};
    for (int y = r.top; y < r.bottom; ++y) {
        std::vector<bool> row(static_cast<size_t>(std::max<LONG>(r.Width(), 0)));
        std::map<TColor, int> counts;
        for (int x = r.left; x < r.right; ++x)
            ++counts[At(b, x, y)];
        const TColor back = counts.empty() ? ink : std::max_element(counts.begin(), counts.end(), [](auto& p, auto& q) {
                                                        return p.second < q.second;
                                                    })->first;
        const int span = Distance(back, ink);
        for (int x = r.left; x < r.right && span >= 90; ++x) {
            const TColor p = At(b, x, y);
            row[static_cast<size_t>(x - r.left)] = Distance(p, back) * 3 >= span && Distance(p, ink) < span;
        }
        result.Rows.push_back(std::move(row));
    }
    return result;
}

// The reading order of a one-line text ending in "__" (and no letter reaching below the line):
// its lowest inked row holds the underscores only, at the start of the text right to left, at
// its end left to right.
enum class TReading { Unknown, LeftToRight, RightToLeft };
inline TReading ReadingOf(const TInk& ink)
{
    if (ink.Empty())
        return TReading::Unknown;
    int bottom = ink.Area.bottom - 1;
    while (bottom >= ink.Area.top && ink.Columns(bottom).second < ink.Columns(bottom).first)
        --bottom;
    const auto line = ink.Columns(bottom);
    const int before = line.first - ink.First(), after = ink.Last() - line.second;
    if (before <= 1 && after > 3)
        return TReading::RightToLeft;
    if (after <= 1 && before > 3)
        return TReading::LeftToRight;
    return TReading::Unknown;
}

inline std::ostream& operator<<(std::ostream& os, TReading r)
{
    return os << (r == TReading::RightToLeft ? "right to left" : r == TReading::LeftToRight ? "left to right" : "?");
}


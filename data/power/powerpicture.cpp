// Draws the countdown window's background, "Skins\power.JPG": 381 x 232 pixels, the window's own
// size, so the stretched picture is shown one to one. A light blue gradient, a dial around the
// place of the big seconds, a power sign on either side, a line under the title and a darker
// strip where the buttons sit. Every pixel is computed here (4 x 4 samples a pixel for smooth
// edges) and encoded with libjpeg.
//
// usage: powerpicture OUTPUT_FILE
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int Width = 381;
constexpr int Height = 232;
constexpr double Pi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double Clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

// Coverage of a stroke of half-width w around a distance d from a curve (1 inside, 0 outside).
double Stroke(double d, double w) { return d <= w ? 1.0 : 0.0; }

// Where the big seconds stand in the window (their label's centre) and the dial around them.
constexpr double DialX = 190.0, DialY = 120.0, DialR = 66.0;
// The strip behind the buttons.
constexpr double StripTop = 194.0;

// A power sign: a ring open at the top and a bar through the gap.
double PowerSign(double x, double y, double cx, double cy, double r, double w)
{
    double dx = x - cx, dy = y - cy;
    double dist = std::sqrt(dx * dx + dy * dy);
    double angle = std::atan2(dx, -dy);  // 0 straight up, clockwise positive
    bool ring = std::fabs(angle) > 0.65 && Stroke(std::fabs(dist - r), w) > 0;
    bool bar = std::fabs(dx) <= w && dy >= -r - w && dy <= -r * 0.15;
    return ring || bar ? 1.0 : 0.0;
}

// The dial: a ring and twelve ticks, the tick at the top longer.
double Dial(double x, double y)
{
    double dx = x - DialX, dy = y - DialY;
    double dist = std::sqrt(dx * dx + dy * dy);
    if (Stroke(std::fabs(dist - DialR), 2.0) > 0)
        return 1.0;
    double angle = std::atan2(dx, -dy);
    double step = 2 * Pi / 12;
    double nearest = std::round(angle / step) * step;
    double across = dist * std::sin(angle - nearest);
    double inner = std::fabs(nearest) < 1e-9 ? DialR + 4 : DialR + 5;
    double outer = std::fabs(nearest) < 1e-9 ? DialR + 15 : DialR + 10;
    return std::fabs(across) <= 1.3 && dist >= inner && dist <= outer ? 1.0 : 0.0;
}

Rgb Shade(double x, double y)
{
    const Rgb top{0.93, 0.96, 1.00}, bottom{0.74, 0.83, 0.94};
    Rgb c = Mix(top, bottom, y / Height);
    // A soft sheen across the upper left.
    double sheen = std::exp(-std::pow((x * 0.55 + y - 60.0) / 70.0, 2));
    c = Mix(c, {1, 1, 1}, 0.25 * sheen);
    // A white glow behind the seconds, so the blue digits stand out.
    double gx = (x - DialX) / 80.0, gy = (y - DialY) / 70.0;
    c = Mix(c, {1, 1, 1}, 0.75 * std::exp(-(gx * gx + gy * gy) * 1.6));
    // The line under the title.
    if (y >= 44 && y < 45.5 && x >= 8 && x <= Width - 8)
        c = Mix(c, {0.45, 0.58, 0.85}, 0.55 * (1 - std::pow((x - Width / 2.0) / (Width / 2.0), 4)));
    c = Mix(c, {0.52, 0.66, 0.90}, 0.55 * Dial(x, y));
    const Rgb sign{0.60, 0.72, 0.92};
    c = Mix(c, sign, 0.6 * PowerSign(x, y, 62, DialY, 24, 3.2));
    c = Mix(c, sign, 0.6 * PowerSign(x, y, Width - 62, DialY, 24, 3.2));
    // The button strip: a little darker, with a light edge on top.
    if (y >= StripTop) {
        c = Mix(c, {0.55, 0.66, 0.84}, 0.35);
        if (y < StripTop + 1)
            c = Mix(c, {1, 1, 1}, 0.7);
    }
    return c;
}

std::vector<JSAMPLE> Render()
{
    std::vector<JSAMPLE> rgb(static_cast<size_t>(Width) * Height * 3);
    constexpr int N = 4;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            Rgb sum{0, 0, 0};
            for (int sy = 0; sy < N; ++sy)
                for (int sx = 0; sx < N; ++sx) {
                    Rgb s = Shade(x + (sx + 0.5) / N, y + (sy + 0.5) / N);
                    sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b};
                }
            JSAMPLE* p = &rgb[(static_cast<size_t>(y) * Width + x) * 3];
            p[0] = static_cast<JSAMPLE>(std::lround(Clamp01(sum.r / (N * N)) * 255));
            p[1] = static_cast<JSAMPLE>(std::lround(Clamp01(sum.g / (N * N)) * 255));
            p[2] = static_cast<JSAMPLE>(std::lround(Clamp01(sum.b / (N * N)) * 255));
        }
    return rgb;
}

bool WriteJpeg(const char* path, std::vector<JSAMPLE>& rgb)
{
    FILE* out = std::fopen(path, "wb");
    if (!out) {
        std::perror(path);
        return false;
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);  // a fault prints libjpeg's message and ends the tool
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = Width;
    info.image_height = Height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rgb[static_cast<size_t>(info.next_scanline) * Width * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: powerpicture OUTPUT_FILE\n");
        return 2;
    }
    std::vector<JSAMPLE> rgb = Render();
    return WriteJpeg(argv[1], rgb) ? 0 : 1;
}

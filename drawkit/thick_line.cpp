// Thick line: the centre line, then the segment sampled every tenth of a
// pixel with two perpendicular strokes of length w at each sample. The mix
// of single and double precision below decides the pixels; keep it.
#include "drawkit.h"

#include <cmath>

using line_routine = void (*)(int, int, int, int, Uint32);

template <line_routine line>
static void thick_line(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    line(x0, y0, x1, y1, colour);

    int dx = x1 - x0, dy = y1 - y0;
    float len = static_cast<float>(std::sqrt(static_cast<double>(static_cast<long long>(dx) * dx +
                                                                 static_cast<long long>(dy) * dy)));
    if (len == 0.0f)
        return;

    // Direction scaled to the half-width: A rounded to float, B kept double.
    float a = static_cast<float>(static_cast<double>(w) * dy / len);
    double b = static_cast<double>(w) * dx / len;

    // (P, Q) and (R, S): (B, A) turned through +theta and -theta, theta being
    // pi/2 rounded to float, so the offsets are very nearly (-A, B) and (A, -B).
    const double theta = static_cast<float>(M_PI / 2);
    const double cos_p = std::cos(theta), sin_p = std::sin(theta);
    const double cos_m = std::cos(-theta), sin_m = std::sin(-theta);
    float p = static_cast<float>(cos_p * b - sin_p * a);
    float q = static_cast<float>(sin_p * b + cos_p * a);
    float r = static_cast<float>(cos_m * b - sin_m * a);
    float s = static_cast<float>(cos_m * a + sin_m * b);

    const double step = 0.1 / len;
    for (float t = 0.0f; t <= 1.0f; t = static_cast<float>(t + step)) {
        float xf = static_cast<float>(x0 * (1.0 - t) + static_cast<double>(x1) * t);
        float yf = static_cast<float>(y0 * (1.0 - t) + static_cast<double>(y1) * t);
        int xi = static_cast<int>(xf), yi = static_cast<int>(yf);
        line(xi, yi, static_cast<int>(static_cast<double>(xf) - p),
             static_cast<int>(static_cast<double>(yf) - q), colour);
        line(xi, yi, static_cast<int>(static_cast<double>(xf) - r),
             static_cast<int>(static_cast<double>(yf) - s), colour);
    }
}

void draw_thick_line(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    thick_line<draw_line>(x0, y0, x1, y1, w, colour);
}

void draw_thick_line_thin(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    thick_line<draw_line_thin>(x0, y0, x1, y1, w, colour);
}

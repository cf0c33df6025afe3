// Thick line: the centre line, then the segment sampled every tenth of a
// pixel with two perpendicular strokes of length w at each sample. The mix
// of single and double precision below decides the pixels; keep it.
//
// Every pixel of one call gets the same colour and nothing is read, so the
// picture is the union of the strokes: a stroke identical to one already
// drawn in the same call is skipped (neighbouring samples mostly truncate to
// the same stroke), and draw_thick_line returns at once when the whole band
// lies outside the window; a band wholly inside it draws its strokes with
// no test per pixel.
#include "raster.h"

#include <cmath>

using line_routine = void (*)(int, int, int, int, Uint32);

namespace {

struct Stroke {
    int x0, y0, x1, y1;
    bool operator==(const Stroke&) const = default;
};

// cos and sin of +theta and -theta, theta being pi/2 rounded to float:
// the library's values, taken once.
struct Turn {
    double cos_p, sin_p, cos_m, sin_m;
};

const Turn& quarter_turn()
{
    static const Turn turn = [] {
        const double theta = static_cast<float>(M_PI / 2);
        return Turn{std::cos(theta), std::sin(theta), std::cos(-theta), std::sin(-theta)};
    }();
    return turn;
}

// draw_line for a stroke known to lie inside the window.
void line_inside(int x0, int y0, int x1, int y1, Uint32 colour)
{
    walk_4connected(x0, y0, x1, y1, [colour](int x, int y) { put_pixel(x, y, colour); });
}

template <line_routine line>
void thick_line(int x0, int y0, int x1, int y1, int w, Uint32 colour)
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

    // (P, Q) and (R, S): (B, A) turned through +theta and -theta, so the
    // offsets are very nearly (-A, B) and (A, -B).
    const Turn& turn = quarter_turn();
    float p = static_cast<float>(turn.cos_p * b - turn.sin_p * a);
    float q = static_cast<float>(turn.sin_p * b + turn.cos_p * a);
    float r = static_cast<float>(turn.cos_m * b - turn.sin_m * a);
    float s = static_cast<float>(turn.cos_m * a + turn.sin_m * b);

    Stroke last_first{}, last_second{};
    bool any = false;
    const double step = 0.1 / len;
    for (float t = 0.0f; t <= 1.0f; t = static_cast<float>(t + step)) {
        float xf = static_cast<float>(x0 * (1.0 - t) + static_cast<double>(x1) * t);
        float yf = static_cast<float>(y0 * (1.0 - t) + static_cast<double>(y1) * t);
        int xi = static_cast<int>(xf), yi = static_cast<int>(yf);
        const Stroke first{xi, yi, static_cast<int>(static_cast<double>(xf) - p),
                           static_cast<int>(static_cast<double>(yf) - q)};
        const Stroke second{xi, yi, static_cast<int>(static_cast<double>(xf) - r),
                            static_cast<int>(static_cast<double>(yf) - s)};
        if (!any || first != last_first) {
            line(first.x0, first.y0, first.x1, first.y1, colour);
            last_first = first;
        }
        if (second != first && (!any || second != last_second)) {
            line(second.x0, second.y0, second.x1, second.y1, colour);
            last_second = second;
        }
        any = true;
    }
}

} // namespace

void draw_thick_line(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    // Samples stay within the end points' rectangle and strokes reach at
    // most w (and a fraction) beyond it; w + 2 leaves room for truncation.
    int reach = (w < 0 ? -w : w) + 2;
    int left = (x0 < x1 ? x0 : x1) - reach, right = (x0 < x1 ? x1 : x0) + reach;
    int top = (y0 < y1 ? y0 : y1) - reach, bottom = (y0 < y1 ? y1 : y0) + reach;
    if (right < 0 || left >= SCREEN_WIDTH || bottom < 0 || top >= SCREEN_HEIGHT)
        return;
    if (inside_window(left, top) && inside_window(right, bottom))
        thick_line<line_inside>(x0, y0, x1, y1, w, colour);
    else
        thick_line<draw_line>(x0, y0, x1, y1, w, colour);
}

void draw_thick_line_thin(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    thick_line<draw_line_thin>(x0, y0, x1, y1, w, colour);
}

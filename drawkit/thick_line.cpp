// Thick line: the centre line, then the segment sampled every tenth of a
// pixel with two perpendicular strokes of length w at each sample. The mix
// of single and double precision below decides the pixels; keep it.
//
// Every pixel of one call gets the same colour and nothing is read, so the
// picture is the union of the strokes: a stroke identical to one already
// drawn in the same call is skipped (neighbouring samples mostly truncate to
// the same stroke), and draw_thick_line returns at once when the whole band
// lies outside the window; a band wholly inside it draws its strokes with
// no test per pixel. Any other band draws only the samples whose strokes can
// reach the window, reaching the first of them by jumping along the
// sequence of t rather than stepping through it.
//
// t advances by float(t + 0.1 / len); on a segment of about 1.7 million
// pixels or more that sum rounds back to t before t reaches 1, and from
// there on every sample would repeat the last one, so the sampling ends
// where t stops changing.
#include "raster.h"

#include <algorithm>
#include <cmath>

namespace {

// Strokes inside the window (and those of the unchecked form) are drawn on
// int coordinates; strokes that may reach beyond int, on 64-bit ones.
template <typename Coord>
struct stroke_line {
    Coord x0, y0, x1, y1;
    bool operator==(const stroke_line&) const = default;
};

// cos and sin of +theta and -theta, theta being pi/2 rounded to float:
// the library's values, taken once.
struct turn_trig {
    double cos_p, sin_p, cos_m, sin_m;
};

const turn_trig& quarter_turn()
{
    static const turn_trig turn = [] {
        const double theta = static_cast<float>(M_PI / 2);
        return turn_trig{std::cos(theta), std::sin(theta), std::cos(-theta), std::sin(-theta)};
    }();
    return turn;
}

// The segment, its length and the two stroke offsets (P, Q) and (R, S).
struct sample_band {
    int x0, y0, x1, y1;
    float len, p, q, r, s;
    double step;
};

// Fills in the band; false for a segment of length 0.
[[gnu::always_inline]] inline bool make_band(int x0, int y0, int x1, int y1, int w, sample_band& band)
{
    wide_int dx = static_cast<wide_int>(x1) - x0, dy = static_cast<wide_int>(y1) - y0;
    constexpr wide_int small = wide_int{1} << 30;
    double squares = dx > -small && dx < small && dy > -small && dy < small
                         ? static_cast<double>(dx * dx + dy * dy)
                         : static_cast<double>(static_cast<__int128>(dx) * dx + static_cast<__int128>(dy) * dy);
    float len = static_cast<float>(std::sqrt(squares));
    if (len == 0.0f)
        return false;

    // Direction scaled to the half-width: A rounded to float, B kept double.
    float a = static_cast<float>(static_cast<double>(w) * static_cast<double>(dy) / len);
    double b = static_cast<double>(w) * static_cast<double>(dx) / len;

    // (P, Q) and (R, S): (B, A) turned through +theta and -theta, so the
    // offsets are very nearly (-A, B) and (A, -B).
    const turn_trig& turn = quarter_turn();
    band = sample_band{x0, y0, x1, y1, len,
                static_cast<float>(turn.cos_p * b - turn.sin_p * a),
                static_cast<float>(turn.sin_p * b + turn.cos_p * a),
                static_cast<float>(turn.cos_m * b - turn.sin_m * a),
                static_cast<float>(turn.cos_m * a + turn.sin_m * b), 0.1 / len};
    return true;
}

// The sample after t; the sequence has stopped advancing when it equals t.
inline float next_t(float t, double step) { return static_cast<float>(t + step); }

// The two strokes of the sample at t, drawn with `line` unless identical to
// the previous sample's (any is false before the first sample).
template <typename Coord, void (*line)(Coord, Coord, Coord, Coord, Uint32)>
void draw_sample(const sample_band& band, float t, stroke_line<Coord>& last_first, stroke_line<Coord>& last_second, bool& any,
                 Uint32 colour)
{
    float xf = static_cast<float>(band.x0 * (1.0 - t) + static_cast<double>(band.x1) * t);
    float yf = static_cast<float>(band.y0 * (1.0 - t) + static_cast<double>(band.y1) * t);
    auto xi = static_cast<Coord>(xf), yi = static_cast<Coord>(yf);
    const stroke_line<Coord> first{xi, yi, static_cast<Coord>(static_cast<double>(xf) - band.p),
                              static_cast<Coord>(static_cast<double>(yf) - band.q)};
    const stroke_line<Coord> second{xi, yi, static_cast<Coord>(static_cast<double>(xf) - band.r),
                               static_cast<Coord>(static_cast<double>(yf) - band.s)};
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

// Every sample from t = 0 up to t = 1 (or to where t stops advancing), for
// bands whose every stroke lies inside the window (or, for the unchecked
// form, must).
template <void (*line)(int, int, int, int, Uint32)>
[[gnu::noinline]] void thick_line(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    line(x0, y0, x1, y1, colour);
    sample_band made;
    if (!make_band(x0, y0, x1, y1, w, made))
        return;
    const sample_band band = made;  // a copy no pixel write can alias
    stroke_line<int> last_first{}, last_second{};
    bool any = false;
    for (float t = 0.0f; t <= 1.0f;) {
        draw_sample<int, line>(band, t, last_first, last_second, any, colour);
        float next = next_t(t, band.step);
        if (next == t)
            break;
        t = next;
    }
}

// The first t of the sample sequence that is >= target, or a t that is not
// (the last sample, where the sequence stops advancing).
//
// Within one binade [2^e, 2^(e+1)) of float, t + step is rounded first to
// the double grid, which adds the same amount to every t of the binade, and
// then to the float grid, which adds a whole number of float ulps: the same
// number for every t, except on an exact tie, which rounds to an even
// multiple of the ulp and keeps later sums even. So once one step has been
// taken inside a binade, every later step adds the same d while t + step
// stays below 2^(e+1), and whole stretches of samples are skipped at once.
float seek_t(long double target, double step)
{
    float t = 0.0f;
    while (t < target) {
        float next = next_t(t, step);
        if (next == t)
            return t;
        int e = std::ilogb(t);
        if (t > 0.0f && std::ilogb(next) == e) {
            float d = next_t(next, step) - next;
            double ulp = std::ldexp(1.0, e - 23);
            // Steps are safe from every t <= limit: then t + step < 2^(e+1).
            double limit = std::ldexp(1.0, e + 1) - d - 2 * ulp;
            double jumps = std::min(std::floor((limit - next) / d) + 1, std::floor(static_cast<double>((target - next) / d)) - 1);
            if (d > 0 && jumps >= 1) {
                t = static_cast<float>(next + jumps * d);
                continue;
            }
        }
        t = next;
    }
    return t;
}

// The range of t outside which no sample's strokes can reach the window.
// A stroke runs from within `slack` of the sample's exact point on the
// segment to within `slack` of that point minus the offset; `slack` covers
// the truncations and the roundings of the sample point near the window.
// So the exact point lies in the window widened by the offsets, and its
// distance along the segment lies within the window's extent along it,
// widened by the offsets' components along the segment.
bool reaching_range(const sample_band& band, long double& t_low, long double& t_high)
{
    using real = long double;
    real x0 = band.x0, y0 = band.y0, dx = static_cast<real>(band.x1) - x0, dy = static_cast<real>(band.y1) - y0;
    real len = std::sqrt(dx * dx + dy * dy);
    real px = std::max(std::fabs(band.p), std::fabs(band.r)), py = std::max(std::fabs(band.q), std::fabs(band.s));
    real slack = (std::max(px, py) + 2000) * 0x1p-22L + 4;
    t_low = 0;
    t_high = 1;
    auto slab = [&](real start, real delta, real low, real high) {
        if (delta == 0) {
            if (start < low || start > high)
                t_high = -1;
            return;
        }
        real a = (low - start) / delta, b = (high - start) / delta;
        t_low = std::max(t_low, std::min(a, b));
        t_high = std::min(t_high, std::max(a, b));
    };
    slab(x0, dx, -px - slack, SCREEN_WIDTH - 1 + px + slack);
    slab(y0, dy, -py - slack, SCREEN_HEIGHT - 1 + py + slack);

    real along = std::max(std::fabs(band.p * dx + band.q * dy), std::fabs(band.r * dx + band.s * dy)) / len;
    real low = 1e30L, high = -1e30L;
    for (real cx : {0, SCREEN_WIDTH - 1})
        for (real cy : {0, SCREEN_HEIGHT - 1}) {
            real s = ((cx - x0) * dx + (cy - y0) * dy) / len;
            low = std::min(low, s);
            high = std::max(high, s);
        }
    t_low = std::max(t_low, (low - along - 2 * slack) / len);
    t_high = std::min(t_high, (high + along + 2 * slack) / len);
    return t_low <= t_high;
}

// The band crosses the window's edge: only the samples in the reaching
// range are drawn, each stroke clipped.
[[gnu::noinline]] void thick_line_clipped(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    draw_line(x0, y0, x1, y1, colour);
    sample_band band;
    long double t_low, t_high;
    if (!make_band(x0, y0, x1, y1, w, band) || !reaching_range(band, t_low, t_high))
        return;
    stroke_line<wide_int> last_first{}, last_second{};
    bool any = false;
    for (float t = seek_t(t_low, band.step); t >= t_low && t <= t_high && t <= 1.0f;) {
        draw_sample<wide_int, draw_line_wide>(band, t, last_first, last_second, any, colour);
        float next = next_t(t, band.step);
        if (next == t)
            break;
        t = next;
    }
}

// Inside the window the strokes need no clipping.
void line_inside(int x0, int y0, int x1, int y1, Uint32 colour)
{
    walk_4connected(x0, y0, x1, y1, [colour](int x, int y) { put_pixel(x, y, colour); });
}

} // namespace

void draw_thick_line(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    // Samples stay within the end points' rectangle, up to the rounding of
    // the sample point to float, and strokes reach at most |w| (and a
    // rounding) beyond it; w + 2 is enough for the coordinates and widths
    // of pictures, the other terms cover any int.
    wide_int left = std::min(x0, x1), right = std::max(x0, x1), top = std::min(y0, y1), bottom = std::max(y0, y1);
    wide_int width = w < 0 ? -static_cast<wide_int>(w) : w;
    wide_int size = std::max(std::max(-left, right), std::max(-top, bottom));
    wide_int reach = width + (width >> 20) + (size >> 21) + 2;
    left -= reach;
    right += reach;
    top -= reach;
    bottom += reach;
    if (right < 0 || left >= SCREEN_WIDTH || bottom < 0 || top >= SCREEN_HEIGHT)
        return;
    if (inside_window(left, top) && inside_window(right, bottom))
        thick_line<line_inside>(x0, y0, x1, y1, w, colour);
    else
        thick_line_clipped(x0, y0, x1, y1, w, colour);
}

void draw_thick_line_thin(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    thick_line<draw_line_thin>(x0, y0, x1, y1, w, colour);
}

#include "rectify.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

double distance(real_point a, real_point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The z component of (b - a) x (c - b): positive for a left turn at b.
double turn(real_point a, real_point b, real_point c) { return (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x); }

// The homography that maps the unit square's corners (0, 0), (1, 0),
// (1, 1), (0, 1) onto `to`, as the eight coefficients h of
// x = (h0 u + h1 v + h2) / (h6 u + h7 v + 1), y = (h3 u + h4 v + h5) / (same).
Eigen::Matrix<double, 8, 1> unit_square_onto(const real_point to[4])
{
    constexpr double square[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    Eigen::Matrix<double, 8, 8> a = Eigen::Matrix<double, 8, 8>::Zero();
    Eigen::Matrix<double, 8, 1> b;
    for (int i = 0; i < 4; ++i) {
        const double u = square[i][0], v = square[i][1], x = to[i].x, y = to[i].y;
        a.row(2 * i) << u, v, 1, 0, 0, 0, -u * x, -v * x;
        a.row(2 * i + 1) << 0, 0, 0, u, v, 1, -u * y, -v * y;
        b(2 * i) = x;
        b(2 * i + 1) = y;
    }
    return a.fullPivLu().solve(b);
}

// The colour at continuous point (x, y) of the picture, interpolated
// bilinearly between the four nearest pixel centres (clamped at the edges).
uint32_t bilinear(const rgb_picture& picture, double x, double y)
{
    const double fx = std::clamp(x - 0.5, 0.0, picture.w - 1.0), fy = std::clamp(y - 0.5, 0.0, picture.h - 1.0);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, picture.w - 1), y1 = std::min(y0 + 1, picture.h - 1);
    const double tx = fx - x0, ty = fy - y0;
    const uint32_t p00 = picture.rgb[static_cast<size_t>(y0) * picture.w + x0];
    const uint32_t p10 = picture.rgb[static_cast<size_t>(y0) * picture.w + x1];
    const uint32_t p01 = picture.rgb[static_cast<size_t>(y1) * picture.w + x0];
    const uint32_t p11 = picture.rgb[static_cast<size_t>(y1) * picture.w + x1];
    uint32_t colour = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const double top = ((p00 >> shift) & 0xff) * (1 - tx) + ((p10 >> shift) & 0xff) * tx;
        const double bottom = ((p01 >> shift) & 0xff) * (1 - tx) + ((p11 >> shift) & 0xff) * tx;
        const long channel = std::lround(top * (1 - ty) + bottom * ty);
        colour |= static_cast<uint32_t>(std::clamp(channel, 0L, 255L)) << shift;
    }
    return colour;
}

}  // namespace

bool parse_corners(const std::string& text, real_point corners[4])
{
    double numbers[8];
    const char* at = text.c_str();
    for (int i = 0; i < 8; ++i) {
        if (i > 0 && *at++ != ',')
            return false;
        char* end = nullptr;
        numbers[i] = std::strtod(at, &end);
        if (end == at || !std::isfinite(numbers[i]))
            return false;
        at = end;
    }
    if (*at != '\0')
        return false;
    for (int i = 0; i < 4; ++i)
        corners[i] = {numbers[2 * i], numbers[2 * i + 1]};
    return true;
}

bool convex_quadrilateral(const real_point corners[4])
{
    int left = 0, right = 0;
    for (int i = 0; i < 4; ++i) {
        const double t = turn(corners[i], corners[(i + 1) % 4], corners[(i + 2) % 4]);
        left += t > 0;
        right += t < 0;
    }
    return left == 4 || right == 4;
}

bool rectify(const rgb_picture& picture, const real_point corners[4], rgb_picture& rectified, std::string& reason)
{
    if (!convex_quadrilateral(corners)) {
        reason = "the corners do not go round a convex quadrilateral";
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (corners[i].x < 0 || corners[i].y < 0 || corners[i].x > picture.w || corners[i].y > picture.h) {
            char text[160];
            std::snprintf(text, sizeof text, "corner (%g, %g) lies outside the %dx%d picture", corners[i].x,
                          corners[i].y, picture.w, picture.h);
            reason = text;
            return false;
        }
    }
    // The sides' mean lengths give the proportion, the quadrilateral's own
    // area (the shoelace formula) the size.
    const double width = (distance(corners[0], corners[1]) + distance(corners[3], corners[2])) / 2;
    const double height = (distance(corners[0], corners[3]) + distance(corners[1], corners[2])) / 2;
    double area = 0;
    for (int i = 0; i < 4; ++i)
        area += corners[i].x * corners[(i + 1) % 4].y - corners[(i + 1) % 4].x * corners[i].y;
    const double scale = std::sqrt(std::fabs(area) / 2 / (width * height));
    rectified.w = static_cast<int>(std::clamp(std::lround(width * scale), 1L, long(largest_side)));
    rectified.h = static_cast<int>(std::clamp(std::lround(height * scale), 1L, long(largest_side)));
    rectified.rgb.assign(static_cast<size_t>(rectified.w) * rectified.h, 0);

    // Solved on coordinates of the order of 1, for a well-conditioned system.
    const double unit = std::max(picture.w, picture.h);
    real_point scaled[4];
    for (int i = 0; i < 4; ++i)
        scaled[i] = {corners[i].x / unit, corners[i].y / unit};
    const Eigen::Matrix<double, 8, 1> h = unit_square_onto(scaled);
    for (int j = 0; j < rectified.h; ++j) {
        const double v = (j + 0.5) / rectified.h;
        for (int i = 0; i < rectified.w; ++i) {
            const double u = (i + 0.5) / rectified.w;
            const double d = h(6) * u + h(7) * v + 1;
            const double x = (h(0) * u + h(1) * v + h(2)) / d * unit, y = (h(3) * u + h(4) * v + h(5)) / d * unit;
            rectified.rgb[static_cast<size_t>(j) * rectified.w + i] = bilinear(picture, x, y);
        }
    }
    return true;
}

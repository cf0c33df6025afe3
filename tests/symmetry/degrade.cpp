#include "degrade.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace {

constexpr double pi = 3.14159265358979323846;

using random_engine = std::mt19937;

double uniform(random_engine& random, double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); }
int uniform_int(random_engine& random, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }

int channel(uint32_t c, int k) { return static_cast<int>((c >> (16 - 8 * k)) & 255); }

uint8_t to_byte(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

uint32_t pack(double r, double g, double b) { return (uint32_t(to_byte(r)) << 16) | (uint32_t(to_byte(g)) << 8) | to_byte(b); }

rgb_picture blank(int w, int h)
{
    rgb_picture p;
    p.w = w;
    p.h = h;
    p.rgb.assign(static_cast<size_t>(w) * h, 0);
    return p;
}

// The picture's channels as floats, three per pixel.
std::vector<float> to_floats(const rgb_picture& p)
{
    std::vector<float> f(p.rgb.size() * 3);
    for (size_t i = 0; i < p.rgb.size(); ++i)
        for (int k = 0; k < 3; ++k)
            f[3 * i + k] = static_cast<float>(channel(p.rgb[i], k));
    return f;
}

rgb_picture from_floats(const std::vector<float>& f, int w, int h)
{
    rgb_picture p = blank(w, h);
    for (size_t i = 0; i < p.rgb.size(); ++i)
        p.rgb[i] = pack(f[3 * i], f[3 * i + 1], f[3 * i + 2]);
    return p;
}

// libjpeg reports errors by calling error_exit, which must not return.
struct jpeg_failure {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

void jump_back(j_common_ptr info)
{
    jpeg_failure* failure = reinterpret_cast<jpeg_failure*>(info->err);
    (*info->err->format_message)(info, failure->message);
    std::longjmp(failure->back, 1);
}

// Warnings (a truncated file among them) are kept, not printed: the first
// in `message`, their count in num_warnings.
void keep_warning(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    jpeg_failure* failure = reinterpret_cast<jpeg_failure*>(info->err);
    if (info->err->num_warnings++ == 0)
        (*info->err->format_message)(info, failure->message);
}

// One weighted tap of a 1-D resampling.
struct tap {
    int index;
    float weight;
};

// For each of the n_out target positions, the source taps of `filter` over
// a line of n_in pixels, weights summing to 1, indices clamped to the line.
std::vector<std::vector<tap>> resampling_taps(int n_in, int n_out, resize_filter filter)
{
    const double scale = static_cast<double>(n_out) / n_in;
    std::vector<std::vector<tap>> taps(n_out);
    for (int x = 0; x < n_out; ++x) {
        std::vector<tap>& t = taps[x];
        const double s = (x + 0.5) / scale - 0.5;  // the source position of the target centre
        if (filter == resize_filter::nearest) {
            t.push_back({std::clamp(static_cast<int>(std::floor((x + 0.5) / scale)), 0, n_in - 1), 1.0f});
        } else if (filter == resize_filter::area) {
            const double lo = x / scale, hi = (x + 1) / scale;
            for (int i = static_cast<int>(std::floor(lo)); i < hi; ++i) {
                const double overlap = std::min(hi, i + 1.0) - std::max(lo, static_cast<double>(i));
                if (overlap > 1e-12)
                    t.push_back({std::clamp(i, 0, n_in - 1), static_cast<float>(overlap * scale)});
            }
        } else {
            const int reach = filter == resize_filter::bilinear ? 1 : 2;
            const int first = static_cast<int>(std::floor(s)) - reach + 1;
            for (int i = first; i < first + 2 * reach; ++i) {
                const double d = std::abs(s - i);
                double k;
                if (filter == resize_filter::bilinear)
                    k = std::max(0.0, 1 - d);
                else
                    k = d < 1 ? (1.5 * d - 2.5) * d * d + 1 : d < 2 ? ((-0.5 * d + 2.5) * d - 4) * d + 2 : 0;
                if (k != 0)
                    t.push_back({std::clamp(i, 0, n_in - 1), static_cast<float>(k)});
            }
        }
        float sum = 0;
        for (const tap& k : t)
            sum += k.weight;
        for (tap& k : t)
            k.weight /= sum;
    }
    return taps;
}

// The colour of the five (red, yellow, blue, black, white) farthest from the
// picture's mean colour.
uint32_t contrasting_colour(const rgb_picture& p)
{
    double mean[3] = {0, 0, 0};
    for (const uint32_t c : p.rgb)
        for (int k = 0; k < 3; ++k)
            mean[k] += channel(c, k);
    constexpr uint32_t candidates[] = {0xe01010, 0xf0e000, 0x1030e0, 0x000000, 0xffffff};
    uint32_t best = candidates[0];
    double farthest = -1;
    for (const uint32_t c : candidates) {
        double d = 0;
        for (int k = 0; k < 3; ++k)
            d += std::pow(channel(c, k) - mean[k] / p.rgb.size(), 2);
        if (d > farthest) {
            farthest = d;
            best = c;
        }
    }
    return best;
}

// The polyline drawn over the picture `width` wide, anti-aliased.
void draw_polyline(rgb_picture& p, const std::vector<std::array<double, 2>>& points, double width, uint32_t colour)
{
    double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
    for (const auto& q : points)
        for (int i = 0; i < 2; ++i) {
            lo[i] = std::min(lo[i], q[i]);
            hi[i] = std::max(hi[i], q[i]);
        }
    const int x0 = std::max(0, static_cast<int>(lo[0] - width)), x1 = std::min(p.w - 1, static_cast<int>(hi[0] + width));
    const int y0 = std::max(0, static_cast<int>(lo[1] - width)), y1 = std::min(p.h - 1, static_cast<int>(hi[1] + width));
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i) {
            const double x = i + 0.5, y = j + 0.5;
            double nearest = 1e300;
            for (size_t k = 0; k + 1 < points.size(); ++k) {
                const double ax = points[k][0], ay = points[k][1], ex = points[k + 1][0] - ax, ey = points[k + 1][1] - ay;
                const double length2 = ex * ex + ey * ey;
                const double t = length2 > 0 ? std::clamp(((x - ax) * ex + (y - ay) * ey) / length2, 0.0, 1.0) : 0.0;
                nearest = std::min(nearest, std::hypot(ax + t * ex - x, ay + t * ey - y));
            }
            const double cover = std::clamp(width / 2 + 0.5 - nearest, 0.0, 1.0);
            if (cover <= 0)
                continue;
            uint32_t& c = p.rgb[static_cast<size_t>(j) * p.w + i];
            c = pack(channel(c, 0) + (channel(colour, 0) - channel(c, 0)) * cover, channel(c, 1) + (channel(colour, 1) - channel(c, 1)) * cover,
                     channel(c, 2) + (channel(colour, 2) - channel(c, 2)) * cover);
        }
}

// The homography taking the unit corners (0,0) (1,0) (1,1) (0,1) to q[0..3]:
// h[0..7] with h[8] = 1, by Gaussian elimination on the 8 x 8 system.
void square_to_quad(const double q[4][2], double h[9])
{
    constexpr double corner[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    double m[8][9] = {};
    for (int k = 0; k < 4; ++k) {
        const double x = corner[k][0], y = corner[k][1], X = q[k][0], Y = q[k][1];
        const double r0[9] = {x, y, 1, 0, 0, 0, -x * X, -y * X, X};
        const double r1[9] = {0, 0, 0, x, y, 1, -x * Y, -y * Y, Y};
        std::copy(r0, r0 + 9, m[2 * k]);
        std::copy(r1, r1 + 9, m[2 * k + 1]);
    }
    for (int c = 0; c < 8; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 8; ++r)
            if (std::abs(m[r][c]) > std::abs(m[pivot][c]))
                pivot = r;
        std::swap(m[c], m[pivot]);
        for (int r = 0; r < 8; ++r)
            if (r != c) {
                const double f = m[r][c] / m[c][c];
                for (int k = c; k < 9; ++k)
                    m[r][k] -= f * m[c][k];
            }
    }
    for (int c = 0; c < 8; ++c)
        h[c] = m[c][8] / m[c][c];
    h[8] = 1;
}

}  // namespace

const std::vector<std::string>& degradation_names()
{
    static const std::vector<std::string> names = {"clean", "jpeg",     "resize-nearest", "resize-bilinear", "resize-bicubic",
                                                   "resize-area", "noise", "blur", "lighting", "frame",
                                                   "crop",  "outline",  "scribble",       "shear",           "perspective"};
    return names;
}

std::vector<uint8_t> encode_jpeg(const rgb_picture& picture, int quality)
{
    jpeg_compress_struct info;
    jpeg_failure failure;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jump_back;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> row(static_cast<size_t>(picture.w) * 3);
    if (setjmp(failure.back)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.w);
    info.image_height = static_cast<JDIMENSION>(picture.h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const uint32_t* line = &picture.rgb[static_cast<size_t>(info.next_scanline) * picture.w];
        for (int i = 0; i < picture.w; ++i)
            for (int k = 0; k < 3; ++k)
                row[3 * i + k] = static_cast<uint8_t>(channel(line[i], k));
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    bytes.assign(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

bool decode_jpeg(const std::vector<uint8_t>& data, rgb_picture& picture, std::string& reason)
{
    picture = rgb_picture{};
    if (data.empty()) {
        reason = "empty JPEG data";
        return false;
    }
    jpeg_decompress_struct info;
    jpeg_failure failure;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jump_back;
    failure.manager.emit_message = keep_warning;
    std::vector<uint8_t> row;
    if (setjmp(failure.back)) {
        reason = std::string("damaged JPEG: ") + failure.message;
        jpeg_destroy_decompress(&info);
        picture = rgb_picture{};
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.w = static_cast<int>(info.output_width);
    picture.h = static_cast<int>(info.output_height);
    picture.rgb.resize(static_cast<size_t>(picture.w) * picture.h);
    row.resize(static_cast<size_t>(picture.w) * 3);
    while (info.output_scanline < info.output_height) {
        const size_t y = info.output_scanline;
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int i = 0; i < picture.w; ++i)
            picture.rgb[y * picture.w + i] = (uint32_t(row[3 * i]) << 16) | (uint32_t(row[3 * i + 1]) << 8) | row[3 * i + 2];
    }
    jpeg_finish_decompress(&info);
    const bool damaged = failure.manager.num_warnings > 0;
    jpeg_destroy_decompress(&info);
    if (damaged) {
        reason = std::string("damaged JPEG: ") + failure.message;
        picture = rgb_picture{};
        return false;
    }
    return true;
}

rgb_picture jpeg_round_trip(const rgb_picture& picture, int quality)
{
    rgb_picture out;
    std::string reason;
    if (!decode_jpeg(encode_jpeg(picture, quality), out, reason))
        return picture;
    return out;
}

rgb_picture resized(const rgb_picture& picture, double scale, resize_filter filter)
{
    const int w = std::max(1, static_cast<int>(std::lround(picture.w * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(picture.h * scale)));
    const std::vector<std::vector<tap>> across = resampling_taps(picture.w, w, filter), down = resampling_taps(picture.h, h, filter);
    const std::vector<float> source = to_floats(picture);
    std::vector<float> rows(static_cast<size_t>(w) * picture.h * 3, 0.0f), out(static_cast<size_t>(w) * h * 3, 0.0f);
    for (int j = 0; j < picture.h; ++j)
        for (int i = 0; i < w; ++i)
            for (const tap& t : across[i])
                for (int k = 0; k < 3; ++k)
                    rows[3 * (static_cast<size_t>(j) * w + i) + k] += t.weight * source[3 * (static_cast<size_t>(j) * picture.w + t.index) + k];
    for (int j = 0; j < h; ++j)
        for (const tap& t : down[j])
            for (int i = 0; i < w; ++i)
                for (int k = 0; k < 3; ++k)
                    out[3 * (static_cast<size_t>(j) * w + i) + k] += t.weight * rows[3 * (static_cast<size_t>(t.index) * w + i) + k];
    return from_floats(out, w, h);
}

rgb_picture with_noise(const rgb_picture& picture, double sigma, unsigned seed)
{
    random_engine random(seed);
    std::normal_distribution<double> normal(0, sigma);
    rgb_picture out = picture;
    for (uint32_t& c : out.rgb)
        c = pack(channel(c, 0) + normal(random), channel(c, 1) + normal(random), channel(c, 2) + normal(random));
    return out;
}

rgb_picture blurred(const rgb_picture& picture, double sigma)
{
    const int reach = std::max(1, static_cast<int>(std::ceil(3 * sigma)));
    std::vector<float> kernel(2 * reach + 1);
    float sum = 0;
    for (int i = -reach; i <= reach; ++i)
        sum += kernel[i + reach] = static_cast<float>(std::exp(-0.5 * i * i / (sigma * sigma)));
    for (float& k : kernel)
        k /= sum;
    const int w = picture.w, h = picture.h;
    const std::vector<float> source = to_floats(picture);
    std::vector<float> rows(source.size(), 0.0f), out(source.size(), 0.0f);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            for (int d = -reach; d <= reach; ++d) {
                const size_t from = static_cast<size_t>(j) * w + std::clamp(i + d, 0, w - 1);
                for (int k = 0; k < 3; ++k)
                    rows[3 * (static_cast<size_t>(j) * w + i) + k] += kernel[d + reach] * source[3 * from + k];
            }
    for (int j = 0; j < h; ++j)
        for (int d = -reach; d <= reach; ++d) {
            const size_t from = static_cast<size_t>(std::clamp(j + d, 0, h - 1)) * w;
            for (int i = 0; i < w; ++i)
                for (int k = 0; k < 3; ++k)
                    out[3 * (static_cast<size_t>(j) * w + i) + k] += kernel[d + reach] * rows[3 * (from + i) + k];
        }
    return from_floats(out, w, h);
}

rgb_picture relit(const rgb_picture& picture, double contrast, double ramp, double direction)
{
    rgb_picture out = picture;
    const double c = std::cos(direction), s = std::sin(direction), half = std::max(picture.w, picture.h) / 2.0;
    for (int j = 0; j < picture.h; ++j)
        for (int i = 0; i < picture.w; ++i) {
            const double gain = 1 + ramp * std::clamp(((i - picture.w / 2.0) * c + (j - picture.h / 2.0) * s) / half, -1.0, 1.0);
            uint32_t& p = out.rgb[static_cast<size_t>(j) * picture.w + i];
            double v[3];
            for (int k = 0; k < 3; ++k)
                v[k] = ((channel(p, k) - 127.5) * contrast + 127.5) * gain;
            p = pack(v[0], v[1], v[2]);
        }
    return out;
}

rgb_picture framed(const rgb_picture& picture, int width, uint32_t colour)
{
    width = std::max(0, width);
    rgb_picture out = blank(picture.w + 2 * width, picture.h + 2 * width);
    std::fill(out.rgb.begin(), out.rgb.end(), colour & 0xffffff);
    for (int j = 0; j < picture.h; ++j)
        std::copy_n(&picture.rgb[static_cast<size_t>(j) * picture.w], picture.w, &out.rgb[static_cast<size_t>(j + width) * out.w + width]);
    return out;
}

rgb_picture cropped(const rgb_picture& picture, int x, int y, int w, int h)
{
    x = std::clamp(x, 0, picture.w - 1);
    y = std::clamp(y, 0, picture.h - 1);
    w = std::clamp(w, 1, picture.w - x);
    h = std::clamp(h, 1, picture.h - y);
    rgb_picture out = blank(w, h);
    for (int j = 0; j < h; ++j)
        std::copy_n(&picture.rgb[static_cast<size_t>(j + y) * picture.w + x], w, &out.rgb[static_cast<size_t>(j) * w]);
    return out;
}

rgb_picture with_cell_outlined(const rgb_picture& picture, const double a[2], const double b[2], const double corner[2], double width,
                               uint32_t colour)
{
    rgb_picture out = picture;
    const std::vector<std::array<double, 2>> outline = {{corner[0], corner[1]},
                                                        {corner[0] + a[0], corner[1] + a[1]},
                                                        {corner[0] + a[0] + b[0], corner[1] + a[1] + b[1]},
                                                        {corner[0] + b[0], corner[1] + b[1]},
                                                        {corner[0], corner[1]}};
    draw_polyline(out, outline, width, colour);
    return out;
}

rgb_picture with_scribble(const rgb_picture& picture, unsigned seed)
{
    random_engine random(seed);
    rgb_picture out = picture;
    const double length = uniform(random, 100, 250), height = length * uniform(random, 0.15, 0.3);
    // Near one corner, inside by 5% of the picture.
    const bool right = uniform(random, 0, 1) < 0.6, bottom = uniform(random, 0, 1) < 0.7;
    const double x0 = right ? out.w * 0.95 - length : out.w * 0.05, y0 = bottom ? out.h * 0.95 - height : out.h * 0.05 + height;
    double amplitude[3], frequency[3], phase[3];
    for (int k = 0; k < 3; ++k) {
        amplitude[k] = height * uniform(random, 0.1, 0.4);
        frequency[k] = uniform(random, 4, 14) * (k + 1);
        phase[k] = uniform(random, 0, 2 * pi);
    }
    std::vector<std::array<double, 2>> points;
    for (int s = 0; s <= 400; ++s) {
        const double t = s / 400.0;
        double x = x0 + length * t, y = y0;
        for (int k = 0; k < 3; ++k) {
            x += amplitude[k] * 0.5 * std::cos(frequency[k] * t * 2 + phase[k]);
            y += amplitude[k] * std::sin(frequency[k] * t + phase[k]);
        }
        points.push_back({x, y});
    }
    const uint32_t ink = uniform(random, 0, 1) < 0.5 ? 0x101010 : 0x102060;
    draw_polyline(out, points, uniform(random, 1.5, 3.0), ink);
    return out;
}

rgb_picture warped(const rgb_picture& picture, const double corners[4][2])
{
    double h[9];
    square_to_quad(corners, h);
    const int w = picture.w, ht = picture.h;
    rgb_picture out = blank(w, ht);
    for (int j = 0; j < ht; ++j)
        for (int i = 0; i < w; ++i) {
            const double u = (i + 0.5) / w, v = (j + 0.5) / ht;
            const double d = h[6] * u + h[7] * v + h[8];
            const double x = std::clamp((h[0] * u + h[1] * v + h[2]) / d - 0.5, 0.0, w - 1.0);
            const double y = std::clamp((h[3] * u + h[4] * v + h[5]) / d - 0.5, 0.0, ht - 1.0);
            const int i0 = std::min(static_cast<int>(x), w - 2 < 0 ? 0 : w - 2), j0 = std::min(static_cast<int>(y), ht - 2 < 0 ? 0 : ht - 2);
            const int i1 = std::min(i0 + 1, w - 1), j1 = std::min(j0 + 1, ht - 1);
            const double fx = x - i0, fy = y - j0;
            double c[3];
            for (int k = 0; k < 3; ++k) {
                const double top = (1 - fx) * channel(picture.rgb[static_cast<size_t>(j0) * w + i0], k) + fx * channel(picture.rgb[static_cast<size_t>(j0) * w + i1], k);
                const double low = (1 - fx) * channel(picture.rgb[static_cast<size_t>(j1) * w + i0], k) + fx * channel(picture.rgb[static_cast<size_t>(j1) * w + i1], k);
                c[k] = (1 - fy) * top + fy * low;
            }
            out.rgb[static_cast<size_t>(j) * w + i] = pack(c[0], c[1], c[2]);
        }
    return out;
}

rgb_picture degrade(const realistic_picture& p, const std::string& name, unsigned seed, std::string* detail)
{
    std::seed_seq seeds{seed, 0x5eedu};
    random_engine random(seeds);
    const rgb_picture& in = p.picture;
    char text[160] = "";
    rgb_picture out;
    if (name == "clean") {
        out = in;
    } else if (name == "jpeg") {
        const int quality = uniform_int(random, 60, 95);
        out = jpeg_round_trip(in, quality);
        std::snprintf(text, sizeof text, "quality %d", quality);
    } else if (name.rfind("resize-", 0) == 0) {
        const std::string filters[4] = {"nearest", "bilinear", "bicubic", "area"};
        size_t f = 0;
        while (f < 4 && "resize-" + filters[f] != name)
            ++f;
        if (f == 4)
            throw std::invalid_argument("no degradation " + name);
        const double scale = std::exp(uniform(random, std::log(0.5), std::log(2.0)));
        out = resized(in, scale, static_cast<resize_filter>(f));
        std::snprintf(text, sizeof text, "scale %.2f", scale);
    } else if (name == "noise") {
        const double sigma = uniform(random, 2, 10);
        out = with_noise(in, sigma, static_cast<unsigned>(random()));
        std::snprintf(text, sizeof text, "sigma %.1f/255", sigma);
    } else if (name == "blur") {
        const double sigma = uniform(random, 1, 2);
        out = blurred(in, sigma);
        std::snprintf(text, sizeof text, "sigma %.2f px", sigma);
    } else if (name == "lighting") {
        const double contrast = uniform(random, 0.6, 1.3), ramp = uniform(random, 0.1, 0.3), direction = uniform(random, 0, 2 * pi);
        out = relit(in, contrast, ramp, direction);
        std::snprintf(text, sizeof text, "contrast %.2f, ramp %.2f", contrast, ramp);
    } else if (name == "frame") {
        const int width = uniform_int(random, 8, 40);
        constexpr uint32_t colours[] = {0xffffff, 0x000000, 0xf4f0e6, 0x5a3a22};
        out = framed(in, width, colours[uniform_int(random, 0, 3)]);
        std::snprintf(text, sizeof text, "%d px", width);
    } else if (name == "crop") {
        const int w = static_cast<int>(in.w * uniform(random, 0.7, 0.9)), h = static_cast<int>(in.h * uniform(random, 0.7, 0.9));
        const int x = uniform_int(random, 0, in.w - w), y = uniform_int(random, 0, in.h - h);
        out = cropped(in, x, y, w, h);
        std::snprintf(text, sizeof text, "%dx%d at %d,%d", w, h, x, y);
    } else if (name == "outline") {
        // The cell nearest the middle of the picture (a 60x60 one when there is no lattice).
        double a[2] = {p.lattice[0][0], p.lattice[0][1]}, b[2] = {p.lattice[1][0], p.lattice[1][1]};
        double corner[2] = {in.w / 2.0, in.h / 2.0};
        const double det = a[0] * b[1] - b[0] * a[1];
        if (std::abs(det) < 1) {
            a[0] = 60, a[1] = 0, b[0] = 0, b[1] = 60;
        } else {
            const double x = corner[0] - (a[0] + b[0]) / 2 - p.origin[0], y = corner[1] - (a[1] + b[1]) / 2 - p.origin[1];
            const double u0 = std::round((b[1] * x - b[0] * y) / det), u1 = std::round((-a[1] * x + a[0] * y) / det);
            corner[0] = p.origin[0] + u0 * a[0] + u1 * b[0];
            corner[1] = p.origin[1] + u0 * a[1] + u1 * b[1];
        }
        const double width = uniform(random, 2, 4);
        out = with_cell_outlined(in, a, b, corner, width, contrasting_colour(in));
        std::snprintf(text, sizeof text, "%.1f px", width);
    } else if (name == "scribble") {
        out = with_scribble(in, static_cast<unsigned>(random()));
    } else if (name == "shear" || name == "perspective") {
        const double w = in.w, h = in.h;
        double corners[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
        if (name == "shear") {
            // A parallelogram inside the picture: one pair of sides slanted by d.
            const bool across = uniform(random, 0, 1) < 0.5;
            const double d = uniform(random, 0.01, 0.05) * (across ? w : h) * (uniform(random, 0, 1) < 0.5 ? -1 : 1);
            const double more = std::max(d, 0.0), less = std::min(d, 0.0);
            const int axis = across ? 0 : 1;
            corners[0][axis] += more;
            corners[2][axis] -= more;
            corners[across ? 1 : 3][axis] += less;
            corners[across ? 3 : 1][axis] -= less;
            std::snprintf(text, sizeof text, "%.1f px %s", d, across ? "across" : "down");
        } else {
            // Each corner moved inwards by up to 5% of the size each way.
            for (int k = 0; k < 4; ++k) {
                corners[k][0] += (k == 1 || k == 2 ? -1 : 1) * uniform(random, 0, 0.05) * w;
                corners[k][1] += (k >= 2 ? -1 : 1) * uniform(random, 0, 0.05) * h;
            }
        }
        out = warped(in, corners);
    } else {
        throw std::invalid_argument("no degradation " + name);
    }
    if (detail)
        *detail = text;
    return out;
}

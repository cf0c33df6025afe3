// What happens to a real picture of a wallpaper: each degradation a function
// of an RGB picture and its parameter, and `degrade`, which applies one by
// name with its parameter drawn at random from a seed.
#pragma once

#include "realistic.h"

#include <cstdint>
#include <string>
#include <vector>

// The degradations by name: "clean", "jpeg", "resize-nearest",
// "resize-bilinear", "resize-bicubic", "resize-area", "noise", "blur",
// "lighting", "frame", "crop", "outline", "scribble", "shear", "perspective".
const std::vector<std::string>& degradation_names();

// `p`'s picture degraded by `name`, its parameter drawn from `seed` within
// the ranges below; `detail`, when given, says which (e.g. "quality 72").
// Throws std::invalid_argument for an unknown name.
rgb_picture degrade(const realistic_picture& p, const std::string& name, unsigned seed, std::string* detail = nullptr);

// The picture as a baseline JPEG of `quality` (1 to 100), 4:2:0 chroma; an
// empty result when the encoder fails.
std::vector<uint8_t> encode_jpeg(const rgb_picture& picture, int quality);
// A JPEG in memory decoded to RGB; false with the reason (and `picture`
// empty) when it is damaged or truncated.
bool decode_jpeg(const std::vector<uint8_t>& data, rgb_picture& picture, std::string& reason);
// Compressed at `quality` and decompressed (the picture itself if either fails).
rgb_picture jpeg_round_trip(const rgb_picture& picture, int quality);

enum class resize_filter { nearest, bilinear, bicubic, area };
// The picture scaled by `scale` (each side rounded, at least 1 pixel), pixel
// centres mapped onto pixel centres: bilinear and bicubic (Keys, a = -0.5)
// sample without widening their kernels when shrinking, as most programs do;
// area averages the source over each target pixel.
rgb_picture resized(const rgb_picture& picture, double scale, resize_filter filter);

// Independent Gaussian noise of `sigma` (in 0..255 units) on every channel.
rgb_picture with_noise(const rgb_picture& picture, double sigma, unsigned seed);
// A Gaussian blur of `sigma` pixels, the edges repeated outwards.
rgb_picture blurred(const rgb_picture& picture, double sigma);
// Contrast scaled by `contrast` about mid-grey, then lit by a gain that ramps
// linearly from 1 - ramp to 1 + ramp across the picture along `direction`
// (radians).
rgb_picture relit(const rgb_picture& picture, double contrast, double ramp, double direction);
// The picture inside a uniform frame `width` pixels wide on every side.
rgb_picture framed(const rgb_picture& picture, int width, uint32_t colour);
// The w x h part at (x, y), clipped to the picture (at least 1 x 1).
rgb_picture cropped(const rgb_picture& picture, int x, int y, int w, int h);
// The parallelogram corner, corner + a, corner + a + b, corner + b drawn
// anti-aliased, `width` pixels wide.
rgb_picture with_cell_outlined(const rgb_picture& picture, const double a[2], const double b[2], const double corner[2],
                               double width, uint32_t colour);
// A dark hand-written-looking scribble, 100 to 250 pixels long, near a
// random corner.
rgb_picture with_scribble(const rgb_picture& picture, unsigned seed);
// The picture seen through a projective map: target corner k (top left, top
// right, bottom right, bottom left) shows the source point corners[k]; the
// rest follows the homography, sampled bilinearly.
rgb_picture warped(const rgb_picture& picture, const double corners[4][2]);

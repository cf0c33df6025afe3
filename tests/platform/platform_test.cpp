// What the platform must provide for every picture to come out pixel for
// pixel as on the reference machine (x86-64, glibc). Each failure names the
// property that broke and the pictures it moves, so that a port learns why
// before it shows a wrong picture.
//
// Arguments go through volatile variables where the programs compute them at
// run time: the compiler may evaluate a sine of a constant itself, and these
// tests then ask the C library, as the programs do.
#include <dodecagon.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

std::string hex(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a (%.17g)", v, v);
    return text;
}

// -(1 - 2^-53): the sine of 3 pi / 2 rounded to float, correctly rounded.
constexpr double below_minus_one = -0x1.fffffffffffffp-1;

TEST(Platform, FloatAndDoubleRoundAtTheirOwnPrecision)
{
    EXPECT_TRUE(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559)
        << "float and double are not IEEE 754 binary32 and binary64: every rounding the pictures "
           "rely on differs, and pixels of every program move";
    EXPECT_EQ(FLT_EVAL_METHOD, 0)
        << "float and double arithmetic is carried with excess precision (FLT_EVAL_METHOD "
        << FLT_EVAL_METHOD << ", as on 32-bit x87): the lattice positions, the thick lines' "
           "offsets and the wallpapers' mappings round differently, and pixels of every program move";
}

// The three places where a sum must keep a 64-bit significand before it is
// truncated to a pixel: double precision rounds them up to a whole number.
TEST(Platform, LongDoubleIsWiderThanDouble)
{
    const std::string moves =
        ": a sum that must stay just below a whole pixel rounds up onto it. Pixels move in "
        "truncated_hexagonal_tiling (the dodecagon's vertices), terdragon_rosette (the mapping of "
        "each copy to the window) and truncated_square_tiling and truncated_trihexagonal_tiling "
        "(the polygon motif's edge ends)";
    EXPECT_GE(std::numeric_limits<long double>::digits, 64)
        << "long double has a " << std::numeric_limits<long double>::digits
        << "-bit significand, not 64 (x87) or 113 (binary128)" << moves;

    volatile double sine = below_minus_one;
    volatile float tiny = 4.8985872e-16f;  // copy 3 of the point (4, 0): its rotated y
    const long double radius = 50;
    EXPECT_EQ(static_cast<int>(300 - radius * sine), 349) << "the bottom vertex at row 300" << moves;
    EXPECT_EQ(static_cast<int>(300.0L - static_cast<long double>(tiny)), 299)
        << "the terdragon's copy 3 of (4, 0)" << moves;
}

// The dodecagon's vertex 9 and the octagon's vertex 6 lie at 3 pi / 2: the
// angle k * step is formed in double and its sine takes it rounded to float.
TEST(Platform, SineOfThreeHalfPiRoundedToFloatIsCorrectlyRounded)
{
    volatile float dodecagon_step = dodecagon_angle_step;
    volatile float octagon_step = 0.785398185253143310546875f;  // pi/4 as a float
    const double dodecagon_angle = static_cast<float>(9 * static_cast<double>(dodecagon_step));
    const double octagon_angle = static_cast<float>(6 * static_cast<double>(octagon_step));
    ASSERT_EQ(dodecagon_angle, octagon_angle);
    const double s = std::sin(dodecagon_angle);
    EXPECT_EQ(s, below_minus_one)
        << "the C library's sin(" << hex(dodecagon_angle) << ") is " << hex(s)
        << ", not the correctly rounded -(1 - 2^-53) = " << hex(below_minus_one)
        << ": the bottom vertex of every dodecagon and octagon moves a row "
           "(truncated_hexagonal_tiling, truncated_square_tiling, truncated_trihexagonal_tiling; "
           "tens of pixels in a first stage, over a thousand in later ones)";
}

// The thick line turns its direction through +-theta, theta = pi/2 rounded
// to float; its offsets depend on the last bits of these four values. A
// compiler may evaluate them itself (GCC does), else the C library does:
// both must give the correctly rounded values.
TEST(Platform, QuarterTurnOfTheThickLineIsCorrectlyRounded)
{
    const std::string moves =
        ": the perpendicular strokes of the thick line end elsewhere, moving pixels in every "
        "program that draws thick lines (all but the four quadrilateral tilings)";
    const double want_cos = -0x1.777a5cf72ceccp-25, want_sin = 0x1.ffffffffffff7p-1;
    const double want[] = {want_cos, want_sin, want_cos, -want_sin};
    const auto check = [&](const char* who, const double (&got)[4]) {
        const char* names[] = {"cos(theta)", "sin(theta)", "cos(-theta)", "sin(-theta)"};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(got[i], want[i]) << who << " " << names[i] << " with theta = pi/2 as a float is "
                                       << hex(got[i]) << ", not " << hex(want[i]) << moves;
    };
    // As the thick line writes it: a constant the compiler may fold.
    const double constant = static_cast<float>(M_PI / 2);
    check("the compiler's (or the C library's)",
          {std::cos(constant), std::sin(constant), std::cos(-constant), std::sin(-constant)});
    volatile double theta = constant;
    check("the C library's", {std::cos(theta), std::sin(theta), std::cos(-theta), std::sin(-theta)});
}

}  // namespace

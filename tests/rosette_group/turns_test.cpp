// The literal cosines and sines of the rosettes' turns (no recording
// needed, so it runs on every platform).
#include <construction.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Every k/n of a turn for n up to 24: within an ulp of the library's long
// double value, and exactly cos_sin_degrees' where that is exact (the turns
// of the wallpaper groups keep their pixels).
TEST(RosetteTurns, LiteralsAreTheCosinesAndSinesOfEveryFraction)
{
    for (int n = 1; n <= 24; ++n)
        for (int k = -n; k <= 2 * n; ++k) {
            SCOPED_TRACE(std::to_string(k) + "/" + std::to_string(n));
            double c, s;
            cos_sin_turn(k, n, c, s);
            const long double angle = 2 * std::acos(-1.0L) * (((k % n) + n) % n) / n;
            EXPECT_NEAR(c, static_cast<double>(std::cos(angle)), 2e-16);
            EXPECT_NEAR(s, static_cast<double>(std::sin(angle)), 2e-16);
            if (360 * k % n == 0 && (360 * k / n % 30 == 0 || 360 * k / n % 45 == 0)) {
                double dc, ds;
                cos_sin_degrees(360 * k / n, dc, ds);
                EXPECT_EQ(c, dc);
                EXPECT_EQ(s, ds);
            }
        }
}

}  // namespace

#include "surface.h"

#include <gtest/gtest.h>

TEST(PixelAccess, EveryPixelReadsBackWhatWasWritten)
{
    test_surface s;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            put_pixel(x, y, static_cast<Uint32>(x * 1000 + y));
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            ASSERT_EQ(get_pixel(x, y), static_cast<Uint32>(x * 1000 + y)) << x << "," << y;
}

TEST(PixelAccess, RowsFollowTheSurfacePitch)
{
    test_surface s;
    put_pixel(0, 1, s.red);
    auto* base = static_cast<Uint32*>(screen->pixels);
    EXPECT_EQ(base[screen->pitch / 4], s.red);

    // A surface with a gap after every row is addressed through its pitch.
    SDL_Surface* window = screen;
    std::vector<Uint32> memory(4 * 1000 * 600, 0);
    screen = SDL_CreateRGBSurfaceFrom(memory.data(), 800, 600, 32, 4000, 0xFF0000, 0xFF00, 0xFF, 0);
    put_pixel(3, 2, 7);
    EXPECT_EQ(memory[2 * 1000 + 3], 7u);
    EXPECT_EQ(get_pixel(3, 2), 7u);
    SDL_FreeSurface(screen);
    screen = window;
}

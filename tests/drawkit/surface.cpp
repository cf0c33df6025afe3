#include "surface.h"

#include <cstdlib>

// drawkit_test never opens a real window, even when run by hand: SDL's
// dummy video driver is chosen before main, so before any test starts SDL.
static const bool dummy_video =
    setenv("SDL_VIDEODRIVER", "dummy", 1) == 0 && setenv("SDL_AUDIODRIVER", "dummy", 1) == 0;

test_surface::test_surface()
{
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    clear();
}

void test_surface::clear() { SDL_FillRect(screen, nullptr, white); }

pixel_set test_surface::pixels_of(Uint32 colour) const
{
    pixel_set set;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            if (get_pixel(x, y) == colour)
                set.insert({x, y});
    return set;
}

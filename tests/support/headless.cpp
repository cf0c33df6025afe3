#include "headless.h"

headless_screen::headless_screen()
{
    screen = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 32, 0xFF0000, 0xFF00,
                                  0xFF, 0);
}

headless_screen::~headless_screen()
{
    SDL_FreeSurface(screen);
    screen = nullptr;
}

std::vector<Uint32> screen_pixels()
{
    std::vector<Uint32> pixels;
    pixels.reserve(static_cast<size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT);
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            pixels.push_back(get_pixel(x, y));
    return pixels;
}

// The program skeleton: the start of every program and the end of every
// stage, over either frame (frame.cpp, or frame_web.cpp in a web page, where
// SDL_Flip is drawkit's web_flip).
#include "drawkit.h"

void start_program(const char* name)
{
    start_sdl(name);
    open_window(name);
}

int end_stage()
{
    SDL_Flip(screen);
    return wait_for_key();
}

// The capture tool's animation recorder: every presented frame appended to
// one animated GIF, written when the program ends. Each frame stores only
// the rectangle that changed since the frame before, with a colour table of
// its own (exact while it has at most 256 colours).
#pragma once

#include <SDL.h>

// Starts a recording into `path`; frames shown in the middle of a stage
// stay `frame_ms` milliseconds on the screen (at least 20), a frame shown at
// a wait 1.5 s and the last one 3 s.
void gif_start(const char* path, int frame_ms);

// Appends the surface as the next frame (no-op without a recording).
void gif_add_frame(SDL_Surface* surface);

// The frame appended last is shown at a wait: it is held longer.
void gif_hold_last_frame();

// Writes the GIF; ends the process with status 125 when it cannot.
void gif_finish();

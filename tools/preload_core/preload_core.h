// What every preloaded tool needs, in one place: the real SDL function behind
// an interposed one, and when a program's wait for a key begins and ends.
#pragma once

#include <SDL.h>

// The next definition of `name` after the preloaded library (dlsym with
// RTLD_NEXT); ends the process with status 125 and "<tool>: cannot find the
// real <name>" when there is none.
void* real_symbol(const char* tool, const char* name);

// A program's waits: a wait begins with the first SDL_WaitEvent call after
// the previous wait ended, and ends when that call returns a key press, a
// close request or an error (which the program takes as a close request).
struct wait_tracker {
    bool waiting = false;
    unsigned long waits = 0;  // waits begun so far; the current one's number
};

// Call on entry to an SDL_WaitEvent interposer: true when this call begins a
// wait (tracker.waits is then its 1-based number).
bool wait_begins(wait_tracker& tracker);

// Call with what the real SDL_WaitEvent returned; tracker.waiting is false
// afterwards when that call ended the wait.
void wait_returned(wait_tracker& tracker, int result, const SDL_Event* event);

// The 1-based stage the program is drawing, or showing while it waits:
// the current wait's number inside a wait, the next one's between waits.
unsigned long current_stage(const wait_tracker& tracker);

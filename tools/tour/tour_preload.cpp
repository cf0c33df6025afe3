// Tour announcer: preloaded into a program that runs in its real window, it
// prints one line on stdout as each wait begins, saying which program and
// stage is showing and what it shows. It answers nothing: the person at the
// keyboard (or a test) does.
//
//   TOUR_PROGRAM   the program's name, as the line starts
//   TOUR_CAPTIONS  its caption file: line 1 the picture, then one per stage
#include <SDL.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using WaitFn = int (*)(SDL_Event*);

std::string program = "program";
std::vector<std::string> stage_captions;
int stage = 0;
bool waiting = false;

__attribute__((constructor)) void read_settings()
{
    if (const char* name = std::getenv("TOUR_PROGRAM"); name && *name)
        program = name;
    if (const char* path = std::getenv("TOUR_CAPTIONS"); path && *path) {
        std::ifstream in(path);
        std::string line;
        bool first = true;
        while (std::getline(in, line)) {
            if (!first)
                stage_captions.push_back(line);
            first = false;
        }
    }
}

void announce()
{
    std::string line = program + ", stage " + std::to_string(stage);
    if (!stage_captions.empty())
        line += " of " + std::to_string(stage_captions.size());
    if (stage <= static_cast<int>(stage_captions.size()))
        line += ": " + stage_captions[stage - 1];
    line += '\n';
    // Straight to the descriptor: the program's own stdio buffers are not ours.
    for (size_t done = 0; done < line.size();) {
        ssize_t n = write(STDOUT_FILENO, line.data() + done, line.size() - done);
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

} // namespace

// A wait begins with the first SDL_WaitEvent after the previous one ended,
// and ends with a key press, a close request or an error (taken as a close).
extern "C" __attribute__((visibility("default"))) int SDL_WaitEvent(SDL_Event* event)
{
    static WaitFn real = reinterpret_cast<WaitFn>(dlsym(RTLD_NEXT, "SDL_WaitEvent"));
    if (!real)
        std::abort();
    if (!waiting) {
        waiting = true;
        ++stage;
        announce();
    }
    int result = real(event);
    if (result == 0 || !event || event->type == SDL_KEYDOWN || event->type == SDL_QUIT)
        waiting = false;
    return result;
}

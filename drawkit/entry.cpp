// Process entry: SDL 1.2 on this platform leaves main() to the program, so
// drawkit calls the program's SDL_main, shuts SDL down and returns its status.
#include "drawkit.h"

int main(int argc, char** argv)
{
    int status = SDL_main(argc, argv);
    SDL_Quit();
    return status;
}

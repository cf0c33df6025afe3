// The program skeleton: start_program opens the named window, end_stage
// answers as the wait does.
#include <drawkit.h>

#include <gtest/gtest.h>

TEST(ProgramSkeleton, StartProgramOpensTheWindowTitledWithTheName)
{
    start_program("skeleton_test");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, SCREEN_WIDTH);
    EXPECT_EQ(screen->h, SCREEN_HEIGHT);
    char* title = nullptr;
    SDL_WM_GetCaption(&title, nullptr);
    EXPECT_STREQ(title, "skeleton_test");

    // end_stage flips, then returns the wait's answer: 0 for a key, 1 for a
    // close request.
    SDL_Event event{};
    event.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
    EXPECT_EQ(end_stage(), 1);
    event.type = SDL_KEYDOWN;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
    EXPECT_EQ(end_stage(), 0);

    SDL_Quit();
    screen = nullptr;
}

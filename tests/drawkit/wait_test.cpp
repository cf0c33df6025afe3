#include <drawkit.h>

#include <gtest/gtest.h>

namespace {

class WaitForKey : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 32, SDL_SWSURFACE), nullptr);
    }
    void TearDown() override { SDL_Quit(); }

    static void push(Uint8 type)
    {
        SDL_Event event{};
        event.type = type;
        if (type == SDL_ACTIVEEVENT) {
            event.active.gain = 1;
            event.active.state = SDL_APPINPUTFOCUS;
        }
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
};

} // namespace

TEST_F(WaitForKey, IgnoresOtherEventsUntilAKeyPress)
{
    push(SDL_KEYUP);
    push(SDL_MOUSEMOTION);
    push(SDL_ACTIVEEVENT);
    push(SDL_VIDEOEXPOSE);
    push(SDL_KEYDOWN);
    push(SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(wait_for_key(), 0);
    SDL_Event rest;
    ASSERT_EQ(SDL_PollEvent(&rest), 1);
    EXPECT_EQ(rest.type, SDL_MOUSEBUTTONDOWN); // later events stay pending
    EXPECT_EQ(SDL_PollEvent(&rest), 0);
}

TEST_F(WaitForKey, CloseRequestReturnsOne)
{
    push(SDL_MOUSEMOTION);
    push(SDL_QUIT);
    EXPECT_EQ(wait_for_key(), 1);
}

// Headless checks of the quadrilateral ring tiling: palette, tile frame,
// generation 1, and the breadth-first growth to 613 tiles.
#include <ring_tiles.h>
#include <pixels.h>
#include <headless.h>
#include <memory_cap.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

// A plain surface in place of the window, mapped as the program maps it.
class Rings : public testing::Test {
protected:
    headless_screen headless;

    void SetUp() override
    {
        map_palette();
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        SDL_FillRect(screen, nullptr, white);
    }
    void TearDown() override
    {
        release_queue();
    }
};

int queue_length()
{
    int n = 0;
    for (const tile_record* t = queue_sentinel->next; t != queue_sentinel; t = t->next)
        ++n;
    return n;
}

TEST_F(Rings, PaletteCyclesRedGreenBlueYellowAndDarkens)
{
    EXPECT_EQ(rgb_of(palette[0]), rgb(255, 0, 0));
    EXPECT_EQ(rgb_of(palette[1]), rgb(0, 248, 0));
    EXPECT_EQ(rgb_of(palette[2]), rgb(0, 0, 241));
    EXPECT_EQ(rgb_of(palette[3]), rgb(234, 234, 0));
    EXPECT_EQ(rgb_of(palette[4]), rgb(227, 0, 0));
    EXPECT_EQ(rgb_of(palette[17]), rgb(0, 136, 0));
    // 7 * 37 = 259 wraps to 3.
    EXPECT_EQ(rgb_of(palette[36]), rgb(3, 0, 0));
    EXPECT_EQ(rgb_of(palette[37]), rgb(0, 252, 0));
    EXPECT_EQ(rgb_of(palette[49]), rgb(0, 168, 0));  // 7 * 49 = 343 wraps to 87
}

TEST_F(Rings, TileFrameTruncatesTowardZero)
{
    EXPECT_EQ(tile_pixel(0.0f, 0.8f).x, 400);
    EXPECT_EQ(tile_pixel(0.0f, 0.8f).y, 289);    // 0.8f lies a little above 0.8
    EXPECT_EQ(tile_pixel(-0.73f, 12.5f).x, 381);  // 381.75 truncates up toward zero
    EXPECT_EQ(tile_pixel(-0.73f, 12.5f).y, -2);   // -2.5 truncates to -2
}

TEST_F(Rings, SeedAloneIsARedQuadrilateralOutlinedInBlack)
{
    start_queue();
    EXPECT_EQ(tile_count, 1.0f);
    EXPECT_FALSE(done);
    EXPECT_EQ(queue_length(), 1);
    EXPECT_EQ(queue_head, queue_tail());
    EXPECT_EQ(queue_head->generation, 0);
    for (auto [x, y] : {std::pair{400, 310}, {425, 310}, {421, 289}, {406, 297}})
        EXPECT_EQ(rgb_at(x, y), rgb(0, 0, 0)) << x << "," << y;
    EXPECT_EQ(rgb_at(413, 301), rgb(255, 0, 0));
    int red = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const Uint32 c = rgb_at(x, y);
            ASSERT_TRUE(c == rgb(255, 255, 255) || c == rgb(0, 0, 0) || c == rgb(255, 0, 0));
            red += c == rgb(255, 0, 0);
            if (c != rgb(255, 255, 255)) {
                EXPECT_GE(x, 400);
                EXPECT_LE(x, 425);
                EXPECT_GE(y, 289);
                EXPECT_LE(y, 310);
            }
        }
    EXPECT_GT(red, 200);  // about 315 square pixels less the outline
}

TEST_F(Rings, GenerationOneIsMadeInEdgeOrderAndFilledGreen)
{
    start_queue();
    const tile_record seed = *queue_head;
    struct expected_row {
        float x[4], y[4];
        int px, py;
    };
    const expected_row expected[4] = {
        {{0, 1, 0.73f, 0.15f}, {0, 0, -0.5f, -0.8f}, 411, 318},
        {{1, 0.85f, 1.85f, 1.58f}, {0, 0.8f, 0.8f, 0.3f}, 433, 298},
        {{0.85f, 0.27f, 0.12f, 1.12f}, {0.8f, 0.5f, 1.3f, 1.3f}, 414, 285},
        {{0.27f, 0, -0.58f, -0.73f}, {0.5f, 0, -0.3f, 0.5f}, 393, 305},
    };
    for (int i = 0; i < 4; ++i) {
        const pixel_point test = neighbour_test_pixel(seed, i);
        EXPECT_EQ(test.x, expected[i].px) << "edge " << i;
        EXPECT_EQ(test.y, expected[i].py) << "edge " << i;
    }

    grow_pass();
    EXPECT_EQ(tile_count, 5.0f);
    ASSERT_EQ(queue_length(), 4);
    const tile_record* t = queue_head;
    for (int i = 0; i < 4; ++i, t = t->next) {
        EXPECT_EQ(t->generation, 1);
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(t->x[k], expected[i].x[k], 1e-6) << "edge " << i << " vertex " << k;
            EXPECT_NEAR(t->y[k], expected[i].y[k], 1e-6) << "edge " << i << " vertex " << k;
        }
        EXPECT_EQ(rgb_at(expected[i].px, expected[i].py), rgb(0, 248, 0)) << "edge " << i;
    }
    EXPECT_EQ(t, queue_sentinel);
    EXPECT_EQ(rgb_at(413, 301), rgb(255, 0, 0));  // the seed keeps its colour
}

TEST_F(Rings, GrowthMakes613TilesInSeventeenRings)
{
    start_queue();
    std::vector<int> per_generation(20, 0);
    per_generation[0] = 1;
    int passes_until_done = 0;
    for (int pass = 0; pass < max_passes; ++pass) {
        const bool was_done = done;
        const float before = tile_count;
        grow_pass();
        if (!was_done)
            ++passes_until_done;
        // The records made by this pass are the last ones queued.
        const int made = static_cast<int>(tile_count - before);
        const tile_record* t = queue_sentinel->prev;
        for (int k = 0; k < made; ++k, t = t->prev)
            ++per_generation[t->generation];
        if (was_done) {
            EXPECT_EQ(made, 0);
        }
    }
    EXPECT_TRUE(done);
    EXPECT_EQ(tile_count, 613.0f);
    EXPECT_EQ(passes_until_done, 545);  // done is set by the 545th head
    for (int g = 1; g <= 17; ++g)
        EXPECT_EQ(per_generation[g], 4 * g) << "generation " << g;
    EXPECT_EQ(per_generation[18], 0);
    // What is left queued is the whole of generation 17.
    EXPECT_EQ(queue_length(), 68);
    for (const tile_record* t = queue_head; t != queue_sentinel; t = t->next)
        EXPECT_EQ(t->generation, 17);

}

TEST_F(Rings, ReleaseLeavesNoPointerToFreedRecords)
{
    start_queue();
    grow_pass();
    release_queue();
    EXPECT_EQ(queue_sentinel, nullptr);
    EXPECT_EQ(queue_head, nullptr);
    EXPECT_EQ(queue_tail(), nullptr);
    release_queue();  // a second release does nothing
}

TEST_F(Rings, PassOnAnEmptyQueueDoesNothing)
{
    start_queue();
    // Surround the seed's neighbours with colour so that none is new.
    SDL_FillRect(screen, nullptr, black);
    grow_pass();
    EXPECT_EQ(queue_length(), 0);
    EXPECT_EQ(queue_head, queue_sentinel);
    EXPECT_EQ(queue_tail(), queue_sentinel);
    grow_pass();
    EXPECT_EQ(tile_count, 1.0f);
}

TEST(RingsDeathTest, RunningOutOfMemoryEndsWithAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "address space limits do not mix with AddressSanitizer";
#else
    auto exhaust = [] {
        cap_address_space(16 << 20);
        for (;;)
            new_tile_record();
    };
    EXPECT_EXIT(exhaust(), testing::ExitedWithCode(1), "^quadrilateral_rings: out of memory");
#endif
}

}  // namespace

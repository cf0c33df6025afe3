// Headless checks of the quadrilateral tiling: neighbours, colour ramp,
// ring queue and the whole breadth-first growth.
#include <quad_queue.h>
#include <pixels.h>
#include <headless.h>
#include <memory_cap.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The tile drawing shows every frame, so it needs a (dummy) video surface.
struct dummy_window {
    dummy_window()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        start_program("quadrilateral_tiling_test");
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        red = SDL_MapRGB(screen->format, 255, 0, 0);
        SDL_FillRect(screen, nullptr, white);
        fill_level = 20;
        rising = true;
    }
    ~dummy_window() { SDL_Quit(); }
};

struct corner_point {
    int x, y;
};

std::vector<corner_point> corners(const quad_node& t)
{
    return {{t.x0, t.y0}, {t.x1, t.y1}, {t.x2, t.y2}, {t.x3, t.y3}};
}

bool operator==(const corner_point& a, const corner_point& b) { return a.x == b.x && a.y == b.y; }

int ring_length(const quad_node* head)
{
    int n = 0;
    const quad_node* t = head;
    do {
        ++n;
        t = t->next;
    } while (t != head);
    return n;
}

TEST(QuadrilateralTiling, SeedNeighboursFollowTheEdgeTable)
{
    struct expected_row {
        std::vector<corner_point> vertices;
        corner_point centroid;
    };
    const expected_row expected[4] = {
        {{{440, 260}, {400, 300}, {410, 270}, {400, 260}}, {412, 272}},
        {{{470, 250}, {430, 290}, {440, 260}, {430, 250}}, {442, 262}},
        {{{470, 290}, {430, 330}, {440, 300}, {430, 290}}, {442, 302}},
        {{{440, 300}, {400, 340}, {410, 310}, {400, 300}}, {412, 312}},
    };
    EXPECT_EQ(tile_centroid(seed_tile).x, 427);
    EXPECT_EQ(tile_centroid(seed_tile).y, 287);
    for (int edge = 0; edge < 4; ++edge) {
        const quad_node n = neighbour_across(seed_tile, edge);
        EXPECT_EQ(corners(n), expected[edge].vertices) << "edge " << edge;
        EXPECT_EQ(tile_centroid(n).x, expected[edge].centroid.x) << "edge " << edge;
        EXPECT_EQ(tile_centroid(n).y, expected[edge].centroid.y) << "edge " << edge;
        // A half-turn undone: the neighbour's neighbour across the same edge is the seed.
        EXPECT_EQ(corners(neighbour_across(n, edge)), corners(seed_tile));
    }
}

TEST(QuadrilateralTiling, CentroidTruncatesTowardZero)
{
    const quad_node t = {-3, -3, -2, -2, 0, 0, 0, 0, nullptr, nullptr};
    const auto [cx, cy] = tile_centroid(t);
    EXPECT_EQ(cx, -1);  // -5/4
    EXPECT_EQ(cy, -1);
}

TEST(QuadrilateralTiling, ColourRampIsATriangleWaveOf260Tiles)
{
    headless_screen headless;
    fill_level = 20;
    rising = true;
    std::vector<Uint32> colours;
    for (int tile = 1; tile <= 521; ++tile) {
        step_tile_colour();
        colours.push_back(tile_colour);
    }
    auto colour_of = [&](int tile) { return colours[tile - 1]; };
    EXPECT_EQ(colour_of(1), rgb(224, 1, 0));
    EXPECT_EQ(colour_of(130), rgb(95, 130, 0));
    EXPECT_EQ(colour_of(131), rgb(96, 129, 0));
    EXPECT_EQ(colour_of(259), rgb(224, 1, 0));
    EXPECT_EQ(colour_of(260), rgb(225, 0, 0));
    EXPECT_EQ(colour_of(261), rgb(224, 1, 0));
    EXPECT_EQ(colour_of(390), rgb(95, 130, 0));
    EXPECT_EQ(colour_of(520), rgb(225, 0, 0));
}

TEST(QuadrilateralTiling, RingQueueKeepsOrderAndReleasesTheHead)
{
    quad_node* head = make_seed_ring();
    EXPECT_EQ(head->next, head);
    EXPECT_EQ(head->prev, head);
    for (int edge = 0; edge < 4; ++edge)
        insert_before(head, new_quad_node(neighbour_across(seed_tile, edge)));
    EXPECT_EQ(ring_length(head), 5);
    // New records sit at the tail, in the order they were queued.
    const quad_node* t = head->next;
    for (int edge = 0; edge < 4; ++edge, t = t->next)
        EXPECT_EQ(corners(*t), corners(neighbour_across(seed_tile, edge)));
    EXPECT_EQ(head->prev->next, head);

    head = release_head(head);
    EXPECT_EQ(ring_length(head), 4);
    EXPECT_EQ(corners(*head), corners(neighbour_across(seed_tile, 0)));
    EXPECT_EQ(head->prev->next, head);
    free_ring(head);
}

TEST(QuadrilateralTiling, ReleasingTheLastRecordLeavesNoHead)
{
    quad_node* head = make_seed_ring();
    EXPECT_EQ(release_head(head), nullptr);
    free_ring(nullptr);  // an empty ring frees nothing
}

TEST(QuadrilateralTiling, LoneTileWithoutNewNeighboursEndsTheQueue)
{
    dummy_window window;
    // A tile near the corner: every neighbour's centroid is outside the rectangle.
    quad_node* head = new_quad_node({20, 20, 40, 20, 40, 30, 20, 30, nullptr, nullptr});
    head->next = head->prev = head;
    EXPECT_EQ(draw_head_tile(head), nullptr);
}

TEST(QuadrilateralTiling, SeedQueuesAndMarksItsFourNeighbours)
{
    dummy_window window;
    EXPECT_EQ(rgb_at(427, 287), rgb(255, 255, 255));  // the seed carries no mark
    quad_node* head = draw_head_tile(make_seed_ring());
    EXPECT_EQ(rgb_at(427, 287), rgb(224, 1, 0));
    ASSERT_EQ(ring_length(head), 4);
    const quad_node* t = head;
    const corner_point centroids[4] = {{412, 272}, {442, 262}, {442, 302}, {412, 312}};
    for (int edge = 0; edge < 4; ++edge, t = t->next) {
        EXPECT_EQ(corners(*t), corners(neighbour_across(seed_tile, edge)));
        const auto [cx, cy] = centroids[edge];
        // The mark: the centroid and a plus sign round it.
        EXPECT_EQ(rgb_at(cx, cy), rgb(255, 0, 0));
        EXPECT_EQ(rgb_at(cx + 1, cy), rgb(255, 0, 0));
        EXPECT_EQ(rgb_at(cx, cy - 1), rgb(255, 0, 0));
    }
    // The seed is outlined in black, vertex by vertex.
    EXPECT_EQ(rgb_at(400, 300), rgb(0, 0, 0));
    EXPECT_EQ(rgb_at(440, 260), rgb(0, 0, 0));
    EXPECT_EQ(rgb_at(430, 290), rgb(0, 0, 0));
    free_ring(head);
}

TEST(QuadrilateralTiling, GrowthDraws499TilesAndLeavesOneUndrawn)
{
    dummy_window window;
    quad_node* head = make_seed_ring();
    int queued = 1;
    int drawn = 0;
    do {
        const int before = ring_length(head);
        const auto [cx, cy] = tile_centroid(*head);
        EXPECT_GE(cx, 101);
        EXPECT_LE(cx, 699);
        EXPECT_GE(cy, 51);
        EXPECT_LE(cy, 549);
        head = draw_head_tile(head);
        ++drawn;
        ASSERT_NE(head, nullptr);
        queued += ring_length(head) - (before - 1);
        // The tile just drawn covers its own mark.
        EXPECT_EQ(get_pixel(cx, cy), tile_colour) << "tile " << drawn;
    } while (head->next != head);

    EXPECT_EQ(drawn, 499);
    EXPECT_EQ(queued, 500);
    const auto [cx, cy] = tile_centroid(*head);
    EXPECT_EQ(cx, 112);
    EXPECT_EQ(cy, 52);
    EXPECT_EQ(rgb_at(112, 52), rgb(255, 0, 0));
    EXPECT_EQ(rgb_at(113, 52), rgb(255, 0, 0));

    // Nothing but outlines, marks and ramp colours on white.
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const Uint32 c = rgb_at(x, y);
            if (c == rgb(255, 255, 255))
                continue;
            const int r = int(c >> 16), g = int((c >> 8) & 0xFF), b = int(c & 0xFF);
            const bool ramp = b == 0 && r + g == 225 && g <= 130;
            ASSERT_TRUE(c == rgb(0, 0, 0) || c == rgb(255, 0, 0) || ramp) << x << "," << y;
        }
    free_ring(head);
}

TEST(QuadrilateralTilingDeathTest, RunningOutOfMemoryEndsWithAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "address space limits do not mix with AddressSanitizer";
#else
    auto exhaust = [] {
        cap_address_space(16 << 20);
        for (;;)
            new_quad_node(seed_tile);
    };
    EXPECT_EXIT(exhaust(), testing::ExitedWithCode(1), "^quadrilateral_tiling: out of memory");
#endif
}

}  // namespace

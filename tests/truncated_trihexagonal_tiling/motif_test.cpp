// The dodecagon motif and the lattice of the truncated trihexagonal tiling,
// drawn headlessly and compared with pictures built from known window
// coordinates.
#include <polygon_motif.h>

#include <polygon_motif_support.h>

namespace {

const std::vector<edge_row> centred_motif = {
    {{450, 300}, {443, 274}, {475, 293}, {468, 268}, {459, 284}},
    {{443, 274}, {424, 256}},
    {{424, 256}, {399, 250}, {431, 231}, {406, 224}, {415, 240}},
    {{399, 250}, {374, 256}},
    {{374, 256}, {356, 274}, {356, 238}, {338, 256}, {356, 256}},
    {{356, 274}, {350, 300}},
    {{350, 300}, {356, 325}, {324, 306}, {331, 331}, {340, 315}},
    {{356, 325}, {375, 343}},
    {{375, 343}, {400, 349}, {368, 368}, {393, 375}, {384, 359}},
    {{400, 349}, {425, 343}},
    {{425, 343}, {443, 324}, {443, 361}, {461, 343}, {443, 343}},
    {{443, 324}, {450, 300}},
};

TEST(DodecagonMotif, CentredMotifHasTheTabulatedVerticesSquaresAndSeeds)
{
    // Vertex 5 at (356, 274) needs the sine of the float-rounded angle.
    const rgb_image drawn = headless([] { draw_polygon_motif(400, 300); });
    EXPECT_EQ(difference(drawn, headless([] { draw_motif_from_table(centred_motif, {400, 300}, light_red); })), "");
    for (size_t i = 0; i < centred_motif.size(); i += 2)
        EXPECT_EQ(drawn.at(centred_motif[i].seed.x, centred_motif[i].seed.y), green_rgb) << "square " << i;
    EXPECT_EQ(drawn.at(400, 300), light_red_rgb);
}

TEST(DodecagonMotif, MotifLeftOfAndAboveTheWindowTruncatesTowardZero)
{
    const rgb_image drawn = headless([] { draw_polygon_motif(21, 71); });
    EXPECT_EQ(difference(drawn, headless([] {
                             draw_motif_from_table({{{71, 71}, {64, 45}, {96, 64}, {89, 39}, {80, 55}},
                                                    {{64, 45}, {45, 27}},
                                                    {{45, 27}, {20, 21}, {52, 2}, {27, -4}, {36, 11}},
                                                    {{20, 21}, {-4, 27}},
                                                    {{-4, 27}, {-22, 45}, {-22, 9}, {-40, 27}, {-22, 27}},
                                                    {{-22, 45}, {-28, 71}},
                                                    {{-28, 71}, {-22, 96}, {-54, 77}, {-47, 102}, {-38, 86}},
                                                    {{-22, 96}, {-3, 114}},
                                                    {{-3, 114}, {21, 120}, {-10, 139}, {14, 146}, {5, 130}},
                                                    {{21, 120}, {46, 114}},
                                                    {{46, 114}, {64, 95}, {64, 132}, {82, 114}, {64, 114}},
                                                    {{64, 95}, {71, 71}}},
                                                   {21, 71}, light_red);
                         })),
              "");
    EXPECT_EQ(drawn.at(21, 71), light_red_rgb);
}

TEST(DodecagonMotif, MotifOnRowZeroIsDrawnButNotFilled)
{
    // Only the squares on edges 6, 8 and 10 have their seeds in the window.
    const rgb_image drawn = headless([] { draw_polygon_motif(700, 0); });
    EXPECT_EQ(difference(drawn, headless([] {
                             draw_motif_from_table({{{750, 0}, {743, -25}, {775, -6}, {768, -31}, {759, -15}},
                                                    {{743, -25}, {724, -43}},
                                                    {{724, -43}, {699, -49}, {731, -68}, {706, -75}, {715, -59}},
                                                    {{699, -49}, {674, -43}},
                                                    {{674, -43}, {656, -25}, {656, -61}, {638, -43}, {656, -43}},
                                                    {{656, -25}, {650, 0}},
                                                    {{650, 0}, {656, 25}, {624, 6}, {631, 31}, {640, 15}},
                                                    {{656, 25}, {675, 43}},
                                                    {{675, 43}, {700, 49}, {668, 68}, {693, 75}, {684, 59}},
                                                    {{700, 49}, {725, 43}},
                                                    {{725, 43}, {743, 24}, {743, 61}, {761, 43}, {743, 43}},
                                                    {{743, 24}, {750, 0}}});
                         })),
              "");
    EXPECT_EQ(drawn.at(700, 10), white_rgb);
    EXPECT_EQ(drawn.at(640, 15), green_rgb);
    EXPECT_EQ(drawn.at(684, 59), green_rgb);
    EXPECT_EQ(drawn.at(743, 43), green_rgb);
}

TEST(TruncatedTrihexagonalLattice, VectorsAndCentres)
{
    set_lattice_vectors();
    EXPECT_EQ(e1.x, 2.36602545f);
    EXPECT_EQ(e1.y, 0.633974612f);
    EXPECT_EQ(e2.x, e1.y);
    EXPECT_EQ(e2.y, e1.x);

    // (2, 2): the row value -0.0000060 truncates to row 0.
    struct {
        int i, j, x, y;
    } const centres[] = {
        {0, 0, 400, 300},    {1, 0, 518, 268},    {0, 1, 431, 181},    {2, 2, 700, 0},
        {4, 4, 1000, -300},  {-4, -4, -200, 900}, {-4, -3, -168, 781}, {-4, -2, -136, 663},
        {-4, -1, -104, 545}, {-4, 0, -73, 426},   {-4, 1, -41, 308},   {-4, 2, -9, 190},
        {-4, 3, 21, 71},     {-4, 4, 53, -46},
    };
    for (const auto& c : centres) {
        const pixel_point p = lattice_anchor(scale, e1, e2, c.i, c.j);
        EXPECT_EQ(p.x, c.x) << "i = " << c.i << ", j = " << c.j;
        EXPECT_EQ(p.y, c.y) << "i = " << c.i << ", j = " << c.j;
    }
}

}  // namespace

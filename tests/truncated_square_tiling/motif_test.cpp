// The octagon motif and the lattice of the truncated square tiling, drawn
// headlessly and compared with pictures built from known window coordinates.
#include <polygon_motif.h>
#include <polygon_motif_support.h>

namespace {

const std::vector<edge_row> centred_motif = {
    {{450, 300}, {435, 264}, {485, 285}, {470, 249}, {460, 274}},
    {{435, 264}, {399, 250}},
    {{399, 250}, {364, 264}, {385, 214}, {349, 229}, {374, 239}},
    {{364, 264}, {350, 300}},
    {{350, 300}, {364, 335}, {314, 314}, {329, 350}, {339, 325}},
    {{364, 335}, {400, 349}},
    {{400, 349}, {435, 335}, {414, 385}, {450, 370}, {425, 360}},
    {{435, 335}, {450, 300}},
};

TEST(OctagonMotif, CentredMotifHasTheTabulatedVerticesSquaresAndSeeds)
{
    const rgb_image drawn = headless([] { draw_polygon_motif(400, 300); });
    EXPECT_EQ(difference(drawn, headless([] { draw_motif_from_table(centred_motif); })), "");
    // Four green squares; the octagon itself stays white.
    for (size_t i = 0; i < centred_motif.size(); i += 2)
        EXPECT_EQ(drawn.at(centred_motif[i].seed.x, centred_motif[i].seed.y), green_rgb) << "square " << i;
    EXPECT_EQ(drawn.at(400, 300), white_rgb);
    // Drawn again over itself, it adds nothing: every seed finds green.
    EXPECT_EQ(difference(drawn, headless([] {
                             draw_polygon_motif(400, 300);
                             draw_polygon_motif(400, 300);
                         })),
              "");
}

TEST(OctagonMotif, MotifsLeftOfAndAboveTheWindowTruncateTowardZero)
{
    // Vertex 4 lies at column -12.9999999999998, drawn from column -12; the
    // square on edge 2 is filled, the one on edge 4 (seed at -23) is not.
    const rgb_image left = headless([] { draw_polygon_motif(37, 450); });
    EXPECT_EQ(difference(left, headless([] {
                             draw_motif_from_table({
                                 {{87, 450}, {72, 414}, {122, 435}, {107, 399}, {97, 424}},
                                 {{72, 414}, {36, 400}},
                                 {{36, 400}, {1, 414}, {22, 364}, {-13, 379}, {11, 389}},
                                 {{1, 414}, {-12, 450}},
                                 {{-12, 450}, {1, 485}, {-48, 464}, {-33, 500}, {-23, 475}},
                                 {{1, 485}, {37, 499}},
                                 {{37, 499}, {72, 485}, {51, 535}, {87, 520}, {62, 510}},
                                 {{72, 485}, {87, 450}},
                             });
                         })),
              "");
    EXPECT_EQ(left.at(11, 389), green_rgb);

    // Centre (129, -12): the rows of vertices 0 and 3 truncate toward row 0;
    // the squares on edges 4 and 6 have their seeds in the window.
    const rgb_image above = headless([] { draw_polygon_motif(129, -12); });
    EXPECT_EQ(difference(above, headless([] {
                             draw_motif_from_table({
                                 {{179, -12}, {164, -47}, {214, -26}, {199, -62}, {189, -37}},
                                 {{164, -47}, {128, -61}},
                                 {{128, -61}, {93, -47}, {114, -97}, {78, -82}, {103, -72}},
                                 {{93, -47}, {79, -11}},
                                 {{79, -11}, {93, 23}, {43, 2}, {58, 38}, {68, 13}},
                                 {{93, 23}, {129, 37}},
                                 {{129, 37}, {164, 23}, {143, 73}, {179, 58}, {154, 48}},
                                 {{164, 23}, {179, -12}},
                             });
                         })),
              "");
    EXPECT_EQ(above.at(68, 13), green_rgb);
    EXPECT_EQ(above.at(154, 48), green_rgb);

    // Motifs of the patch wholly outside the window draw nothing.
    EXPECT_EQ(difference(headless([] {}), headless([] {
                             draw_polygon_motif(199, -182);
                             draw_polygon_motif(600, 782);
                         })),
              "");
}

TEST(OctagonMotif, WindowCoordinatesAreNotRoundedToDouble)
{
    // 300 - 50 * sin(float(6 * edge_angle)) is just below 350.
    EXPECT_EQ(unit_pixel_extended({0, 300}, 50, 0, -1.0 + 0x1p-52).y, 349);
    // Negative sums truncate toward zero.
    EXPECT_EQ(unit_pixel_extended({-80, 0}, 50, 1.0 - 0x1p-50, 0).x, -30);
    EXPECT_EQ(unit_pixel_extended({-80, 0}, 50, 1.0 + 0x1p-50, 0).x, -29);
    EXPECT_EQ(unit_pixel_extended({0, 10}, 50, 0, 0.5).y, -15);
}

TEST(TruncatedSquareLattice, VectorsAndCentres)
{
    set_lattice_vectors();
    EXPECT_EQ(e1.x, 0.707106769f);
    EXPECT_EQ(e1.y, 1.70710683f);
    EXPECT_EQ(e2.x, -e1.y);
    EXPECT_EQ(e2.y, e1.x);

    struct {
        int i, j, x, y;
    } const centres[] = {
        {0, 0, 400, 300},   {1, 0, 435, 214},   {0, 1, 314, 264},   {-4, -4, 600, 782}, {4, -4, 882, 99},
        {-4, 4, -82, 500},  {4, 4, 199, -182},  {-4, -3, 514, 747}, {-4, -2, 429, 712}, {-4, -1, 343, 676},
        {-4, 0, 258, 641},  {-4, 1, 173, 606},  {-4, 2, 87, 570},   {-4, 3, 2, 535},
    };
    for (const auto& c : centres) {
        const pixel_point p = lattice_anchor(scale, e1, e2, c.i, c.j);
        EXPECT_EQ(p.x, c.x) << "i = " << c.i << ", j = " << c.j;
        EXPECT_EQ(p.y, c.y) << "i = " << c.i << ", j = " << c.j;
    }
}

}  // namespace

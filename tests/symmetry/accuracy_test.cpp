// The classifier on realistic, degraded wallpapers of all seventeen groups
// and on pictures of no lattice; and the generator those pictures come from,
// whose clean pictures must hold their group's operations and no others for
// the accuracy to mean anything.
#include "degrade.h"
#include "realistic.h"
#include <symmetry.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The share of the fixed sample below that must be named right.
constexpr double minimum_share_right = 0.9;

constexpr const char* sample_degradations[] = {"clean", "jpeg", "noise"};
constexpr unsigned sample_seed = 2024;

// A clean picture holds an operation of its group at least this well, and
// any other operation its lattice allows at most this well (correlation of
// the grey values with their images).
constexpr double held = 0.97;
constexpr double not_held = 0.9;

bool same_operation(const pattern_operation& p, const pattern_operation& q)
{
    return p.m[0][0] == q.m[0][0] && p.m[0][1] == q.m[0][1] && p.m[1][0] == q.m[1][0] && p.m[1][1] == q.m[1][1] && p.t[0] == q.t[0] &&
           p.t[1] == q.t[1];
}

TEST(RealisticPictures, HoldTheirGroupsOperationsAndNoOtherOfTheLattice)
{
    for (const pattern_group_spec& group : pattern_groups()) {
        const std::vector<pattern_operation> ops = pattern_operations(group);
        for (const std::string& kind : realistic_kinds()) {
            const realistic_picture p = make_realistic(group.name, kind, 7);
            const std::vector<pattern_operation> candidates = lattice_operations(p.lattice);
            for (const pattern_operation& g : candidates) {
                bool member = false;
                for (const pattern_operation& o : ops)
                    member = member || same_operation(g, o);
                const double r = operation_correlation(p, g);
                if (member)
                    EXPECT_GT(r, held) << group.name << " " << kind << " op " << g.m[0][0] << g.m[0][1] << g.m[1][0] << g.m[1][1] << " t "
                                       << g.t[0] << g.t[1];
                else
                    EXPECT_LT(r, not_held) << group.name << " " << kind << " op " << g.m[0][0] << g.m[0][1] << g.m[1][0] << g.m[1][1]
                                           << " t " << g.t[0] << g.t[1];
            }
            // The lattice allows every operation of the group.
            for (const pattern_operation& o : ops) {
                bool allowed = false;
                for (const pattern_operation& g : candidates)
                    allowed = allowed || same_operation(g, o);
                EXPECT_TRUE(allowed) << group.name << " " << kind;
            }
        }
    }
}

TEST(RealisticPictures, HaveTheRequestedSizesAndAreTheSameForTheSameSeed)
{
    for (const char* group : {"p1", "cmm", "p4g", "p6m"}) {
        const realistic_picture p = make_realistic(group, "shapes", 3);
        const double longest = std::max(std::hypot(p.lattice[0][0], p.lattice[0][1]), std::hypot(p.lattice[1][0], p.lattice[1][1]));
        EXPECT_GE(longest, 40 - 1e-9);
        EXPECT_LE(longest, 300 + 1e-9);
        EXPECT_GE(p.picture.w, std::max(640.0, 3 * longest));
        EXPECT_GE(p.picture.h, std::max(480.0, 3 * longest));
        EXPECT_EQ(p.picture.rgb, make_realistic(group, "shapes", 3).picture.rgb);
        EXPECT_NE(p.picture.rgb, make_realistic(group, "shapes", 4).picture.rgb);
    }
    EXPECT_THROW(make_realistic("p5", "shapes", 1), std::invalid_argument);
    EXPECT_THROW(make_realistic("p4", "stripes", 1), std::invalid_argument);
}

TEST(Degradations, ChangeSizeOnlyWhereTheyShould)
{
    const realistic_picture p = make_realistic("pmg", "waves", 5);
    for (const std::string& name : degradation_names()) {
        const rgb_picture d = degrade(p, name, 11);
        ASSERT_EQ(d.rgb.size(), static_cast<size_t>(d.w) * d.h) << name;
        const bool resizes = name.rfind("resize-", 0) == 0 || name == "frame" || name == "crop";
        if (!resizes) {
            EXPECT_EQ(d.w, p.picture.w) << name;
            EXPECT_EQ(d.h, p.picture.h) << name;
        }
        if (name == "clean") {
            EXPECT_EQ(d.rgb, p.picture.rgb);
        } else if (name != "crop") {
            EXPECT_NE(d.rgb, p.picture.rgb) << name;
        }
    }
    EXPECT_THROW(degrade(p, "sepia", 1), std::invalid_argument);
}

TEST(Degradations, JpegRoundTripStaysCloseAndDamagedDataIsRefused)
{
    const realistic_picture p = make_realistic("p4", "waves", 2);
    const std::vector<uint8_t> bytes = encode_jpeg(p.picture, 95);
    rgb_picture back;
    std::string reason;
    ASSERT_TRUE(decode_jpeg(bytes, back, reason)) << reason;
    ASSERT_EQ(back.w, p.picture.w);
    ASSERT_EQ(back.h, p.picture.h);
    double error = 0;
    for (size_t i = 0; i < back.rgb.size(); ++i)
        for (int shift : {0, 8, 16})
            error += std::abs(static_cast<int>((back.rgb[i] >> shift) & 255) - static_cast<int>((p.picture.rgb[i] >> shift) & 255));
    // Chroma halved both ways costs a few levels on busy colour; a swapped
    // channel or a shifted row costs tens.
    EXPECT_LT(error / (3.0 * back.rgb.size()), 6.0);
    EXPECT_FALSE(decode_jpeg(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 200), back, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(decode_jpeg({}, back, reason));
}

TEST(Degradations, ResizeKeepsFlatColoursAndScalesTheSize)
{
    rgb_picture flat;
    flat.w = 90;
    flat.h = 60;
    flat.rgb.assign(90 * 60, 0x4080c0);
    for (resize_filter f : {resize_filter::nearest, resize_filter::bilinear, resize_filter::bicubic, resize_filter::area})
        for (double scale : {0.5, 1.37, 2.0}) {
            const rgb_picture r = resized(flat, scale, f);
            EXPECT_EQ(r.w, std::lround(90 * scale));
            EXPECT_EQ(r.h, std::lround(60 * scale));
            for (uint32_t c : r.rgb)
                ASSERT_EQ(c, 0x4080c0u) << static_cast<int>(f) << " " << scale;
        }
}

TEST(Classifier, NamesMostRealisticPicturesRightAndNoGroupForPicturesWithoutALattice)
{
    int right = 0, total = 0;
    std::string misses;
    for (const pattern_group_spec& group : pattern_groups()) {
        const size_t g = static_cast<size_t>(&group - pattern_groups().data());
        const realistic_picture p = make_realistic(group.name, realistic_kinds()[g % realistic_kinds().size()], sample_seed);
        for (const char* degradation : sample_degradations) {
            const rgb_picture d = degrade(p, degradation, sample_seed + static_cast<unsigned>(g));
            const std::string given = classify(d.rgb.data(), d.w, d.h).group;
            ++total;
            if (given == group.name)
                ++right;
            else
                misses += " " + group.name + "/" + p.kind + "/" + degradation + "->" + given;
        }
    }
    EXPECT_GE(right, minimum_share_right * total) << right << " of " << total << " right; wrong:" << misses;

    for (const std::string& kind : negative_kinds()) {
        const realistic_picture p = make_negative(kind, sample_seed);
        for (const char* degradation : {"clean", "jpeg"}) {
            const rgb_picture d = degrade(p, degradation, sample_seed);
            EXPECT_EQ(classify(d.rgb.data(), d.w, d.h).group, "none") << kind << " " << degradation;
        }
    }
}

}  // namespace

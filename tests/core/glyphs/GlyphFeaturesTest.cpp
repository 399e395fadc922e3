#include "core/glyphs/GlyphFeatures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace glyphwright {
namespace {

// A glyph from rows of text: '#' full ink, '+' a grey below the ink level, anything else ground.
GlyphImage Picture(const std::vector<std::string>& rows) {
    GlyphImage glyph{static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), {}};
    for (const std::string& row : rows) {
        for (const char pixel : row) {
            glyph.ink.push_back(pixel == '#' ? 255 : pixel == '+' ? InkBox::kInkLevel - 1 : 0);
        }
    }
    return glyph;
}

// A 16x16 glyph holding `shape`'s rows with its top left at (left, top).
GlyphImage Placed(const std::vector<std::string>& shape, int left, int top) {
    std::vector<std::string> rows(16, std::string(16, '.'));
    for (std::size_t y = 0; y < shape.size(); ++y) {
        rows[static_cast<std::size_t>(top) + y].replace(static_cast<std::size_t>(left),
                                                        shape[y].size(), shape[y]);
    }
    return Picture(rows);
}

// `glyph` drawn `times` as large, each pixel a block.
GlyphImage Enlarged(const GlyphImage& glyph, int times) {
    GlyphImage large{glyph.width * times, glyph.height * times, {}};
    for (int y = 0; y < large.height; ++y) {
        for (int x = 0; x < large.width; ++x) large.ink.push_back(glyph.at(x / times, y / times));
    }
    return large;
}

float Distance(const GlyphFeatures& a, const GlyphFeatures& b, std::size_t from, std::size_t to) {
    float sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += (a.values[i] - b.values[i]) * (a.values[i] - b.values[i]);
    return std::sqrt(sum);
}

float Distance(const GlyphFeatures& a, const GlyphFeatures& b) {
    return Distance(a, b, 0, GlyphFeatures::kSize);
}

constexpr std::size_t kShapeSize = GlyphFeatures::kDirectionSize + GlyphFeatures::kInkSize;

const std::vector<std::string> kEll = {"#....", "#....", "#....", "#....", "#####"};

TEST(GlyphFeaturesTest, TheInkBoxLeavesOutGreysAndIsEmptyWithoutInk) {
    const InkBox box = InkBoxOf(Picture({"+....", ".##..", ".#...", "....+"}));
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.Width(), 2);
    EXPECT_EQ(box.Height(), 2);
    EXPECT_TRUE(InkBoxOf(Picture({"+++", "+++"})).Empty());
    EXPECT_EQ(InkBoxOf(Picture({"+++"})).Width(), 0);

    const GlyphFeatures blank = ExtractFeatures(Picture({"+..", "..+"}));
    EXPECT_TRUE(blank.blank);
    EXPECT_EQ(std::accumulate(blank.values.begin(), blank.values.end(), 0.f), 0.f);
}

// The shape is read from the ink's own box: moved in its cell, it reads the same and only its
// place differs; the direction part is a unit vector.
TEST(GlyphFeaturesTest, AShapeMovedReadsTheSameInAnotherPlace) {
    const GlyphFeatures high = ExtractFeatures(Placed(kEll, 1, 1));
    const GlyphFeatures low = ExtractFeatures(Placed(kEll, 9, 10));
    EXPECT_FALSE(high.blank);
    EXPECT_LT(Distance(high, low, 0, kShapeSize), 1e-4f);
    EXPECT_GT(Distance(high, low, kShapeSize, GlyphFeatures::kSize), 0.5f);
    const float top = high.values[kShapeSize + 2];
    EXPECT_LT(top, low.values[kShapeSize + 2]);  // set lower, its top lies lower

    float norm = 0;
    for (std::size_t i = 0; i < GlyphFeatures::kDirectionSize; ++i) {
        norm += high.values[i] * high.values[i];
    }
    EXPECT_NEAR(norm, 1.f, 1e-4f);
}

// A stroke a pixel heavier stays nearer the stroke than the same stroke turned upright; a small
// form of a shape differs from its large form by its place alone.
TEST(GlyphFeaturesTest, DirectionsTellStrokesApartAndSurviveAnotherWeight) {
    const GlyphFeatures bar = ExtractFeatures(Placed({"##########"}, 3, 7));
    const GlyphFeatures heavy = ExtractFeatures(Placed({"##########", "##########"}, 3, 7));
    const GlyphFeatures upright =
        ExtractFeatures(Placed({"#", "#", "#", "#", "#", "#", "#", "#", "#", "#"}, 7, 3));
    EXPECT_LT(Distance(bar, heavy, 0, GlyphFeatures::kDirectionSize),
              Distance(bar, upright, 0, GlyphFeatures::kDirectionSize) / 2);

    const GlyphFeatures small = ExtractFeatures(Placed({"##", "#."}, 7, 7));
    const GlyphFeatures large = ExtractFeatures(
        Placed({"########", "########", "####....", "####....", "####....", "####...."}, 4, 5));
    EXPECT_GT(Distance(small, large, kShapeSize, GlyphFeatures::kSize), 1.f);
}

// A reference drawn four times as large, read with a dot size of 4, reads as the game's glyph;
// read as if its pixels were the game's, it comes out sharper and further away.
TEST(GlyphFeaturesTest, ADotSizeReadsAnEnlargedGlyphAsTheGamesOwn) {
    const GlyphImage game = Picture({"........", "...#....", "...#....", ".#####..", "...#....",
                                     "...#.#..", "...##...", "........"});
    const GlyphFeatures own = ExtractFeatures(game);
    const GlyphFeatures asGame = ExtractFeatures(Enlarged(game, 4), 4);
    const GlyphFeatures asDrawn = ExtractFeatures(Enlarged(game, 4), 1);
    // Measured: 0.25 and 0.61; the sampling of a larger picture differs a little.
    EXPECT_LT(Distance(own, asGame), 0.35f);
    EXPECT_LT(Distance(own, asGame) * 2, Distance(own, asDrawn));
}

}  // namespace
}  // namespace glyphwright

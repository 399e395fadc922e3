// How well the matcher reads whole repertoires of stand-in game fonts, none of them the
// reference: Unifont-JP at 16 x 16 and Misaki Gothic at 8 x 8, and two faces it was not tuned on.
// Each figure has a floor a change must not fall below; the table is printed so a run shows where
// it stands.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/ReferenceFont.h"
#include "core/glyphs/Repertoire.h"
#include "support/MatcherAccuracy.h"

namespace glyphwright {
namespace {

using testing::Accuracy;
using testing::MeasureAccuracy;
using testing::StandInCharacters;
using testing::Utf8;

#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kKanjiStep = 5;  // a sanitizer build reads every fifth kanji
#else
constexpr std::size_t kKanjiStep = 1;
#endif

struct Floor {
    Repertoire repertoire;
    double top1;
    double top5;
    bool amongOwnScript = false;  // read as if the game's text showed the script around
};

class GlyphMatcherAccuracyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        matcher_ = testing::DefaultMatcher(RepertoireCharacters(
            {Repertoire::Kana, Repertoire::Ascii, Repertoire::FullWidth, Repertoire::Level1Kanji}));
        ASSERT_NE(matcher_, nullptr) << "Noto Sans CJK JP is not installed";
    }
    static void TearDownTestSuite() { matcher_.reset(); }

    static void Measure(const char* family, int size, const std::vector<Floor>& floors) {
        const auto standIn = ReferenceFont::Open(family);
        ASSERT_TRUE(standIn.ok()) << standIn.error().reason;
        for (const Floor& floor : floors) {
            const std::size_t step = floor.repertoire == Repertoire::Level1Kanji ? kKanjiStep : 1;
            const auto characters =
                StandInCharacters(standIn.value(), floor.repertoire, size, step);
            ASSERT_GT(characters.size(), 50u) << family;
            const Accuracy a =
                MeasureAccuracy(*matcher_, standIn.value(), characters, size, floor.amongOwnScript);
            std::printf(
                "%-13s %2dx%-2d %-9s%-8s %4zu glyphs  top-1 %5.1f %%  top-5 %5.1f %%  "
                "(%zu of the misses are look-alikes)\n",
                family, size, size, std::string(RepertoireName(floor.repertoire)).c_str(),
                floor.amongOwnScript ? " in text" : "", a.glyphs, a.Top1(), a.Top5(),
                a.lookAlikeMisses);
            std::string misses;
            for (const auto& miss : a.misses)
                misses += Utf8(miss.truth) + ">" + Utf8(miss.read) + " ";
            // GW_MISSES=1 in the environment lists every miss (truth>read), failing or not.
            if (std::getenv("GW_MISSES") != nullptr) std::printf("  misses: %s\n", misses.c_str());
            EXPECT_GE(a.Top1(), floor.top1)
                << family << " " << RepertoireName(floor.repertoire) << " misses: " << misses;
            EXPECT_GE(a.Top5(), floor.top5) << family << " " << RepertoireName(floor.repertoire);
        }
    }

    static std::unique_ptr<GlyphMatcher> matcher_;
};

std::unique_ptr<GlyphMatcher> GlyphMatcherAccuracyTest::matcher_;

TEST_F(GlyphMatcherAccuracyTest, ABitmapFaceAt16) {
    Measure("Unifont-JP", 16,
            {{Repertoire::Kana, 98, 99},
             {Repertoire::Kana, 98, 99, true},
             {Repertoire::Ascii, 95, 97},
             {Repertoire::FullWidth, 62, 69},
             {Repertoire::Level1Kanji, 97, 99.5}});
}

TEST_F(GlyphMatcherAccuracyTest, ABitmapFaceAt8) {
    Measure("MisakiGothic", 8,
            {{Repertoire::Kana, 90, 93.5},
             {Repertoire::Kana, 90, 93.5, true},
             {Repertoire::Ascii, 90, 93},
             {Repertoire::FullWidth, 64, 83},
             {Repertoire::Level1Kanji, 44, 66}});
}

// Two faces the matcher was never tuned on, to show that what was tuned on the two above holds
// beyond them.
TEST_F(GlyphMatcherAccuracyTest, FacesItWasNotTunedOnAt8) {
    Measure("MisakiMincho", 8, {{Repertoire::Kana, 80.5, 88.5}});
    // Its ASCII, 3 by 7 pixels, is drawn apart from Misaki Gothic's (Misaki Mincho's is the same).
    Measure("MisakiGothic2nd", 8, {{Repertoire::Kana, 87.5, 93.5}, {Repertoire::Ascii, 89, 91}});
}

// A small game font as Japanese games lay theirs, in JIS X 0208's order: row 1's punctuation, row
// 3's digits and Latin, the kana of rows 4 and 5.
std::vector<char32_t> JisOrderFont(const ReferenceFont& face) {
    std::vector<char32_t> font;
    for (const auto& [first, last] : {std::pair{1, 1}, {3, 5}}) {
        for (char32_t c : JisRows(first, last)) {
            const auto ink = face.Draw(c, 8, 8, Rendering::Pixels).ink;
            if (face.Has(c) && std::any_of(ink.begin(), ink.end(), [](auto i) { return i != 0; }))
                font.push_back(c);
        }
    }
    return font;
}

// The font read twice, each glyph alone and the glyphs in the font's order.
std::pair<std::vector<GlyphSuggestion>, std::vector<GlyphSuggestion>> ReadAloneAndInOrder(
    GlyphMatcher& matcher, const ReferenceFont& face, const std::vector<char32_t>& font) {
    matcher.ReadInFontOrder(false);
    auto alone = testing::ReadStandIn(matcher, face, font, 8);
    matcher.ReadInFontOrder(true);
    auto inOrder = testing::ReadStandIn(matcher, face, font, 8);
    return {std::move(alone), std::move(inOrder)};
}

std::string Readings(const std::vector<GlyphSuggestion>& readings, std::size_t from,
                     std::size_t count) {
    std::string text;
    for (std::size_t i = from; i < from + count; ++i) text += Utf8(readings[i].Best());
    return text;
}

// At 8 x 8 the digits' shapes alone are not enough (Misaki Gothic's ２ reads as ⊇, its ８ as Ｂ);
// between their neighbours in the font they are.
TEST_F(GlyphMatcherAccuracyTest, AFontInJisOrderReadsItsDigitsAndPunctuationByTheirRuns) {
    const auto face = ReferenceFont::Open("MisakiGothic");
    ASSERT_TRUE(face.ok()) << face.error().reason;
    const std::vector<char32_t> font = JisOrderFont(face.value());
    auto [alone, inOrder] = ReadAloneAndInOrder(*matcher_, face.value(), font);
    const auto punctuation = [](char32_t c) { return testing::JisPunctuationOrDigit(c); };
    const Accuracy before = testing::Tally(alone, font, punctuation);
    const Accuracy after = testing::Tally(inOrder, font, punctuation);
    std::printf(
        "MisakiGothic  8x8  in JIS order: punctuation and digits, %zu glyphs, top-1 "
        "%.1f %% alone, %.1f %% in order\n",
        after.glyphs, before.Top1(), after.Top1());
    EXPECT_GE(after.Top1(), before.Top1() + 10);

    const std::size_t zero =
        static_cast<std::size_t>(std::find(font.begin(), font.end(), U'０') - font.begin());
    ASSERT_LT(zero + 10, font.size());
    // Its ０ is slashed, far from the reference's: that one its shape keeps.
    EXPECT_EQ(Readings(inOrder, zero + 1, 9), Utf8(U'１') + "２３４５６７８９");
    EXPECT_NE(Readings(alone, zero + 1, 9), Readings(inOrder, zero + 1, 9));
    EXPECT_EQ(inOrder[zero + 4].decidedBy, Evidence::Order);
    EXPECT_EQ(inOrder[zero + 4].why, "continues …２３４５６…");
}

// Where the glyphs do not continue each other, the order says nothing: row 3 shuffled reads as
// its glyphs read alone, and a kanji amid the kana keeps its reading.
TEST_F(GlyphMatcherAccuracyTest, AFontOutOfOrderIsNotForcedIntoRuns) {
    const auto face = ReferenceFont::Open("MisakiGothic");
    ASSERT_TRUE(face.ok()) << face.error().reason;
    std::vector<char32_t> font = JisOrderFont(face.value());
    const auto row3 = std::find(font.begin(), font.end(), U'０');
    const auto kana = std::find(font.begin(), font.end(), U'ぁ');
    ASSERT_LT(row3 + 60, kana);
    std::mt19937 random(7);
    std::shuffle(row3, kana, random);
    const auto za = std::find(font.begin(), font.end(), U'ざ');
    ASSERT_NE(za, font.end());
    *za = U'山';
    const std::size_t kanji = static_cast<std::size_t>(za - font.begin());

    auto [alone, inOrder] = ReadAloneAndInOrder(*matcher_, face.value(), font);
    // The middle of the shuffled row, out of reach of the ordered rows around it.
    const std::size_t middle = static_cast<std::size_t>(row3 - font.begin()) + 24;
    const std::size_t count = static_cast<std::size_t>(kana - row3) - 48;
    EXPECT_EQ(Readings(inOrder, middle, count), Readings(alone, middle, count));
    for (std::size_t i = middle; i < middle + count; ++i)
        EXPECT_EQ(inOrder[i].decidedBy, Evidence::Shape) << Utf8(font[i]) << ": " << inOrder[i].why;
    EXPECT_EQ(alone[kanji].Best(), U'山');
    EXPECT_EQ(inOrder[kanji].Best(), U'山');
    EXPECT_EQ(inOrder[kanji].decidedBy, Evidence::Shape);
    // The run breaks there: no glyph is made the ざ the run would have had.
    EXPECT_TRUE(std::none_of(inOrder.begin(), inOrder.end(),
                             [](const GlyphSuggestion& r) { return r.Best() == U'ざ'; }));
}

}  // namespace
}  // namespace glyphwright

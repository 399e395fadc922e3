// How well the matcher reads whole repertoires of stand-in game fonts, none of them the
// reference: Unifont-JP at 16 x 16 and Misaki Gothic at 8 x 8, and two faces it was not tuned on.
// Each figure has a floor a change must not fall below; the table is printed so a run shows where
// it stands.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
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

}  // namespace
}  // namespace glyphwright

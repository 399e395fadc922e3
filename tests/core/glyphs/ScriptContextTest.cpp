// The game's text as context for the glyphs the pixels leave unsure: a hand-made reading where
// only the text can tell, and a stand-in game (Misaki Gothic 8 x 8 in JIS order, with a script
// written in it) read with and without its text.

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "core/glyphs/ScriptContext.h"
#include "support/MatcherAccuracy.h"
#include "support/ScriptGame.h"

namespace glyphwright {
namespace {

GlyphSuggestion Reading(std::vector<Guess> ranked, float confidence) {
    GlyphSuggestion s;
    s.ranked = std::move(ranked);
    s.confidence = confidence;
    return s;
}

TEST(ScriptContextTest, TheTextDecidesAnUnsureGlyphAndLeavesASureOne) {
    // Codes 10 to 15: あ い う (sure), a glyph read as ト with 「 close behind, one read as ・
    // with 。 close behind, and a sure ト whose uses the text would rather see as 」.
    std::vector<GlyphSuggestion> readings = {
        Reading({{U'あ', 1}}, 0.9f),
        Reading({{U'い', 1}}, 0.9f),
        Reading({{U'う', 1}}, 0.9f),
        Reading({{U'ト', 1.0f}, {U'「', 1.1f}, {U'卜', 1.2f}}, 0.1f),
        Reading({{U'・', 1.0f}, {U'。', 1.2f}, {U'゜', 1.3f}}, 0.2f),
        Reading({{U'ト', 1.0f}, {U'」', 1.1f}}, 0.8f),
    };
    // 「あいう。」 00 いうあ。 00, six times: speech opens the first string, 。 ends both.
    const std::vector<std::uint8_t> once = {0x13, 0x10, 0x11, 0x12, 0x14, 0x15,
                                            0x00, 0x11, 0x12, 0x10, 0x14, 0x00};
    std::vector<std::uint8_t> text;
    for (int n = 0; n < 6; ++n) text.insert(text.end(), once.begin(), once.end());
    DecideByScript(readings, 0x10, text);

    EXPECT_EQ(readings[3].Best(), U'「');
    EXPECT_EQ(readings[3].decidedBy, Evidence::Script);
    EXPECT_EQ(Utf8Of(U'「') + "あいう。", readings[3].why.substr(0, 15));
    EXPECT_EQ(readings[4].Best(), U'。');
    EXPECT_EQ(readings[4].decidedBy, Evidence::Script);
    // The former best guess is still there to pick.
    EXPECT_EQ(readings[4].ranked[1].character, U'・');
    // Sure glyphs stay as the pixels read them, whatever the text would rather.
    EXPECT_EQ(readings[5].Best(), U'ト');
    EXPECT_EQ(readings[5].decidedBy, Evidence::Shape);
    EXPECT_EQ(readings[0].decidedBy, Evidence::Shape);
    EXPECT_TRUE(readings[0].why.empty());
}

TEST(ScriptContextTest, AGlyphWithoutUsesInTheTextStaysAsItsShapeReadIt) {
    std::vector<GlyphSuggestion> readings = {Reading({{U'ト', 1.0f}, {U'「', 1.05f}}, 0.05f),
                                             Reading({{U'あ', 1}}, 0.9f)};
    DecideByScript(readings, 0x20, std::vector<std::uint8_t>{0x21, 0x21, 0x00});
    EXPECT_EQ(readings[0].Best(), U'ト');
    EXPECT_EQ(readings[0].decidedBy, Evidence::Shape);
}

TEST(ScriptContextTest, TheScriptReadsMoreOfAStandInGameThanThePixelsAlone) {
    const auto game = testing::MakeScriptGame();
    if (!game) GTEST_SKIP() << "Misaki Gothic (fonts-misaki) is not installed";
    const auto matcher = testing::DefaultMatcher(RepertoireCharacters(
        {Repertoire::Kana, Repertoire::Ascii, Repertoire::FullWidth, Repertoire::Level1Kanji}));
    if (!matcher) GTEST_SKIP() << "the reference font is not installed";
    const auto without = testing::ScoreScriptGame(*matcher, *game, false);
    const auto with = testing::ScoreScriptGame(*matcher, *game, true);
    std::printf("without the script: %zu of %zu (punctuation and digits %zu of %zu)\n",
                without.right, without.glyphs, without.punctuationRight, without.punctuation);
    std::printf("with the script:    %zu of %zu (punctuation and digits %zu of %zu)\n", with.right,
                with.glyphs, with.punctuationRight, with.punctuation);
    for (const auto& [truth, read] : with.misses) {
        std::printf("  %s read as %s\n", testing::Utf8(truth).c_str(), testing::Utf8(read).c_str());
    }
    EXPECT_GT(with.right, without.right);
    EXPECT_GT(with.punctuationRight, without.punctuationRight);
}

}  // namespace
}  // namespace glyphwright

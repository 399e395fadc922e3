// The glyph matcher on glyphs of stand-in game fonts: a 16-pixel face (Unifont-JP) and an
// 8-pixel one (Misaki Gothic), read against the reference, Noto Sans CJK JP.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/glyphs/FontBlocks.h"
#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/LookAlikes.h"
#include "core/glyphs/OneEach.h"
#include "core/glyphs/ReferenceFont.h"
#include "core/glyphs/Repertoire.h"
#include "core/glyphs/TieBreak.h"
#include "core/glyphs/VoicedKana.h"
#include "core/glyphs/VoicingMarks.h"
#include "support/MatcherAccuracy.h"

namespace glyphwright {
namespace {

using testing::Utf8;

class GlyphMatcherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        matcher_ = testing::DefaultMatcher(RepertoireCharacters(
            {Repertoire::Kana, Repertoire::Ascii, Repertoire::FullWidth, Repertoire::Level1Kanji}));
        ASSERT_NE(matcher_, nullptr) << "Noto Sans CJK JP is not installed";
        auto unifont = ReferenceFont::Open("Unifont-JP");
        ASSERT_TRUE(unifont.ok()) << unifont.error().reason;
        sixteen_ = std::make_unique<ReferenceFont>(std::move(unifont).value());
        auto misaki = ReferenceFont::Open("MisakiGothic");
        ASSERT_TRUE(misaki.ok()) << misaki.error().reason;
        eight_ = std::make_unique<ReferenceFont>(std::move(misaki).value());
    }
    static void TearDownTestSuite() {
        matcher_.reset();
        sixteen_.reset();
        eight_.reset();
    }

    // The character as the game font of that size draws it, read by the matcher.
    static GlyphSuggestion Read(char32_t c, int size) {
        const ReferenceFont& font = size == 16 ? *sixteen_ : *eight_;
        return matcher_->Suggest(font.Draw(c, size, size, Rendering::Pixels));
    }

    static std::string Ranked(const GlyphSuggestion& s) {
        std::string out;
        for (const Guess& g : s.ranked) out += Utf8(g.character) + " ";
        return out;
    }

    static std::unique_ptr<GlyphMatcher> matcher_;
    static std::unique_ptr<ReferenceFont> sixteen_;
    static std::unique_ptr<ReferenceFont> eight_;
};

std::unique_ptr<GlyphMatcher> GlyphMatcherTest::matcher_;
std::unique_ptr<ReferenceFont> GlyphMatcherTest::sixteen_;
std::unique_ptr<ReferenceFont> GlyphMatcherTest::eight_;

TEST(RepertoireTest, TheKanjiAreJisX0208sLevelsAndTheOthersTheirRanges) {
    const auto level1 = RepertoireCharacters(Repertoire::Level1Kanji);
    ASSERT_EQ(level1.size(), 2965u);
    EXPECT_EQ(level1.front(), U'亜');
    EXPECT_EQ(level1.back(), U'腕');
    const auto level2 = RepertoireCharacters(Repertoire::Level2Kanji);
    ASSERT_EQ(level2.size(), 3390u);
    EXPECT_EQ(level2.front(), U'弌');
    EXPECT_EQ(level2.back(), U'熙');
    EXPECT_EQ(RepertoireCharacters(Repertoire::Ascii).size(), 94u);

    const auto kana = RepertoireCharacters(Repertoire::Kana);
    for (char32_t c : std::u32string(U"ぁあゔァヴヶーｱｧﾟ")) {
        EXPECT_NE(std::find(kana.begin(), kana.end(), c), kana.end()) << Utf8(c);
    }
    const auto wide = RepertoireCharacters(Repertoire::FullWidth);
    for (char32_t c : std::u32string(U"Ａｚ０、。「」・〇※")) {
        EXPECT_NE(std::find(wide.begin(), wide.end(), c), wide.end()) << Utf8(c);
    }
    // Each character once, even where JIS X 0208's rows and the full-width block overlap, and
    // the kana stay with the kana.
    EXPECT_EQ(std::set<char32_t>(wide.begin(), wide.end()).size(), wide.size());
    EXPECT_EQ(std::find(wide.begin(), wide.end(), U'ー'), wide.end());
    const auto all = RepertoireCharacters(
        {Repertoire::Kana, Repertoire::Ascii, Repertoire::FullWidth, Repertoire::Level1Kanji});
    EXPECT_EQ(std::set<char32_t>(all.begin(), all.end()).size(), all.size());
}

TEST(ReferenceFontTest, AFamilyThatIsNotInstalledIsRefusedNotReplaced) {
    const auto font = ReferenceFont::Open("No Such Family Glyphwright");
    ASSERT_FALSE(font.ok());
    EXPECT_EQ(font.error().family, "No Such Family Glyphwright");
}

// A bitmap face is drawn in its own pixels, its line in the middle of the cell; a file that is
// no font is refused.
TEST(ReferenceFontTest, ABitmapFaceIsDrawnInItsOwnPixels) {
    EXPECT_FALSE(ReferenceFont::OpenFile("/nonexistent/glyphwright.pcf.gz").ok());
    const auto face = ReferenceFont::OpenFile(GlyphMatcher::kDefaultPixelFace);
    ASSERT_TRUE(face.ok()) << "xfonts-base is not installed";
    const GlyphImage h = face.value().DrawOwnPixels(U'H', 4, 8);
    std::string rows;
    for (int y = 0; y < h.height; ++y) {
        for (int x = 0; x < h.width; ++x) rows += h.at(x, y) != 0 ? '#' : '.';
        rows += '\n';
    }
    // The face's 6-pixel line (5 above the baseline, 1 below) sits one pixel down in the
    // 8-pixel cell.
    EXPECT_EQ(rows, "....\n#.#.\n#.#.\n###.\n#.#.\n#.#.\n....\n....\n");
    EXPECT_EQ(face.value().DrawOwnPixels(U'あ', 4, 8).ink, std::vector<std::uint8_t>(4 * 8, 0));
}

TEST(ReferenceFontTest, SmallKanaAreDrawnSmallAndLowAsTheFontHasThem) {
    const auto font = ReferenceFont::Open("Noto Sans CJK JP");
    ASSERT_TRUE(font.ok());
    auto extent = [&](char32_t c) {
        const GlyphImage g = font.value().Draw(c, 32, 32, Rendering::Smooth);
        int top = g.height, bottom = -1;
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                if (g.at(x, y) > 128) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        return std::pair(top, bottom);
    };
    const auto [largeTop, largeBottom] = extent(U'や');
    const auto [smallTop, smallBottom] = extent(U'ゃ');
    EXPECT_GT(smallTop, largeTop + 3);
    EXPECT_LT(smallBottom - smallTop, largeBottom - largeTop - 4);
    EXPECT_NEAR(smallBottom, largeBottom, 2);
}

TEST_F(GlyphMatcherTest, KnownGlyphsReadAsThemselves) {
    for (char32_t c : std::u32string(U"あのンやっ漢字本語ロ〇0")) {
        const GlyphSuggestion s = Read(c, 16);
        EXPECT_EQ(s.Best(), c) << Utf8(c) << " at 16 read as " << Ranked(s);
        EXPECT_EQ(s.ranked.size(), GlyphMatcher::kRanked);
    }
    for (char32_t c : std::u32string(U"アンやつ字日本ヨ")) {
        const GlyphSuggestion s = Read(c, 8);
        EXPECT_EQ(s.Best(), c) << Utf8(c) << " at 8 read as " << Ranked(s);
    }
    // A clear reading is surer than a look-alike's.
    EXPECT_GT(Read(U'漢', 16).confidence, 0.9f);
    EXPECT_LT(Read(U'へ', 16).confidence, 0.2f);
}

TEST_F(GlyphMatcherTest, AGlyphWithoutInkHasNoSuggestion) {
    const GlyphImage blank{16, 16, std::vector<std::uint8_t>(256, 0)};
    const GlyphSuggestion s = matcher_->Suggest(blank);
    EXPECT_TRUE(s.ranked.empty());
    EXPECT_EQ(s.confidence, 0.f);
}

TEST_F(GlyphMatcherTest, SmallKanaAreToldFromLarge) {
    const std::vector<std::pair<char32_t, char32_t>> pairs = {
        {U'ゃ', U'や'}, {U'っ', U'つ'}, {U'ぁ', U'あ'}};
    for (auto [small, large] : pairs) {
        EXPECT_EQ(Read(small, 16).Best(), small) << Utf8(small) << " at 16";
        EXPECT_EQ(Read(large, 16).Best(), large) << Utf8(large) << " at 16";
    }
    for (auto [small, large] : {std::pair{U'ゃ', U'や'}, {U'っ', U'つ'}, {U'ァ', U'ア'}}) {
        EXPECT_EQ(Read(small, 8).Best(), small) << Utf8(small) << " at 8";
        EXPECT_EQ(Read(large, 8).Best(), large) << Utf8(large) << " at 8";
    }
}

TEST_F(GlyphMatcherTest, ReadTogetherTheFontsOwnSizesTellSmallFromLarge) {
    // Unifont draws its small kana a third smaller, Noto Sans CJK only a sixth: read alone, its
    // large ア comes closer to the reference's small ァ. Its c and C differ only in size.
    const std::u32string characters = U"アァイィCcSs";
    std::vector<GlyphImage> glyphs;
    for (char32_t c : characters) glyphs.push_back(sixteen_->Draw(c, 16, 16, Rendering::Pixels));
    const std::vector<GlyphSuggestion> readings = matcher_->SuggestAll(glyphs);
    ASSERT_EQ(readings.size(), characters.size());
    std::string read, truth;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        read += Utf8(readings[i].Best());
        truth += Utf8(characters[i]);
    }
    EXPECT_EQ(read, truth);
}

TEST_F(GlyphMatcherTest, ReadTogetherTheFontsOwnPlacingIsLearned) {
    // Unifont's ASCII, and the same set two pixels higher in its cells: read as a font, each
    // reads about as well, and better than glyph by glyph, which compares where each glyph sits
    // with where the reference sets it.
    const auto characters = testing::StandInCharacters(*sixteen_, Repertoire::Ascii, 16);
    auto readAsFont = [&](int raise, std::size_t& alone) {
        std::vector<GlyphImage> glyphs;
        for (char32_t c : characters) {
            const GlyphImage drawn = sixteen_->Draw(c, 16, 16, Rendering::Pixels);
            GlyphImage moved{16, 16, std::vector<std::uint8_t>(drawn.ink.size(), 0)};
            for (int y = raise; y < 16; ++y) {
                for (int x = 0; x < 16; ++x)
                    moved.ink[static_cast<std::size_t>((y - raise) * 16 + x)] = drawn.at(x, y);
            }
            glyphs.push_back(std::move(moved));
        }
        const std::vector<GlyphSuggestion> readings = matcher_->SuggestAll(glyphs);
        std::size_t right = 0;
        alone = 0;
        for (std::size_t i = 0; i < characters.size(); ++i) {
            if (readings[i].Best() == characters[i]) ++right;
            if (matcher_->Suggest(glyphs[i]).Best() == characters[i]) ++alone;
        }
        return right;
    };
    std::size_t alone = 0, raisedAlone = 0;
    const std::size_t asDrawn = readAsFont(0, alone);
    const std::size_t raised = readAsFont(2, raisedAlone);
    EXPECT_GE(raised + 3, asDrawn);
    EXPECT_GE(asDrawn, alone + 10);
    EXPECT_GE(raised, raisedAlone + 8);
}

TEST_F(GlyphMatcherTest, AGlyphReadInAScriptThePageDoesNotHoldIsReadAgainInItsScripts) {
    // Unifont's thin > reads as the half-width ﾝ, alone of its script on a page of ASCII; read
    // again among the page's scripts it is >, and ﾝ stays among its alternatives.
    const auto characters = testing::StandInCharacters(*sixteen_, Repertoire::Ascii, 16);
    std::vector<GlyphImage> glyphs;
    for (char32_t c : characters) glyphs.push_back(sixteen_->Draw(c, 16, 16, Rendering::Pixels));
    const std::size_t at = static_cast<std::size_t>(
        std::find(characters.begin(), characters.end(), U'>') - characters.begin());
    ASSERT_LT(at, characters.size());
    ASSERT_EQ(matcher_->Suggest(glyphs[at]).Best(), U'ﾝ');
    const std::vector<GlyphSuggestion> page = matcher_->SuggestAll(glyphs);
    EXPECT_EQ(page[at].Best(), U'>') << Ranked(page[at]);
    EXPECT_NE(Ranked(page[at]).find("ﾝ"), std::string::npos) << Ranked(page[at]);

    // Where the page is small, its scripts say too little: ten glyphs with one katakana keep it.
    const std::u32string few = U"かなナ漢字剣BxゔA";
    std::vector<GlyphImage> small;
    for (char32_t c : few) small.push_back(sixteen_->Draw(c, 16, 16, Rendering::Pixels));
    EXPECT_EQ(matcher_->SuggestAll(small)[2].Best(), U'ナ');
}

TEST_F(GlyphMatcherTest, LookAlikesComeOutAsNearTiesAndAreFlagged) {
    struct Case {
        char32_t drawn;
        char32_t other;
        int size;
    };
    const std::vector<Case> cases = {
        {U'へ', U'ヘ', 16}, {U'ヘ', U'へ', 16}, {U'カ', U'力', 16}, {U'力', U'カ', 16},
        {U'タ', U'夕', 16}, {U'夕', U'タ', 16}, {U'二', U'ニ', 16}, {U'へ', U'ヘ', 8},
        {U'ヘ', U'へ', 8},  {U'カ', U'力', 8},  {U'ト', U'卜', 8},  {U'卜', U'ト', 8},
        {U'ー', U'一', 8},  {U'一', U'ー', 8},
    };
    for (const Case& c : cases) {
        const GlyphSuggestion s = Read(c.drawn, c.size);
        std::vector<char32_t> close = s.nearTies;
        close.push_back(s.Best());
        const auto has = [&](char32_t x) {
            return std::find(close.begin(), close.end(), x) != close.end();
        };
        EXPECT_TRUE(has(c.drawn) && has(c.other) && s.lookAlike)
            << Utf8(c.drawn) << " at " << c.size << " read as " << Ranked(s);
    }
    // A clear reading has no near-tie to show.
    const GlyphSuggestion clear = Read(U'漢', 16);
    EXPECT_TRUE(clear.nearTies.empty());
    EXPECT_FALSE(clear.lookAlike);
    EXPECT_TRUE(LookAlike(U'0', U'〇'));
    EXPECT_TRUE(LookAlike(U',', U'，'));
    EXPECT_TRUE(LookAlike(U'ﾞ', U'゛'));
    EXPECT_EQ(WidthTwin(U'ｶ'), U'カ');
    EXPECT_EQ(WidthTwin(U'ン'), U'ﾝ');
    EXPECT_FALSE(LookAlike(U'あ', U'お'));
    const std::vector<char32_t> alike = LookAlikesOf(U'O');
    EXPECT_EQ(std::u32string(alike.begin(), alike.end()), U"Ｏ0〇○");
}

TEST(VoicingMarksTest, AGlyphThatIsAnotherWithAMarkIsItsVoicedOrSemiVoicedForm) {
    EXPECT_EQ(VoicingForms(U'ば'), (std::vector<char32_t>{U'は', U'ば', U'ぱ'}));
    EXPECT_EQ(VoicingForms(U'ヂ'), (std::vector<char32_t>{U'チ', U'ヂ'}));
    EXPECT_EQ(VoicingForms(U'ヺ'), (std::vector<char32_t>{U'ヲ', U'ヺ'}));
    EXPECT_TRUE(VoicingForms(U'ぁ').empty());

    // An 8 x 8 font drawn as bitmap fonts are: the voiced letters are the plain ones with two
    // dots added in the top right corner, the semi-voiced ones with a ring there.
    auto glyph = [](std::initializer_list<std::pair<int, int>> ink) {
        GlyphImage g{8, 8, std::vector<std::uint8_t>(64, 0)};
        for (auto [x, y] : ink) g.ink[static_cast<std::size_t>(y * 8 + x)] = 255;
        return g;
    };
    auto with = [](GlyphImage g, std::initializer_list<std::pair<int, int>> ink) {
        for (auto [x, y] : ink) g.ink[static_cast<std::size_t>(y * 8 + x)] = 255;
        return g;
    };
    const auto dots = {std::pair{5, 0}, {7, 0}};
    const auto ring = {std::pair{6, 0}, {5, 1}, {7, 1}, {6, 2}};
    const GlyphImage ka = glyph({{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {0, 3}, {2, 3}, {3, 3}});
    const GlyphImage sa = glyph({{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {2, 3}, {2, 4}, {2, 6}});
    const GlyphImage ha = glyph({{0, 2},
                                 {0, 3},
                                 {0, 4},
                                 {0, 5},
                                 {0, 6},
                                 {3, 3},
                                 {3, 4},
                                 {3, 5},
                                 {3, 6},
                                 {2, 4},
                                 {4, 4},
                                 {1, 4},
                                 {3, 7}});
    const std::vector<GlyphImage> font = {ka,
                                          with(ka, dots),
                                          sa,
                                          with(sa, dots),
                                          ha,
                                          with(ha, dots),
                                          with(ha, ring),
                                          GlyphImage{8, 8, std::vector<std::uint8_t>(64, 0)}};
    // Read one by one, the marks went astray: か read as が and the other way, ざ as さ, ば and
    // ぱ swapped.
    auto reading = [](std::initializer_list<char32_t> ranked) {
        GlyphSuggestion s;
        float distance = 1;
        for (char32_t c : ranked) s.ranked.push_back(Guess{c, distance += 0.1f});
        return s;
    };
    std::vector<GlyphSuggestion> readings = {
        reading({U'が', U'か', U'力'}), reading({U'か', U'が'}),
        reading({U'さ', U'き'}),        reading({U'さ', U'ざ', U'ぎ'}),
        reading({U'は', U'ば', U'ぱ'}), reading({U'ぱ', U'ば'}),
        reading({U'ば', U'ぱ', U'ほ'}), GlyphSuggestion{}};
    SettleVoicingMarks(font, readings);
    std::u32string read;
    for (const GlyphSuggestion& s : readings) read += s.ranked.empty() ? U'_' : s.Best();
    EXPECT_EQ(read, U"かがさざはばぱ_");
    // The voiced form the glyph was not read as comes in at the head; the guesses stay five or
    // fewer and each once.
    EXPECT_EQ(readings[3].ranked.size(), 3u);
    EXPECT_EQ(readings[3].ranked[1].character, U'さ');
}

TEST(VoicingMarksTest, EachLetterGoesToOnePairAndAMarkedGlyphReadAsItsLetterCounts) {
    auto glyph = [](std::initializer_list<std::pair<int, int>> ink) {
        GlyphImage g{8, 8, std::vector<std::uint8_t>(64, 0)};
        for (auto [x, y] : ink) g.ink[static_cast<std::size_t>(y * 8 + x)] = 255;
        return g;
    };
    auto marked = [](GlyphImage g) {
        g.ink[5] = g.ink[7] = 255;  // two dots in the top right corner
        return g;
    };
    const GlyphImage ta = glyph({{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {0, 6}, {1, 6}});
    const GlyphImage ku = glyph({{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}});
    const GlyphImage hu = glyph({{0, 7}, {1, 6}, {2, 5}, {3, 4}, {4, 3}, {5, 2}});
    const GlyphImage wo = glyph({{0, 1}, {2, 1}, {0, 2}, {2, 2}, {0, 3}, {2, 3}, {1, 4}});
    const GlyphImage ke = glyph({{6, 4}, {7, 4}, {6, 5}, {7, 5}, {6, 6}, {7, 6}, {6, 7}});
    const GlyphImage ko = glyph({{3, 6}, {4, 6}, {5, 6}, {3, 7}, {4, 7}, {5, 7}, {2, 0}});
    const std::vector<GlyphImage> font = {ta, marked(ta), ku, marked(ku), hu,
                                          marked(hu), wo, ke, ko};
    auto reading = [](std::initializer_list<char32_t> ranked, float confidence = 0) {
        GlyphSuggestion s;
        float distance = 1;
        for (char32_t c : ranked) s.ranked.push_back(Guess{c, distance += 0.1f});
        s.confidence = confidence;
        return s;
    };
    // At 8 pixels the marked glyphs read as plain letters. タ read as ク, ク surely ク; and フ
    // with its ブ read as ヲ, while the font's sure ヲ stands apart. Each letter goes to the pair
    // that agrees with it best, once: before, タ's pair took ク and ク's pair ウ, and フ's pair ヲ.
    // Two glyphs outside the pairs read as ク: one with ケ close behind takes it, one with
    // nothing close keeps ク.
    std::vector<GlyphSuggestion> readings = {
        reading({U'ク', U'タ'}),           reading({U'タ', U'ク'}),
        reading({U'ク', U'ウ'}, 1.0f),     reading({U'ク', U'ウ', U'ヴ'}),
        reading({U'フ', U'ワ', U'ヲ'}),    reading({U'ヲ', U'ウ', U'ラ', U'フ'}),
        reading({U'ヲ', U'ラ'}, 0.9f),     reading({U'ク', U'ケ'}),
        reading({U'ク'})};
    readings[8].ranked.push_back(Guess{U'コ', 3.0f});
    SettleVoicingMarks(font, readings);
    std::u32string read;
    for (const GlyphSuggestion& s : readings) read += s.Best();
    EXPECT_EQ(read, U"タダクグフブヲケク");
}

TEST(FontBlocksTest, AGlyphAmongASCIIIsASCIIWhereAnASCIIReadingCameClose) {
    auto reading = [](std::initializer_list<Guess> ranked, float confidence) {
        GlyphSuggestion s;
        s.ranked = ranked;
        s.confidence = confidence;
        return s;
    };
    const GlyphSuggestion sure = reading({{U'B', 1.0f}, {U'8', 2.0f}}, 0.9f);
    // A read as ﾊ with A close behind, a comma as the full-width one; an ﾏ whose ASCII
    // alternative lies far behind stays what its pixels say.
    const GlyphSuggestion a = reading({{U'ﾊ', 1.0f}, {U'A', 1.3f}}, 0.1f);
    const GlyphSuggestion comma = reading({{U'，', 1.0f}, {U',', 1.1f}}, 0.0f);
    const GlyphSuggestion ma = reading({{U'ﾏ', 1.0f}, {U'7', 1.8f}}, 0.1f);
    std::vector<GlyphSuggestion> font = {sure, sure, sure, a, sure, comma, sure, ma, sure, sure};
    SettleFontBlocks(font);
    EXPECT_EQ(font[3].Best(), U'A');
    EXPECT_EQ(font[3].ranked[1].character, U'ﾊ');
    EXPECT_EQ(font[5].Best(), U',');
    EXPECT_EQ(font[7].Best(), U'ﾏ');

    // A sure reading takes its twin in the other width, however close, only where the sure
    // neighbours on one side all stand in the twin's block: a full-width ｘ among ASCII is x, but
    // not with a sure ﾊ on either side (where it stands in its cell tells ｘ from x).
    const GlyphSuggestion wide = reading({{U'ｘ', 1.0f}, {U'x', 1.1f}}, 0.7f);
    const GlyphSuggestion ha = reading({{U'ﾊ', 1.0f}, {U'A', 1.1f}}, 0.7f);
    std::vector<GlyphSuggestion> amid = {sure, sure, sure, sure, wide, sure, sure, sure, sure};
    SettleFontBlocks(amid);
    EXPECT_EQ(amid[4].Best(), U'x');
    // (The sure full-width Ｙ further off keep full-width Latin among the page's scripts.)
    const GlyphSuggestion y = reading({{U'Ｙ', 1.0f}, {U'Y', 1.8f}}, 0.9f);
    std::vector<GlyphSuggestion> mixed = {y,    sure, sure, sure, ha,   sure, wide,
                                          sure, ha,   sure, sure, sure, y};
    SettleFontBlocks(mixed);
    EXPECT_EQ(mixed[6].Best(), U'ｘ');
    EXPECT_EQ(mixed[4].Best(), U'ﾊ');

    // Among hiragana, a hiragana near-tie wins over a katakana look-alike.
    const GlyphSuggestion hiragana = reading({{U'あ', 1.0f}, {U'お', 2.0f}}, 0.9f);
    GlyphSuggestion he = reading({{U'ヘ', 1.0f}, {U'へ', 1.01f}}, 0.0f);
    he.nearTies = {U'へ'};
    std::vector<GlyphSuggestion> text = {hiragana, hiragana, he, hiragana};
    SettleFontBlocks(text);
    EXPECT_EQ(text[2].Best(), U'へ');

    // Where the block changes, the neighbours disagree and say nothing.
    const GlyphSuggestion kana = reading({{U'ｱ', 1.0f}, {U'ｧ', 2.0f}}, 0.9f);
    std::vector<GlyphSuggestion> border = {sure, sure, sure, sure, a, kana, kana, kana};
    SettleFontBlocks(border);
    EXPECT_EQ(border[4].Best(), U'ﾊ');

    // A page of kana with no sure symbol on it: a ∂ with ょ close behind is ょ, however sure; one
    // with ょ far behind stays. Where sure symbols stand on the page, an unsure one stays too.
    std::vector<GlyphSuggestion> page(12, hiragana);
    page[3] = reading({{U'∂', 1.0f}, {U'ょ', 1.2f}}, 0.8f);
    page[8] = reading({{U'∂', 1.0f}, {U'ょ', 1.7f}}, 0.5f);
    SettleFontBlocks(page);
    EXPECT_EQ(page[3].Best(), U'ょ');
    EXPECT_EQ(page[8].Best(), U'∂');
    std::vector<GlyphSuggestion> symbols(12, hiragana);
    symbols[0] = symbols[11] = reading({{U'△', 1.0f}, {U'ム', 1.9f}}, 0.9f);
    symbols[5] = reading({{U'∂', 1.0f}, {U'ょ', 1.2f}}, 0.2f);
    SettleFontBlocks(symbols);
    EXPECT_EQ(symbols[5].Best(), U'∂');

    // The page's scripts come first, the neighbours after: a ° on a page of hiragana and
    // half-width kana becomes ゜, and among half-width kana its twin ﾟ.
    const GlyphSuggestion halfWidth = reading({{U'ｱ', 1.0f}, {U'ｧ', 2.0f}}, 0.9f);
    std::vector<GlyphSuggestion> marks(5, hiragana);
    marks.insert(marks.end(), 7, halfWidth);
    marks[8] = reading({{U'°', 1.0f}, {U'゜', 1.1f}, {U'ﾟ', 1.8f}}, 0.2f);
    SettleFontBlocks(marks);
    EXPECT_EQ(marks[8].Best(), U'ﾟ');
}

TEST(OneEachTest, GlyphsReadAsOneCharacterShareItOutByTheirAlternatives) {
    auto reading = [](std::initializer_list<Guess> ranked) {
        GlyphSuggestion s;
        s.ranked = ranked;
        return s;
    };
    auto picture = [](std::uint8_t dot) { return GlyphImage{2, 1, {dot, 255}}; };
    // ク read as ウ, with ク close behind, beside the glyph that is ウ: it takes ク. A glyph
    // whose alternatives all lie far behind keeps ウ, shared; so do two glyphs of one picture.
    std::vector<GlyphImage> font = {picture(1), picture(2), picture(3), picture(4), picture(4)};
    std::vector<GlyphSuggestion> readings = {
        reading({{U'ウ', 1.0f}, {U'ク', 1.4f}, {U'ワ', 1.9f}}),
        reading({{U'ウ', 0.5f}, {U'ワ', 1.2f}}),
        reading({{U'ウ', 1.0f}, {U'ラ', 2.5f}}),
        reading({{U'ロ', 1.0f}, {U'口', 1.1f}}),
        reading({{U'ロ', 1.0f}, {U'口', 1.1f}})};
    SettleOneEach(font, readings);
    std::u32string read;
    for (const GlyphSuggestion& r : readings) read += r.Best();
    EXPECT_EQ(read, U"クウウロロ");
    EXPECT_EQ(readings[0].ranked[1].character, U'ウ');

    // A width twin is the same shape, no way out of sharing: S read as s beside the glyph that
    // is s takes S, not the full-width ｓ.
    std::vector<GlyphImage> letters = {picture(1), picture(2)};
    std::vector<GlyphSuggestion> s = {reading({{U's', 0.47f}, {U'S', 0.72f}, {U'8', 1.1f}}),
                                      reading({{U's', 0.72f}, {U'ｓ', 0.75f}, {U'S', 1.6f}})};
    SettleOneEach(letters, s);
    EXPECT_EQ(s[0].Best(), U'S');
    EXPECT_EQ(s[1].Best(), U's');
}

TEST(TieBreakTest, TheScriptAroundIsTheNearestKanaOnBothSides) {
    EXPECT_EQ(ScriptAround(U"アカイ", 1), KanaScript::Katakana);
    EXPECT_EQ(ScriptAround(U"あかい", 1), KanaScript::Hiragana);
    EXPECT_EQ(ScriptAround(U"スーパー力", 4), KanaScript::Katakana);  // the long mark is skipped
    EXPECT_EQ(ScriptAround(U"「力」ア", 1), KanaScript::Katakana);    // punctuation is no kana
    EXPECT_EQ(ScriptAround(U"あ力ア", 1), KanaScript::Unknown);       // the sides disagree
    EXPECT_EQ(ScriptAround(U"漢力字", 1), KanaScript::Unknown);
    EXPECT_EQ(ScriptAround(U"ア漢字漢字力", 5), KanaScript::Unknown);  // too far away
    EXPECT_EQ(ScriptAround(U"力", 0), KanaScript::Unknown);
}

TEST_F(GlyphMatcherTest, AGlyphAmongKatakanaIsKatakana) {
    const GlyphSuggestion chikara = Read(U'力', 16);
    ASSERT_EQ(chikara.Best(), U'力');
    GlyphSuggestion amongKatakana = chikara;
    BreakTie(amongKatakana, KanaScript::Katakana);
    EXPECT_EQ(amongKatakana.Best(), U'カ');
    EXPECT_NE(std::find(amongKatakana.nearTies.begin(), amongKatakana.nearTies.end(), U'力'),
              amongKatakana.nearTies.end());
    GlyphSuggestion amongHiragana = chikara;
    BreakTie(amongHiragana, KanaScript::Hiragana);
    EXPECT_EQ(amongHiragana.Best(), U'力');

    GlyphSuggestion he = Read(U'ヘ', 16);
    BreakTie(he, KanaScript::Katakana);
    EXPECT_EQ(he.Best(), U'ヘ');
    BreakTie(he, KanaScript::Hiragana);
    EXPECT_EQ(he.Best(), U'へ');

    // A clear reading stays whatever the context.
    GlyphSuggestion kan = Read(U'漢', 16);
    BreakTie(kan, KanaScript::Katakana);
    EXPECT_EQ(kan.Best(), U'漢');
}

}  // namespace
}  // namespace glyphwright

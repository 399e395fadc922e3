// The glyph matcher: reading 256 glyphs of a 16 x 16 stand-in font against the 3,500 candidates
// of kana, ASCII, full-width and level-1 kanji with the references drawn, and the first drawing of
// those references apart. Then its accuracy on stand-in fonts beside the naive floor's: two the
// matcher was tuned on, and two it was not; the same faces laid as whole game fonts in JIS order,
// read without and with the font's order; and a stand-in game read with its text and without.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/ReferenceFont.h"
#include "core/glyphs/Repertoire.h"
#include "support/MatcherAccuracy.h"
#include "support/NaiveGlyphMatcher.h"
#include "support/ScriptGame.h"

namespace glyphwright::bench {
namespace {

constexpr const char* kReferenceFamily = "Noto Sans CJK JP";

std::vector<char32_t> BenchCandidates() {
    return RepertoireCharacters(
        {Repertoire::Kana, Repertoire::Ascii, Repertoire::FullWidth, Repertoire::Level1Kanji});
}

// 256 glyphs as a game font might hold them: the kana, then ASCII, then kanji, from Unifont-JP
// (or Misaki Gothic at 8 x 8).
std::vector<GlyphImage> GameGlyphs(int size) {
    const auto font = ReferenceFont::Open(size == 16 ? "Unifont-JP" : "MisakiGothic");
    if (!font.ok()) return {};
    std::vector<GlyphImage> glyphs;
    for (Repertoire r : {Repertoire::Kana, Repertoire::Ascii, Repertoire::Level1Kanji}) {
        for (char32_t c : RepertoireCharacters(r)) {
            if (glyphs.size() == 256) return glyphs;
            if (font.value().Has(c))
                glyphs.push_back(font.value().Draw(c, size, size, Rendering::Pixels));
        }
    }
    return glyphs;
}

void MatchFirstDrawing(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const auto candidates = BenchCandidates();
    for (auto _ : state) {
        const auto matcher = testing::DefaultMatcher(candidates);
        if (!matcher) {
            state.SkipWithError("the reference font is not installed");
            break;
        }
        matcher->Prepare(size, size);
        benchmark::DoNotOptimize(matcher);
    }
}
BENCHMARK(MatchFirstDrawing)
    ->Name(kMatchFirstDrawing)
    ->Arg(16)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond);

void Match256Glyphs(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const auto matcher = testing::DefaultMatcher(BenchCandidates());
    const std::vector<GlyphImage> glyphs = GameGlyphs(size);
    if (!matcher || glyphs.size() != 256) {
        state.SkipWithError("the reference or the stand-in font is not installed");
        return;
    }
    matcher->Prepare(size, size);
    state.counters["candidates"] = static_cast<double>(matcher->Candidates().size());
    // Read as the program reads a font: all together, the voicing marks and sizes settled
    // across it.
    for (auto _ : state) benchmark::DoNotOptimize(matcher->SuggestAll(glyphs));
}
BENCHMARK(Match256Glyphs)->Name(kMatch256)->Arg(16)->Arg(8)->Unit(benchmark::kMillisecond);

// The slowest page: ASCII at 8 x 8 (Misaki Gothic's, over and over), read once more with the
// references in whole pixels among the rest.
void Match256AsciiGlyphs(benchmark::State& state) {
    const auto matcher = testing::DefaultMatcher(BenchCandidates());
    const auto font = ReferenceFont::Open("MisakiGothic");
    if (!matcher || !font.ok()) {
        state.SkipWithError("the reference or the stand-in font is not installed");
        return;
    }
    std::vector<char32_t> ascii;
    for (char32_t c : RepertoireCharacters({Repertoire::Ascii})) {
        if (font.value().Has(c)) ascii.push_back(c);
    }
    std::vector<GlyphImage> glyphs;
    for (std::size_t i = 0; !ascii.empty() && glyphs.size() < 256; ++i)
        glyphs.push_back(font.value().Draw(ascii[i % ascii.size()], 8, 8, Rendering::Pixels));
    matcher->Prepare(8, 8);
    for (auto _ : state) benchmark::DoNotOptimize(matcher->SuggestAll(glyphs));
}
BENCHMARK(Match256AsciiGlyphs)->Name(kMatch256Ascii)->Arg(8)->Unit(benchmark::kMillisecond);

// What share of the glyphs is read with confidence 0.5 or more, and how many of those are right.
std::string Confident(const testing::Accuracy& a) {
    char text[48];
    std::snprintf(text, sizeof text, "%5.1f %% of glyphs, %5.1f %%",
                  a.glyphs == 0 ? 0.0 : 100.0 * double(a.confident) / double(a.glyphs),
                  a.confident == 0 ? 0.0 : 100.0 * double(a.confidentRight) / double(a.confident));
    return text;
}

// The stand-ins once more as whole game fonts laid in JIS order (row 1's punctuation, row 3's
// digits and Latin, the kana, the level-1 kanji), runs broken here and there: each read alone and
// in the font's order, with the time the whole font took on one core.
void PrintOrderedFontAccuracy(GlyphMatcher& matcher) {
    std::printf(
        "\nThe same faces as whole game fonts laid in JIS order (runs broken: every 41st "
        "character left out, every 53rd swapped with one far away), read without and with the "
        "font's order\n\n");
    std::printf("| %-15s | %-5s | %-5s | %6s | %-22s | %-22s | %-22s | %-22s |\n", "stand-in",
                "size", "order", "glyphs", "punctuation, digits", "full-width", "kana",
                "level-1 kanji");
    std::printf("| %-15s | %-5s | %-5s | %6s | %-22s | %-22s | %-22s | %-22s |\n", "", "", "",
                "(CPU)", "top-1 / top-5", "top-1 / top-5", "top-1 / top-5", "top-1 / top-5");
    std::printf(
        "|-----------------|-------|-------|--------|------------------------|-----------------"
        "-------|------------------------|------------------------|\n");
    struct Face {
        const char* family;
        int size;
    };
    for (Face face : {Face{"MisakiGothic", 8}, Face{"Unifont-JP", 16}, Face{"MisakiMincho", 8},
                      Face{"MisakiGothic2nd", 8}}) {
        const auto standIn = ReferenceFont::Open(face.family);
        if (!standIn.ok()) continue;
        const auto characters = testing::OrderedStandInCharacters(standIn.value(), face.size);
        matcher.Prepare(face.size, face.size);
        for (bool inOrder : {false, true}) {
            matcher.ReadInFontOrder(inOrder);
            const std::clock_t start = std::clock();
            auto readings = testing::ReadStandIn(matcher, standIn.value(), characters, face.size);
            const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
            auto cell = [&](auto counted) {
                const testing::Accuracy a = testing::Tally(readings, characters, counted);
                char text[32];
                std::snprintf(text, sizeof text, "%5.1f / %5.1f %% (%zu)", a.Top1(), a.Top5(),
                              a.glyphs);
                return std::string(text);
            };
            const auto punctuation = [](char32_t c) { return testing::JisPunctuationOrDigit(c); };
            const auto fullWidth = [](char32_t c) {
                return c < 0x3041 || (c >= 0xFF01 && c <= 0xFF5E);
            };
            const auto kana = [](char32_t c) {
                return c >= 0x3041 && c <= 0x30FF && !testing::JisPunctuationOrDigit(c);
            };
            const auto kanji = [](char32_t c) { return c >= 0x4E00 && c <= 0x9FFF; };
            char size[8], time[16];
            std::snprintf(size, sizeof size, "%2dx%-2d", face.size, face.size);
            std::snprintf(time, sizeof time, "%.1f s", seconds);
            std::printf("| %-15s | %-5s | %-5s | %6zu | %-22s | %-22s | %-22s | %-22s |\n",
                        face.family, size, inOrder ? "yes" : "no", characters.size(),
                        cell(punctuation).c_str(), cell(fullWidth).c_str(), cell(kana).c_str(),
                        cell(kanji).c_str());
            std::printf("| %-15s | %-5s | %-5s | %6s | %-22s | %-22s | %-22s | %-22s |\n", "", "",
                        "", time, "", "", "", "");
        }
        matcher.ReadInFontOrder(true);
    }
}

}  // namespace

void PrintMatcherAccuracy() {
    using testing::Accuracy;
    auto reference = ReferenceFont::Open(kReferenceFamily);
    if (!reference.ok()) {
        std::printf("\nglyph matcher accuracy: not measured (%s is not installed)\n",
                    kReferenceFamily);
        return;
    }
    const auto candidates = BenchCandidates();
    const ReferenceFont& referenceFont = reference.value();
    const auto defaultMatcher = testing::DefaultMatcher(candidates);
    GlyphMatcher& matcher = *defaultMatcher;
    std::printf(
        "\nGlyph matcher accuracy against %s (ASCII also DejaVu Sans Mono, and at 8 pixels X's "
        "4x6 fixed font), %zu candidates (kana, "
        "ASCII, full-width, "
        "level-1 kanji; level 2 against itself); the naive floor (blur, correlation at +-1 px) "
        "beside it, and each repertoire read against itself alone\n\n",
        kReferenceFamily, matcher.Candidates().size());
    std::printf("| %-12s | %-5s | %-9s | %6s | %7s | %7s | %9s | %9s | %-17s | %-13s | %-24s |\n",
                "stand-in", "size", "read", "glyphs", "top-1", "top-5", "floor t-1", "floor t-5",
                "look-alike misses", "alone t-1/t-5", "conf>=0.5: share, right");
    std::printf(
        "|--------------|-------|-----------|--------|---------|---------|-----------|------"
        "-----|-------------------|---------------|--------------------------|\n");
    struct Face {
        const char* family;
        int size;
    };
    // Misaki Mincho and Misaki Gothic 2nd were never used to choose how the matcher works: they
    // show how it does on faces it was not tuned on.
    for (Face face : {Face{"Unifont-JP", 16}, Face{"MisakiGothic", 8}, Face{"MisakiMincho", 8},
                      Face{"MisakiGothic2nd", 8}}) {
        const auto standIn = ReferenceFont::Open(face.family);
        if (!standIn.ok()) continue;
        const testing::NaiveGlyphMatcher naive(referenceFont, candidates, face.size);
        for (Repertoire r : {Repertoire::Kana, Repertoire::Ascii, Repertoire::FullWidth,
                             Repertoire::Level1Kanji, Repertoire::Level2Kanji}) {
            const auto characters = testing::StandInCharacters(standIn.value(), r, face.size);
            // Level 2 is not among the candidates: it is read against its own repertoire only.
            // Every repertoire is also read against itself alone, as when the user picks the one
            // repertoire a range of codes holds.
            const auto alone = testing::DefaultMatcher(RepertoireCharacters(r));
            const Accuracy own =
                testing::MeasureAccuracy(*alone, standIn.value(), characters, face.size);
            const Accuracy a =
                r == Repertoire::Level2Kanji
                    ? own
                    : testing::MeasureAccuracy(matcher, standIn.value(), characters, face.size);
            // The floor is slow: it reads every tenth kanji.
            std::size_t floorGlyphs = 0, floorTop1 = 0, floorTop5 = 0;
            const std::size_t step = r == Repertoire::Level1Kanji ? 10 : 1;
            if (r != Repertoire::Level2Kanji) {
                for (std::size_t i = 0; i < characters.size(); i += step) {
                    const auto ranked =
                        naive.Rank(standIn.value().Draw(characters[i], face.size, face.size,
                                                        Rendering::Pixels),
                                   5);
                    ++floorGlyphs;
                    if (!ranked.empty() && ranked[0] == characters[i]) ++floorTop1;
                    if (std::find(ranked.begin(), ranked.end(), characters[i]) != ranked.end())
                        ++floorTop5;
                }
            }
            char floor1[16] = "-", floor5[16] = "-";
            if (floorGlyphs > 0) {
                std::snprintf(floor1, sizeof floor1, "%.1f %%",
                              100.0 * double(floorTop1) / double(floorGlyphs));
                std::snprintf(floor5, sizeof floor5, "%.1f %%",
                              100.0 * double(floorTop5) / double(floorGlyphs));
            }
            char lookAlikes[32];
            std::snprintf(lookAlikes, sizeof lookAlikes, "%zu of %zu", a.lookAlikeMisses,
                          a.misses.size());
            std::printf(
                "| %-12s | %2dx%-2d | %-9s | %6zu | %5.1f %% | %5.1f %% | %9s | %9s | %-17s "
                "| %5.1f / %5.1f | %s |\n",
                face.family, face.size, face.size, std::string(RepertoireName(r)).c_str(), a.glyphs,
                a.Top1(), a.Top5(), floor1, floor5, lookAlikes, own.Top1(), own.Top5(),
                Confident(a).c_str());
        }
        // The kana once more, as if the game's text showed each among kana of its own script.
        const auto kana = testing::StandInCharacters(standIn.value(), Repertoire::Kana, face.size);
        const Accuracy inText =
            testing::MeasureAccuracy(matcher, standIn.value(), kana, face.size, true);
        std::printf(
            "| %-12s | %2dx%-2d | %-9s | %6zu | %5.1f %% | %5.1f %% | %9s | %9s | %zu of %-12zu "
            "| %13s | %s |\n",
            face.family, face.size, face.size, "kana,text", inText.glyphs, inText.Top1(),
            inText.Top5(), "", "", inText.lookAlikeMisses, inText.misses.size(), "",
            Confident(inText).c_str());
    }
    PrintOrderedFontAccuracy(matcher);

    // A stand-in game read with its script as context and without.
    if (const auto game = testing::MakeScriptGame()) {
        const auto without = testing::ScoreScriptGame(matcher, *game, false);
        const auto with = testing::ScoreScriptGame(matcher, *game, true);
        auto share = [](std::size_t right, std::size_t of) {
            return of == 0 ? 0.0 : 100.0 * double(right) / double(of);
        };
        std::printf(
            "\nThe game's text as context: Misaki Gothic 8x8 in JIS order (row 1 to 】, digits, "
            "kana) with a script written in it\n\n"
            "| %-22s | %6s | %-18s | %-18s |\n|------------------------|--------|------------"
            "--------|--------------------|\n",
            "read", "glyphs", "without the script", "with the script");
        std::printf("| %-22s | %6zu | %16.1f %% | %16.1f %% |\n", "all", with.glyphs,
                    share(without.right, without.glyphs), share(with.right, with.glyphs));
        std::printf("| %-22s | %6zu | %16.1f %% | %16.1f %% |\n", "punctuation and digits",
                    with.punctuation, share(without.punctuationRight, without.punctuation),
                    share(with.punctuationRight, with.punctuation));
    }
}

}  // namespace glyphwright::bench

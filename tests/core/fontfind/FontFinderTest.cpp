#include "core/fontfind/FontFinder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <random>

#include "core/compression/StreamScan.h"
#include "support/FontFinderMeasure.h"
#include "support/TempFolder.h"

namespace glyphwright {
namespace {

using test::FontStandIns;
using test::StandIn;
using test::StandInPlan;
using test::TempFolder;

GameFile WriteAndOpen(const TempFolder& folder, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder / "game.bin";
    test::WriteBytes(path, std::string(bytes.begin(), bytes.end()));
    auto opened = GameFile::Open(path);
    if (!opened) throw std::runtime_error("cannot open the stand-in");
    return std::move(opened).value();
}

TEST(StreamScan, FindsEveryPlantedStreamAndNothingElse) {
    const StandIn standIn = FontStandIns::Make(
        {"MisakiGothic", 8, 8, TileFormat::OneBpp, TileOrder::Across, Compression::Lz10, false,
         1u << 20, 31});
    ASSERT_GE(standIn.streams.size(), 4u);
    const TempFolder folder;
    const auto found = ScanStreams(WriteAndOpen(folder, standIn.bytes));
    ASSERT_TRUE(found);
    std::vector<std::uint64_t> offsets;
    for (const FoundStream& stream : found.value()) offsets.push_back(stream.offset);
    EXPECT_EQ(offsets, standIn.streams);
    // The font's stream, with its sizes.
    const auto font = std::find_if(found.value().begin(), found.value().end(),
                                   [&](const FoundStream& s) { return s.offset == standIn.offset; });
    ASSERT_NE(font, found.value().end());
    EXPECT_EQ(font->compression, Compression::Lz10);
    EXPECT_EQ(font->unpackedSize, standIn.count * 8);
}

TEST(StreamScan, ZerosOnesNoiseAndCancelling) {
    const TempFolder folder;
    std::vector<std::uint8_t> bytes(3u << 20, 0);
    EXPECT_TRUE(ScanStreams(WriteAndOpen(folder, bytes)).value().empty());
    std::fill(bytes.begin(), bytes.end(), 0xFF);
    EXPECT_TRUE(ScanStreams(WriteAndOpen(folder, bytes)).value().empty());
    std::mt19937 random(5);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    const GameFile noise = WriteAndOpen(folder, bytes);
    const auto found = ScanStreams(noise);
    ASSERT_TRUE(found);
    EXPECT_LE(found.value().size(), 2u);
    const auto stopped = ScanStreams(noise, [](std::uint64_t, std::uint64_t) { return false; });
    ASSERT_FALSE(stopped);
    EXPECT_TRUE(stopped.error().cancelled);
}

TEST(FontFinder, ABlankCellScoresNothingAndAGlyphMoreThanNoise) {
    GlyphImage blank{8, 8, std::vector<std::uint8_t>(64, 0)};
    EXPECT_EQ(CellScore(blank), 0);
    GlyphImage glyph = blank;  // a plus sign
    for (int i = 1; i < 6; ++i) {
        glyph.ink[static_cast<std::size_t>(3 * 8 + i)] = 255;
        glyph.ink[static_cast<std::size_t>(i * 8 + 3)] = 255;
    }
    GlyphImage noise = blank;
    std::mt19937 random(2);
    for (auto& ink : noise.ink) ink = random() % 2 == 0 ? 255 : 0;
    EXPECT_GT(CellScore(glyph), 0.6);
    EXPECT_LT(CellScore(noise), 0.3);
}

// A font drawn with a shadow in a second colour is as glyph-like as one without; two colours
// strewn apart from each other (planes of two glyphs read as one) are not.
TEST(FontFinder, AShadowInASecondColourKeepsAGlyphGlyphLike) {
    GlyphImage plus{8, 8, std::vector<std::uint8_t>(64, 0)};
    for (int i = 1; i < 6; ++i) {
        plus.ink[static_cast<std::size_t>(3 * 8 + i)] = 255;
        plus.ink[static_cast<std::size_t>(i * 8 + 3)] = 255;
    }
    GlyphImage shadowed = plus;
    for (int i = 2; i < 7; ++i) {  // below and right of each stroke
        auto& below = shadowed.ink[static_cast<std::size_t>(4 * 8 + i)];
        if (below == 0) below = 85;
        auto& right = shadowed.ink[static_cast<std::size_t>(i * 8 + 4)];
        if (right == 0) right = 85;
    }
    GlyphImage apart = plus;  // the same count of a second colour, in the corners
    for (const int at : {0, 1, 7, 8, 6 * 8, 7 * 8, 7 * 8 + 1, 6 * 8 + 7, 7 * 8 + 7, 7 * 8 + 6}) {
        apart.ink[static_cast<std::size_t>(at)] = 85;
    }
    EXPECT_GT(CellScore(shadowed), 0.9 * CellScore(plus));
    EXPECT_LT(CellScore(apart), 0.8 * CellScore(plus));
}

TEST(FontFinder, AFileThatShrinksWhileReadOrIsStoppedEndsInAFailure) {
    const TempFolder folder;
    const std::string path = folder / "game.bin";
    std::vector<std::uint8_t> bytes(3u << 20);
    std::mt19937 random(9);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    const GameFile file = WriteAndOpen(folder, bytes);
    bool cut = false;
    const auto shrunk = FindFonts(file, FontSearch{}, [&](std::uint64_t, std::uint64_t) {
        if (!cut) cut = ::truncate(path.c_str(), 1000) == 0;
        return true;
    });
    ASSERT_TRUE(cut);
    ASSERT_FALSE(shrunk);
    EXPECT_FALSE(shrunk.error().cancelled);
    EXPECT_EQ(shrunk.error().error.kind, GameFileProblem::SizeChanged);

    const GameFile whole = WriteAndOpen(folder, bytes);
    std::uint64_t told = 0;
    const auto stopped = FindFonts(whole, FontSearch{}, [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_LE(done, total);
        return ++told < 3;
    });
    ASSERT_FALSE(stopped);
    EXPECT_TRUE(stopped.error().cancelled);
}

TEST(FontFinder, ZerosAndOnesHoldNoFont) {
    const TempFolder folder;
    std::vector<std::uint8_t> bytes(1u << 20, 0);
    const auto zeros = FindFonts(WriteAndOpen(folder, bytes), FontSearch{});
    ASSERT_TRUE(zeros);
    EXPECT_TRUE(zeros.value().empty());
    std::fill(bytes.begin(), bytes.end(), 0xFF);
    const auto ones = FindFonts(WriteAndOpen(folder, bytes), FontSearch{});
    ASSERT_TRUE(ones);
    EXPECT_TRUE(ones.value().empty());
}

// Stand-in games of 256 KiB, 24 of them: the font first, or among the first three. The figures
// guarded are those the finder reaches today (20 and 21 of 24); the aims are 75 % and 90 %, and
// bench/ prints the figures beside them on games of 1 MiB.
TEST(FontFinder, FindsTheFontOfStandInGames) {
    const auto plans = test::StandInPlans(256u << 10, true);
    const TempFolder folder;
    std::size_t first = 0;
    std::size_t topThree = 0;
    for (const StandInPlan& plan : plans) {
        const StandIn standIn = FontStandIns::Make(plan);
        const auto found = FindFonts(WriteAndOpen(folder, standIn.bytes), FontSearch{});
        ASSERT_TRUE(found);
        const std::size_t place = test::PlaceOfFont(found.value(), standIn);
        first += place == 1 ? 1 : 0;
        topThree += place >= 1 && place <= 3 ? 1 : 0;
        std::string seen;
        for (std::size_t i = 0; i < std::min<std::size_t>(3, found.value().size()); ++i) {
            const FontCandidate& c = found.value()[i];
            seen += " [" + std::to_string(c.score).substr(0, 4) + " " +
                    std::string(CompressionName(c.compression)) + " " + std::to_string(c.offset) +
                    " " + std::string(TileFormatName(c.format.Tiles())) + " " +
                    GlyphSizeName(c.format.Width(), c.format.Height()) +
                    (c.format.Order() == TileOrder::Down ? "d" : "") + " " + std::to_string(c.count) + "]";
        }
        std::printf("seed %u %s %s %s at %llu: place %zu;%s\n", plan.seed,
                    std::string(TileFormatName(plan.tiles)).c_str(),
                    GlyphSizeName(plan.width, plan.height).c_str(),
                    std::string(CompressionName(plan.packing)).c_str(),
                    static_cast<unsigned long long>(standIn.offset), place, seen.c_str());
    }
    EXPECT_GE(first * 100, plans.size() * 83);
    EXPECT_GE(topThree * 100, plans.size() * 87);
}

}  // namespace
}  // namespace glyphwright

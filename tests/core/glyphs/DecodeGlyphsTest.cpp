#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/glyphs/DecodeGlyphs.h"
#include "core/glyphs/GlyphFormat.h"
#include "support/GlyphEncoder.h"
#include "support/TempFolder.h"

namespace glyphwright {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::GlyphEncoder;
using test::IndexedGlyph;

GlyphFormat Format(TileFormat tiles, int width, int height, TileOrder order = TileOrder::Across) {
    return GlyphFormat::Make(tiles, width, height, order).value();
}

// The ink each palette index must come out as: spread evenly from 0 to 255.
std::vector<std::uint8_t> ExpectedInk(const IndexedGlyph& glyph, const GlyphFormat& format) {
    std::vector<std::uint8_t> ink;
    for (const int index : glyph.index) {
        ink.push_back(static_cast<std::uint8_t>(index * 255 / format.MaxIndex()));
    }
    return ink;
}

std::vector<GlyphFormat> EveryFormatAndLayout() {
    std::vector<GlyphFormat> formats;
    for (const TileFormat tiles : AllTileFormats()) {
        const GlyphFormat probe = Format(tiles, 8, 8);
        if (probe.IsTiled()) {
            for (const auto order : {TileOrder::Across, TileOrder::Down}) {
                for (const int width : {8, 16, 24, 32}) {
                    for (const int height : {8, 16, 24, 32}) {
                        formats.push_back(Format(tiles, width, height, order));
                    }
                }
            }
        } else {
            for (int width = 4; width <= 32; ++width) {
                for (int height = 4; height <= 32; ++height) {
                    formats.push_back(Format(tiles, width, height));
                }
            }
        }
    }
    return formats;
}

// The encoder is held to the formats' definitions by hand-written bytes: pixel (1, 0) holds
// the highest index, (0, 1) index 1, (7, 7) index 2 where there is one, everything else 0.
TEST(DecodeGlyphsTest, EachFormatReadsTheBytesItsConsolesWrite) {
    IndexedGlyph drawn{8, 8, std::vector<int>(64, 0)};
    struct Case {
        TileFormat tiles;
        Bytes bytes;
    };
    const auto bytes = [](std::size_t size, std::vector<std::pair<std::size_t, std::uint8_t>> set) {
        Bytes out(size, 0);
        for (const auto& [at, value] : set) out[at] = value;
        return out;
    };
    const std::vector<Case> cases = {
        {TileFormat::OneBpp, bytes(8, {{0, 0x40}, {1, 0x80}, {7, 0x01}})},
        // index 3 at (1,0): both planes; index 1 at (0,1): plane 0; index 2 at (7,7): plane 1.
        {TileFormat::Nes2bpp, bytes(16, {{0, 0x40}, {8, 0x40}, {1, 0x80}, {15, 0x01}})},
        {TileFormat::Gb2bpp, bytes(16, {{0, 0x40}, {1, 0x40}, {2, 0x80}, {15, 0x01}})},
        {TileFormat::Snes4bpp,
         bytes(32, {{0, 0x40}, {1, 0x40}, {16, 0x40}, {17, 0x40}, {2, 0x80}, {15, 0x01}})},
        {TileFormat::Gba4bpp, bytes(32, {{0, 0xF0}, {4, 0x01}, {31, 0x20}})},
        {TileFormat::EightBpp, bytes(64, {{1, 0xFF}, {8, 0x01}, {63, 0x02}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(TileFormatName(c.tiles)));
        const GlyphFormat format = Format(c.tiles, 8, 8);
        drawn.index.assign(64, 0);
        drawn.index[1] = format.MaxIndex();
        drawn.index[8] = 1;
        drawn.index[63] = format.MaxIndex() == 1 ? 1 : 2;
        EXPECT_EQ(GlyphEncoder::Encode(drawn, format), c.bytes);
        EXPECT_EQ(DecodeGlyph(c.bytes, format).ink, ExpectedInk(drawn, format));
    }
    // A 12-wide bitmap row takes two bytes padded, a byte and a half packed.
    IndexedGlyph wide{12, 4, std::vector<int>(48, 0)};
    wide.index[11] = 1;      // last pixel of row 0
    wide.index[12 + 0] = 1;  // first pixel of row 1
    EXPECT_EQ(GlyphEncoder::Encode(wide, Format(TileFormat::Bitmap, 12, 4)),
              (Bytes{0x00, 0x10, 0x80, 0x00, 0, 0, 0, 0}));
    EXPECT_EQ(GlyphEncoder::Encode(wide, Format(TileFormat::BitmapPacked, 12, 4)),
              (Bytes{0x00, 0x18, 0, 0, 0, 0}));
}

TEST(DecodeGlyphsTest, TilesOfAGlyphGoAcrossOrDown) {
    // The second tile's bytes all ink: across, it is the top right; down, the bottom left.
    Bytes bytes(32, 0);
    std::fill(bytes.begin() + 8, bytes.begin() + 16, 0xFF);
    const GlyphImage across = DecodeGlyph(bytes, Format(TileFormat::OneBpp, 16, 16));
    const GlyphImage down = DecodeGlyph(bytes, Format(TileFormat::OneBpp, 16, 16, TileOrder::Down));
    EXPECT_EQ(across.at(12, 3), 255);
    EXPECT_EQ(across.at(3, 12), 0);
    EXPECT_EQ(down.at(12, 3), 0);
    EXPECT_EQ(down.at(3, 12), 255);
}

TEST(DecodeGlyphsTest, RandomPixelsComeBackInEveryFormatAndLayout) {
    std::mt19937 random(18);
    for (const GlyphFormat& format : EveryFormatAndLayout()) {
        for (int round = 0; round < 3; ++round) {
            const IndexedGlyph drawn = GlyphEncoder::Random(format, random);
            const Bytes bytes = GlyphEncoder::Encode(drawn, format);
            ASSERT_EQ(bytes.size(), format.BytesPerGlyph());
            const GlyphImage decoded = DecodeGlyph(bytes, format);
            ASSERT_EQ(decoded.width, format.Width());
            ASSERT_EQ(decoded.height, format.Height());
            ASSERT_EQ(decoded.ink, ExpectedInk(drawn, format))
                << TileFormatName(format.Tiles()) << ' '
                << GlyphSizeName(format.Width(), format.Height()) << ' '
                << TileOrderName(format.Order());
        }
    }
}

TEST(DecodeGlyphsTest, NamesAndSizes) {
    for (const TileFormat tiles : AllTileFormats()) {
        EXPECT_EQ(ParseTileFormat(TileFormatName(tiles)), tiles);
    }
    EXPECT_EQ(AllTileFormats().size(), 8u);
    EXPECT_EQ(ParseTileFormat("bitmap-packed"), TileFormat::BitmapPacked);
    EXPECT_EQ(ParseTileFormat("NES2BPP"), std::nullopt);
    EXPECT_EQ(ParseTileOrder("down"), TileOrder::Down);
    EXPECT_EQ(ParseTileOrder("up"), std::nullopt);
    EXPECT_EQ(ParseGlyphSize("16x12"), (GlyphSize{16, 12}));
    for (const char* bad : {"16", "x8", "8x", "8x8x8", "8 x8", "-8x8", "8X8", "0x10"}) {
        EXPECT_EQ(ParseGlyphSize(bad).has_value(), std::string(bad) == "0x10") << bad;
    }

    EXPECT_EQ(Format(TileFormat::Snes4bpp, 16, 16).BytesPerGlyph(), 128u);
    EXPECT_EQ(Format(TileFormat::Bitmap, 12, 12).BytesPerGlyph(), 24u);
    EXPECT_EQ(Format(TileFormat::BitmapPacked, 12, 12).BytesPerGlyph(), 18u);
    EXPECT_EQ(Format(TileFormat::BitmapPacked, 5, 5).BytesPerGlyph(), 4u);  // 25 bits
    EXPECT_EQ(GlyphFormat::Make(TileFormat::Gb2bpp, 12, 8).error(),
              GlyphFormatProblem::NotWholeTiles);
    EXPECT_EQ(GlyphFormat::Make(TileFormat::Gb2bpp, 0, 8).error(),
              GlyphFormatProblem::NotWholeTiles);
    EXPECT_EQ(GlyphFormat::Make(TileFormat::EightBpp, 40, 8).error(),
              GlyphFormatProblem::OutOfRange);
    EXPECT_EQ(GlyphFormat::Make(TileFormat::Bitmap, 3, 8).error(), GlyphFormatProblem::OutOfRange);
    EXPECT_EQ(GlyphFormat::Make(TileFormat::BitmapPacked, 8, 33).error(),
              GlyphFormatProblem::OutOfRange);
}

class DecodeFromFileTest : public ::testing::Test {
protected:
    GameFile Write(const Bytes& bytes) {
        test::WriteBytes(path_, std::string(bytes.begin(), bytes.end()));
        return GameFile::Open(path_).value();
    }

    test::TempFolder folder_;
    std::string path_ = folder_ / "game.bin";
};

TEST_F(DecodeFromFileTest, OffsetsNeedNotFallOnWholeTilesAndTheLastGlyphMayBeCutShort) {
    Bytes bytes(20);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0x11 * i);
    const GameFile file = Write(bytes);
    const GlyphFormat format;                    // 8 bytes a glyph
    EXPECT_EQ(GlyphsInFile(20, 3, format), 3u);  // from 3, 11 and 19

    const auto glyphs = DecodeGlyphs(file, 3, format, 0, 10).value();
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[0].ink, DecodeGlyph(Bytes(bytes.begin() + 3, bytes.begin() + 11), format).ink);
    EXPECT_EQ(glyphs[1].ink,
              DecodeGlyph(Bytes(bytes.begin() + 11, bytes.begin() + 19), format).ink);
    // Only byte 19 (0x?? at row 0) is in the file; the rows after it are ground.
    Bytes cut(8, 0);
    cut[0] = bytes[19];
    EXPECT_EQ(glyphs[2].ink, DecodeGlyph(cut, format).ink);
    EXPECT_NE(glyphs[2].ink, std::vector<std::uint8_t>(64, 0));

    // From glyph 2 on there is one; from glyph 3 on, or from past the end, none.
    EXPECT_EQ(DecodeGlyphs(file, 3, format, 2, 5).value().size(), 1u);
    EXPECT_TRUE(DecodeGlyphs(file, 3, format, 3, 5).value().empty());
    EXPECT_TRUE(DecodeGlyphs(file, 20, format, 0, 5).value().empty());
    EXPECT_TRUE(
        DecodeGlyphs(file, ~std::uint64_t{0}, format, ~std::uint64_t{0}, 5).value().empty());
    EXPECT_TRUE(DecodeGlyphs(file, 0, format, 0, 0).value().empty());
}

TEST_F(DecodeFromFileTest, ManyGlyphsAreReadInPiecesAndAgreeWithOneByOne) {
    const GlyphFormat format = Format(TileFormat::EightBpp, 8, 8);  // 64 bytes a glyph
    std::mt19937 random(7);
    Bytes bytes(3000 * 64 + 5);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    const GameFile file = Write(bytes);
    const auto glyphs = DecodeGlyphs(file, 5, format, 10, 5000).value();
    ASSERT_EQ(glyphs.size(), 2990u);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(5 + (10 + i) * 64);
        ASSERT_EQ(glyphs[i].ink, Bytes(start, start + 64)) << i;
    }
}

TEST_F(DecodeFromFileTest, AFileChangedSinceOpeningIsAFailure) {
    const GameFile file = Write(Bytes(64, 0xFF));
    ASSERT_EQ(::truncate(path_.c_str(), 16), 0);
    const auto glyphs = DecodeGlyphs(file, 0, GlyphFormat{}, 0, 8);
    ASSERT_FALSE(glyphs);
    EXPECT_EQ(glyphs.error().kind, GameFileProblem::SizeChanged);
}

}  // namespace
}  // namespace glyphwright

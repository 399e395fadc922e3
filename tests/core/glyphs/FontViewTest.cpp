#include <gtest/gtest.h>

#include <string>

#include "core/glyphs/DecodeGlyphs.h"
#include "core/glyphs/FontView.h"
#include "support/TempFolder.h"

namespace glyphwright {
namespace {

using Step = FontView::Step;

class FontViewTest : public ::testing::Test {
protected:
    FontView Viewing(std::size_t size, const std::string& name = "game.bin") {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
        test::WriteBytes(folder_ / name, bytes);
        FontView view;
        view.SetFile(GameFile::Open(folder_ / name).value());
        return view;
    }

    test::TempFolder folder_;
};

TEST_F(FontViewTest, StepsByAByteAGlyphARowAndAPageStayingInTheFileAndOnTheGrid) {
    FontView view = Viewing(100000);
    view.SetFormat(GlyphFormat::Make(TileFormat::Gb2bpp, 8, 8).value());  // 16 bytes a glyph
    view.StepOffset(Step::Byte, 3);
    EXPECT_EQ(view.Offset(), 3u);
    view.StepOffset(Step::Glyph, 2);
    EXPECT_EQ(view.Offset(), 35u);
    view.StepOffset(Step::Row, 1);
    EXPECT_EQ(view.Offset(), 35u + 256);
    view.StepOffset(Step::Page, 1);
    EXPECT_EQ(view.Offset(), 35u + 256 + 4096);
    view.StepOffset(Step::Page, -2);
    EXPECT_EQ(view.Offset(), 35u + 256);  // only one whole page lies behind
    // Back past the start: as many whole steps as fit, so glyphs keep their grid.
    view.SetOffset(35 + 4096);
    view.StepOffset(Step::Page, -5);
    EXPECT_EQ(view.Offset(), 35u);
    view.StepOffset(Step::Glyph, -100);
    EXPECT_EQ(view.Offset(), 3u);
    view.StepOffset(Step::Byte, -100);
    EXPECT_EQ(view.Offset(), 0u);
    // Forward past the end: the last whole step inside the file.
    view.StepOffset(Step::Page, 1000);
    EXPECT_EQ(view.Offset(), 99999u / 4096 * 4096);
    view.StepOffset(Step::Byte, 1 << 30);
    EXPECT_EQ(view.Offset(), 99999u);
    EXPECT_EQ(view.GlyphsShown(), 1);
    view.SetOffset(1u << 31);
    EXPECT_EQ(view.Offset(), 99999u);
    view.StepOffset(Step::Page, INT64_MIN);
    EXPECT_EQ(view.Offset(), 99999u % 4096);
}

TEST_F(FontViewTest, TheSelectionMovesThePageAtItsEdgesAndStopsAtTheFilesEnds) {
    FontView view = Viewing(8 * 300);  // 300 glyphs of 1bpp 8x8
    view.MoveSelection(0, -1);
    EXPECT_EQ(view.Selected(), 0);
    view.MoveSelection(-1, 0);
    EXPECT_EQ(view.Selected(), 0);
    view.MoveSelection(3, 15);
    EXPECT_EQ(view.Selected(), 243);
    view.MoveSelection(0, 1);  // below the page: the page moves a row
    EXPECT_EQ(view.Offset(), 128u);
    EXPECT_EQ(view.Selected(), 243);
    EXPECT_EQ(view.GlyphOffset(view.Selected()), 8u * (16 + 243));
    view.MoveSelection(0, 1);
    view.MoveSelection(0, 1);  // glyph 291 then none: 307 would be past glyph 299
    EXPECT_EQ(view.GlyphOffset(view.Selected()), 8u * 291);
    view.MoveSelection(9, 0);
    EXPECT_EQ(view.GlyphOffset(view.Selected()), 8u * 291);
    view.MoveSelection(8, 0);
    EXPECT_EQ(view.GlyphOffset(view.Selected()), 8u * 299);
    view.SetOffset(8);
    view.Select(0);
    view.MoveSelection(0, -1);  // less than a row above: the page cannot move a whole row
    EXPECT_EQ(view.Offset(), 8u);
    EXPECT_EQ(view.Selected(), 0);
    view.Select(1000);
    EXPECT_EQ(view.Selected(), view.GlyphsShown() - 1);
    // A shorter page takes the selection along.
    view.SetOffset(8 * 290);
    EXPECT_EQ(view.Selected(), 9);
}

TEST_F(FontViewTest, ThePageIsDecodedFromItsOffsetAndCodesComeFromTheGivenFunction) {
    FontView view = Viewing(8 * 300 + 3);
    view.SetOffset(3);
    const auto glyphs = view.Decode().value();
    ASSERT_EQ(glyphs.size(), 256u);
    const GameFile& file = *view.File();
    EXPECT_EQ(glyphs[17].ink, DecodeGlyphs(file, 3 + 17 * 8, GlyphFormat{}, 0, 1).value()[0].ink);

    EXPECT_FALSE(view.HasCodes());
    EXPECT_EQ(view.CodeOf(0), std::nullopt);
    // The glyph at 3 + 8 * 2 is code 40; glyphs before code 00 or after FF have none.
    view.SetCodeForGlyph([](std::uint64_t offset) -> std::optional<ByteCode> {
        const auto code = 0x40 + (static_cast<std::int64_t>(offset) - 19) / 8;
        if (code < 0 || code > 0xFF) return std::nullopt;
        return static_cast<ByteCode>(code);
    });
    EXPECT_TRUE(view.HasCodes());
    EXPECT_EQ(view.CodeOf(2), 0x40);
    EXPECT_EQ(view.CodeOf(5), 0x43);
    view.StepOffset(Step::Row, 1);
    EXPECT_EQ(view.CodeOf(2), 0x50);

    // An empty file shows nothing, and nothing moves.
    FontView empty = Viewing(0, "empty.bin");
    empty.StepOffset(Step::Page, 1);
    empty.MoveSelection(1, 1);
    EXPECT_EQ(empty.Offset(), 0u);
    EXPECT_EQ(empty.GlyphsShown(), 0);
    EXPECT_TRUE(empty.Decode().value().empty());

    view.SetFile(std::nullopt);
    EXPECT_EQ(view.GlyphsShown(), 0);
    EXPECT_EQ(view.Offset(), 0u);
    EXPECT_TRUE(view.Decode().value().empty());
}

TEST_F(FontViewTest, UnpackedBytesAreReadInsteadOfTheFileAndCountedByThemselves) {
    // 100 glyphs of 8 bytes unpacked, in a file of 5000: offsets, steps and the page are theirs.
    FontView view = Viewing(5000);
    std::vector<std::uint8_t> unpacked(800);
    for (std::size_t i = 0; i < unpacked.size(); ++i) {
        unpacked[i] = static_cast<std::uint8_t>(i * 13 + 1);
    }
    view.SetOffset(4000);
    const std::uint64_t fileSource = view.Source();
    view.SetUnpacked(std::make_shared<const std::vector<std::uint8_t>>(unpacked));
    EXPECT_TRUE(view.ReadsUnpacked());
    EXPECT_NE(view.Source(), fileSource);
    EXPECT_EQ(view.Offset(), 799u);  // the file's offset does not fit in them
    view.SetOffset(16);
    EXPECT_EQ(view.GlyphsShown(), 98);
    view.StepOffset(Step::Page, 1);  // less than a page ahead: stays
    EXPECT_EQ(view.Offset(), 16u);
    const auto glyphs = view.Decode().value();
    ASSERT_EQ(glyphs.size(), 98u);
    EXPECT_EQ(glyphs[5].ink,
              DecodeGlyph(std::span(unpacked).subspan(16 + 5 * 8, 8), GlyphFormat{}).ink);

    // Empty (a stream that did not unpack): nothing shown.
    view.SetUnpacked(std::make_shared<const std::vector<std::uint8_t>>());
    EXPECT_EQ(view.GlyphsShown(), 0);
    EXPECT_TRUE(view.Decode().value().empty());
    // None: the file again.
    view.SetUnpacked(nullptr);
    EXPECT_FALSE(view.ReadsUnpacked());
    view.SetOffset(4000);
    EXPECT_EQ(view.GlyphsShown(), 125);
}

}  // namespace
}  // namespace glyphwright

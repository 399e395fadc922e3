// A font's anchor gives each glyph its code: the glyphs out of step with it, and those that would
// fall before 00 or past FF, have none. A character anchors only where the table holds it once.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/table/AssembleTable.h"
#include "core/glyphs/DecodeGlyphs.h"
#include "core/text/EucJp.h"
#include "core/glyphs/FontAnchor.h"
#include "core/glyphs/ReferenceFont.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

TEST(FontAnchor, CodesFollowTheAnchorGlyphByGlyphWithinTheCodes) {
    const FontAnchor anchor{0x1000, 0x10};
    constexpr std::uint32_t kBytes = 32;
    EXPECT_EQ(AnchoredCode(anchor, kBytes, 0x1000), std::optional<ByteCode>(0x10));
    EXPECT_EQ(AnchoredCode(anchor, kBytes, 0x1000 + 5 * kBytes), std::optional<ByteCode>(0x15));
    EXPECT_EQ(AnchoredCode(anchor, kBytes, 0x1000 - 0x10 * kBytes), std::optional<ByteCode>(0));
    EXPECT_EQ(AnchoredCode(anchor, kBytes, 0x1000 - 0x11 * kBytes), std::nullopt);
    EXPECT_EQ(AnchoredCode(anchor, kBytes, 0x1000 + 0xEF * kBytes), std::optional<ByteCode>(0xFF));
    EXPECT_EQ(AnchoredCode(anchor, kBytes, 0x1000 + 0xF0 * kBytes), std::nullopt);
    EXPECT_EQ(AnchoredCode(anchor, kBytes, 0x1000 + 0x1000 * kBytes), std::nullopt);
    EXPECT_EQ(AnchoredCode(anchor, kBytes, 0x1001), std::nullopt);  // a byte out of step
    EXPECT_EQ(AnchoredOffset(anchor, kBytes, 0x00), std::optional<std::uint64_t>(0xE00));
    EXPECT_EQ(AnchoredOffset({0x20, 0x10}, kBytes, 0x00), std::nullopt);  // before the file
}

TEST(FontAnchor, ACharacterAnchorsOnlyWhereTheTableHoldsItOnce) {
    CodeTable table{};
    table[0x02] = "あ";
    table[0x30] = "王";
    table[0x31] = "王";
    EXPECT_EQ(OnlyCodeHolding(table, "あ"), std::optional<ByteCode>(0x02));
    EXPECT_EQ(OnlyCodeHolding(table, "王"), std::nullopt);
    EXPECT_EQ(OnlyCodeHolding(table, "い"), std::nullopt);
    EXPECT_EQ(OnlyCodeHolding(table, ""), std::nullopt);
}

// The one character of a UTF-8 text of one character.
char32_t OnlyCharacter(const std::string& utf8) {
    const auto byte = [&utf8](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (byte(0) < 0x80) return byte(0);
    if (byte(0) < 0xE0) return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
}

// A stand-in game with a 16x16 font of 403 glyphs drawn from Unifont-JP, one per code value in
// order: kana and digits on the one-byte codes 00-FB, FC-FF blank, then the alphabets and ASCII
// on the two-byte values 0100-0192, laid from a two-byte start. Anchored by a character, every
// glyph's label is the code of its value (two bytes past FF, in the byte order), and the table
// holds there the very character drawn at that glyph.
TEST(FontAnchor, AFontOfMoreThan256GlyphsIsLabelledPastFFInEitherByteOrder) {
    auto unifont = ReferenceFont::Open("Unifont-JP");
    ASSERT_TRUE(unifont.ok()) << "fonts-unifont is needed";
    const GlyphFormat format = GlyphFormat::Make(TileFormat::Bitmap, 16, 16).value();
    constexpr std::uint32_t kGlyphBytes = 32;
    constexpr std::uint64_t kFontOffset = 0x40;
    constexpr int kGlyphs = 0x193;

    for (const CodeOrder order16 : {CodeOrder::BigEndian, CodeOrder::LittleEndian}) {
        TableOrder order;
        test::RecordOrder(order, {{"Hiragana (JIS order)"},
                                  {"Katakana (JIS order)"},
                                  {"Half-width Katakana"},
                                  {"0-9"},
                                  {"Handakuten"},
                                  {"Uppercase Alphabet"},
                                  {"Lowercase Alphabet"},
                                  {"ASCII"}});
        order.SetStartCode(5, CodeOfValue(0x0100, order16));
        const Workspace made = TableAsMadeNow(Workspace{}, order, "00", order16);
        ASSERT_EQ(made.LastCode, 0xFB);
        ASSERT_EQ(made.TableText.TwoByte().size(), 26U + 26U + 95U);

        // The code of each glyph's value, and the font drawn in that order.
        const auto codeOf = [order16](int value) {
            return value < 0x100 ? TableCode::OneByte(static_cast<ByteCode>(value))
                                 : CodeOfValue(static_cast<std::uint16_t>(value), order16);
        };
        const auto drawn = [&](TableCode code) {
            const std::string bytes = code.IsTwoByte() ? [&] {
                const auto held = made.TableText.TwoByte().find(code.Stored());
                return held == made.TableText.TwoByte().end() ? std::string() : held->second.text;
            }()
                                                       : made.TableText[code.FirstByte()];
            if (bytes.empty()) return GlyphImage{16, 16, std::vector<std::uint8_t>(256, 0)};
            return unifont.value().Draw(OnlyCharacter(bytes), 16, 16,
                                        Rendering::Pixels);
        };
        std::vector<std::uint8_t> game(kFontOffset, 0x5A);
        for (int value = 0; value < kGlyphs; ++value) {
            const GlyphImage glyph = drawn(codeOf(value));
            for (int y = 0; y < 16; ++y) {
                std::uint16_t row = 0;
                for (int x = 0; x < 16; ++x) {
                    if (glyph.at(x, y) >= 128) row |= static_cast<std::uint16_t>(0x8000 >> x);
                }
                game.push_back(static_cast<std::uint8_t>(row >> 8));
                game.push_back(static_cast<std::uint8_t>(row & 0xFF));
            }
        }

        // The user picks the glyph showing "あ" and types the character: the table holds it once.
        // "K" it holds twice, in the alphabet and in ASCII: no anchor.
        EXPECT_EQ(OnlyCodeHolding(made, "K"), std::nullopt);
        const auto anchored = OnlyCodeHolding(made, std::string("あ"));
        ASSERT_TRUE(anchored.has_value());
        const int first = anchored->FirstByte();  // its place in the JIS order
        const FontAnchor anchor{
            kFontOffset + std::uint64_t{kGlyphBytes} * static_cast<std::uint64_t>(first),
            *anchored};
        // Anchored at a two-byte code instead ("#", held once), every glyph is numbered in two
        // bytes, the one-byte values too: a game of two-byte codes only has such codes.
        const auto wide = OnlyCodeHolding(made, "#");
        ASSERT_EQ(wide, codeOf(0x137));
        const FontAnchor wideAnchor{kFontOffset + 0x137 * kGlyphBytes, *wide};
        EXPECT_EQ(CodeOfGlyph(wideAnchor, kGlyphBytes, kFontOffset + 0xFF * kGlyphBytes, order16),
                  CodeOfValue(0x00FF, order16));
        EXPECT_EQ(CodeOfGlyph(wideAnchor, kGlyphBytes, kFontOffset + 0x192 * kGlyphBytes, order16),
                  codeOf(0x192));

        std::vector<std::string> labels;
        for (int value = 0; value < kGlyphs; ++value) {
            const std::uint64_t offset =
                kFontOffset + std::uint64_t{kGlyphBytes} * static_cast<std::uint64_t>(value);
            const auto code = CodeOfGlyph(anchor, kGlyphBytes, offset, order16);
            ASSERT_EQ(code, codeOf(value)) << value;
            ASSERT_EQ(OffsetOfCode(anchor, kGlyphBytes, *code, order16), offset) << value;
            const GlyphImage read = DecodeGlyph(
                std::span(game).subspan(static_cast<std::size_t>(offset), kGlyphBytes), format);
            const GlyphImage expected = drawn(*code);
            for (std::size_t i = 0; i < read.ink.size(); ++i) {
                ASSERT_EQ(read.ink[i] >= 128, expected.ink[i] >= 128) << value << " pixel " << i;
            }
            if (value == 0xFF || value == 0x100 || value == 0x192) labels.push_back(code->Hex());
        }
        EXPECT_EQ(labels, order16 == CodeOrder::BigEndian
                              ? (std::vector<std::string>{"FF", "0100", "0192"})
                              : (std::vector<std::string>{"FF", "0001", "9201"}));
        // Before the font's first glyph there is no code, nor a one-byte value as two bytes.
        EXPECT_EQ(CodeOfGlyph(anchor, kGlyphBytes, kFontOffset - kGlyphBytes, order16),
                  std::nullopt);
        EXPECT_EQ(OffsetOfCode(anchor, kGlyphBytes, CodeOfValue(0x00FF, order16), order16),
                  std::nullopt);
    }
}

}  // namespace
}  // namespace glyphwright

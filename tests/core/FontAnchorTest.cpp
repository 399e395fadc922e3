// A font's anchor gives each glyph its code: the glyphs out of step with it, and those that would
// fall before 00 or past FF, have none. A character anchors only where the table holds it once.
#include <gtest/gtest.h>

#include "core/FontAnchor.h"

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
    table[0x02] = "\xA4\xA2";
    table[0x30] = "\xB2\xA6";
    table[0x31] = "\xB2\xA6";
    EXPECT_EQ(OnlyCodeHolding(table, "\xA4\xA2"), std::optional<ByteCode>(0x02));
    EXPECT_EQ(OnlyCodeHolding(table, "\xB2\xA6"), std::nullopt);
    EXPECT_EQ(OnlyCodeHolding(table, "\xA4\xA4"), std::nullopt);
    EXPECT_EQ(OnlyCodeHolding(table, ""), std::nullopt);
}

}  // namespace
}  // namespace glyphwright

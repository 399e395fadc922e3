#include <gtest/gtest.h>

#include "core/script/PointerBlocks.h"

namespace glyphwright {
namespace {

TEST(PointerBlocks, ReadsEveryKindAndRefusesWhatIsNone) {
    const auto block = ReadPointerBlock("100:48:le16+4000");
    ASSERT_TRUE(block);
    EXPECT_EQ(block.value(), (PointerBlock{0x100, 48, {PointerKind::Map::Linear, 2, false, 0x4000}}));
    EXPECT_EQ(ReadPointerKind("be24-A000").value(),
              (PointerKind{PointerKind::Map::Linear, 3, true, -0xA000}));
    EXPECT_EQ(ReadPointerKind("le32").value(), (PointerKind{PointerKind::Map::Linear, 4, false, 0}));
    EXPECT_EQ(ReadPointerKind("nes+3").value(), (PointerKind{PointerKind::Map::Nes, 2, false, 3}));
    for (const char* name : {"le16", "be16", "le24+10", "be32-8", "gba", "lorom", "hirom", "nes", "nes+1F"}) {
        const auto kind = ReadPointerKind(name);
        ASSERT_TRUE(kind) << name;
        EXPECT_EQ(PointerKindName(kind.value()), name);
    }
    EXPECT_EQ(ReadPointerBlock("100:48").error(), PointerBlockError::Shape);
    EXPECT_EQ(ReadPointerBlock("10G:48:le16").error(), PointerBlockError::Offset);
    EXPECT_EQ(ReadPointerBlock("100:0:le16").error(), PointerBlockError::Count);
    EXPECT_EQ(ReadPointerBlock("100:1A:le16").error(), PointerBlockError::Count);
    for (const char* bad : {"le8", "le16+", "le16*4", "me16", "nes-1", "gba+4", "LE16"}) {
        EXPECT_EQ(ReadPointerKind(bad).error(), PointerBlockError::Kind) << bad;
    }
    EXPECT_EQ(ReadByteRange("8000:9000").value(), (ByteRange{0x8000, 0x9000}));
    EXPECT_EQ(ReadByteRange("9000:8000").error(), PointerBlockError::Empty);
    EXPECT_EQ(ReadByteRange("9000").error(), PointerBlockError::Shape);
}

TEST(PointerBlocks, MapsValuesToOffsetsAndTheInserterWritesThemBack) {
    struct Case {
        const char* kind;
        std::uint32_t value;
        std::uint64_t offset;
    };
    for (const Case& c : {Case{"le16+4000", 0x1234, 0x5234}, Case{"be16-10", 0x1234, 0x1224},
                          Case{"gba", 0x08123456, 0x123456}, Case{"lorom", 0x8AC123, 0x54123},
                          Case{"lorom", 0x0A8000, 0x50000}, Case{"hirom", 0xC12345, 0x12345},
                          Case{"hirom", 0x412345, 0x12345}, Case{"nes+2", 0x8123, 0x8133}}) {
        const PointerKind kind = ReadPointerKind(c.kind).value();
        EXPECT_EQ(OffsetOf(kind, c.value), c.offset) << c.kind;
        EXPECT_EQ(InserterPointerFor(kind, c.value).ValueFor(c.offset), c.value) << c.kind;
    }
    // Values that stand for no place of a file.
    EXPECT_FALSE(OffsetOf(ReadPointerKind("le16-10").value(), 0x8));
    EXPECT_FALSE(OffsetOf(ReadPointerKind("gba").value(), 0x02000000));
    EXPECT_FALSE(OffsetOf(ReadPointerKind("lorom").value(), 0x0A1234));
    EXPECT_FALSE(OffsetOf(ReadPointerKind("nes").value(), 0x6000));
    // Byte order.
    const std::uint8_t bytes[] = {0x12, 0x34, 0x56};
    EXPECT_EQ(PointerValue(ReadPointerKind("le24").value(), bytes), 0x563412u);
    EXPECT_EQ(PointerValue(ReadPointerKind("be24").value(), bytes), 0x123456u);
}

}  // namespace
}  // namespace glyphwright

#include <gtest/gtest.h>

#include "core/table/TableEntries.h"

namespace glyphwright {
namespace {

// One store for both widths: what is put is what is read, by entry, by text and by kind.
TEST(TableEntries, PutsAndReadsBothWidths) {
    TableEntries table;
    EXPECT_FALSE(table.HoldsAny());
    table.Put(TableCode::OneByte(0x10), {"あ", EntryKind::Ordinary});
    table.Put(TableCode::OneByte(0xFE), {"end", EntryKind::EndCode});
    table.Put(TableCode::TwoByte(0x8140), {"漢", EntryKind::Ordinary});
    // Unicode as given, EUC-JP or not: ゔ and 𠮷 have no EUC-JP code.
    table.Put(TableCode::OneByte(0x11), {"ゔ", EntryKind::Ordinary});
    table.Put(TableCode::TwoByte(0x8141), {"𠮷", EntryKind::Ordinary});

    EXPECT_EQ(table.At(0x10), (TableEntry{"あ", EntryKind::Ordinary}));
    EXPECT_EQ(table.At(0x11).text, "ゔ");
    EXPECT_EQ(table.At(0xFE).kind, EntryKind::EndCode);
    EXPECT_EQ(table[0xFE], "end");
    EXPECT_EQ(table.Texts()[0x10], "あ");
    EXPECT_EQ(table.Kinds()[0xFE], EntryKind::EndCode);
    EXPECT_EQ(table.At(TableCode::TwoByte(0x8141)).text, "𠮷");
    // The one-byte code 81 and the two-byte code 0081 are other codes.
    EXPECT_EQ(table.At(0x81), TableEntry{});
    EXPECT_EQ(table.At(TableCode::TwoByte(0x0081)), TableEntry{});
    EXPECT_EQ(table.TwoByte().size(), 2U);
    EXPECT_TRUE(table.HoldsAny());
}

// An empty ordinary entry is no entry: it takes a two-byte code away and empties a one-byte one;
// a control code with no text is still an entry.
TEST(TableEntries, AnEmptyOrdinaryEntryTakesTheCodeAway) {
    TableEntries table;
    table.Put(TableCode::TwoByte(0x8140), {"漢", EntryKind::Ordinary});
    table.Put(TableCode::OneByte(0x20), {"x", EntryKind::EndCode});
    table.Put(TableCode::TwoByte(0x8140), {});
    table.Put(TableCode::OneByte(0x20), {});
    EXPECT_TRUE(table.TwoByte().empty());
    EXPECT_EQ(table.Kinds()[0x20], EntryKind::Ordinary);
    EXPECT_EQ(table[0x20], "");
    EXPECT_FALSE(table.HoldsAny());
    EXPECT_EQ(table, TableEntries{});

    table.Put(TableCode::TwoByte(0xFFFE), {"", EntryKind::LineBreak});
    EXPECT_TRUE(table.HoldsAny());
    EXPECT_EQ(table.At(TableCode::TwoByte(0xFFFE)).kind, EntryKind::LineBreak);
}

}  // namespace
}  // namespace glyphwright

#include "core/text/TextThroughTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/EucJp.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

std::string Texts(const std::vector<TextCell>& cells) {
    std::string joined;
    for (const TextCell& cell : cells) joined += cell.text + "|";
    return joined;
}

// Digits laid from 30 over what the table held there, the file from 10: an entry, an end code, a
// line break, and a two-byte entry.
DocumentContents Contents() {
    DocumentContents contents;
    test::RecordOrder(contents.order, {{"0-9", 0x30}});
    contents.startCode = "10";
    contents.table.TableText.Put(0x10, {"あ"});
    contents.table.TableText.Put(0x11, {"end", EntryKind::EndCode});
    contents.table.TableText.Put(0x12, {"\\n", EntryKind::LineBreak});
    contents.table.TableText.Put(0x30, {"held", EntryKind::EndCode});  // the digits lie over it
    contents.table.TableText.Put(TableCode::TwoByte(0x1440), {"漢"});
    return contents;
}

TEST(TextThroughTableTest, EachCodeReadsAsMakeTableWouldWriteIt) {
    const DocumentContents contents = Contents();
    const ShownCodes codes = CodesAsShown(contents);
    EXPECT_EQ(codes.oneByte.first, 0x10);
    EXPECT_EQ(codes.oneByte.last, 0x39);
    EXPECT_EQ(codes.oneByte.codes[0x30], "0");
    EXPECT_EQ(codes.kinds[0x30], EntryKind::Ordinary);     // what the order lays is text
    // Nothing laid on two bytes: no copy.
    EXPECT_EQ(&codes.TwoByte(), &contents.table.TableText.TwoByte());

    const std::vector<std::uint8_t> bytes{0x10, 0x30, 0x12, 0x14, 0x40, 0x13,
                                          0x14, 0x41, 0x15, 0x11, 0x05, 0x40};
    const std::vector<TextCell> cells = ReadCodesThroughTable(bytes, codes);
    EXPECT_EQ(Texts(cells), "あ|0|\u21B5|漢||[13]|[14]|<41>|[15]|{end}|<05>|<40>|");
    ASSERT_EQ(cells.size(), bytes.size());  // one cell a byte
    for (std::size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ(cells[i].code, bytes[i]) << i;
    // The second byte of a two-byte code read is known and empty; unknown codes are not known,
    // and only one-byte codes outside 10..39 are outside.
    EXPECT_TRUE(cells[4].known);
    EXPECT_FALSE(cells[5].known);
    EXPECT_FALSE(cells[6].known || cells[7].known || cells[6].outside);
    EXPECT_TRUE(cells[7].outside);
    EXPECT_TRUE(cells[10].outside && cells[11].outside);
    EXPECT_TRUE(ReadCodesThroughTable({}, codes).empty());
}

// Two-byte members are laid over a copy of the entries in the document's byte order; an order
// that cannot be laid shows the table as held.
TEST(TextThroughTableTest, TwoByteMembersAreLaidInTheByteOrder) {
    DocumentContents contents = Contents();
    contents.order.SetStartCode(0, TableCode::TwoByte(0x3014));  // stored: the value 1430
    contents.codeOrder = CodeOrder::LittleEndian;
    const ShownCodes codes = CodesAsShown(contents);
    ASSERT_TRUE(codes.laid.has_value());
    EXPECT_EQ(codes.TwoByte().at(0x3114).text, "1");  // the value 1431, low byte first
    EXPECT_EQ(codes.TwoByte().at(0x1440).text, "漢");
    EXPECT_EQ(Texts(ReadCodesThroughTable(std::vector<std::uint8_t>{0x31, 0x14}, codes)), "1||");

    contents.startCode = "G";
    const ShownCodes notLaid = CodesAsShown(contents);
    EXPECT_TRUE(notLaid.oneByte.notLaid.has_value());
    EXPECT_EQ(notLaid.oneByte.codes[0x30], "held");
    EXPECT_EQ(notLaid.kinds[0x30], EntryKind::EndCode);
}

}  // namespace
}  // namespace glyphwright

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/sets/BuiltInSets.h"
#include "core/text/GameText.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

using test::RecordOrder;

std::string Texts(const std::vector<TextCell>& cells) {
    std::string joined;
    for (const TextCell& cell : cells) joined += cell.text;
    return joined;
}

TEST(GameTextTest, TheOrderIsLaidOverTheTableFromTheTypedStartCode) {
    CodeTable table{};
    table[0x05] = "。";  // a single entry, "。", where nothing is laid
    table[0x21] = "X";         // held now, but Hiragana lays い over it
    TableOrder order;
    RecordOrder(order, {{"Hiragana"}, {"0-9", 0xC0}});

    const ShownTable shown = TableAsShown(table, order, "20");
    EXPECT_FALSE(shown.notLaid.has_value());
    EXPECT_EQ(shown.codes[0x05], "。");
    EXPECT_EQ(shown.codes[0x20], FindBuiltInSet("Hiragana")->text(0));
    EXPECT_EQ(shown.codes[0x21], FindBuiltInSet("Hiragana")->text(1));
    EXPECT_EQ(shown.codes[0xC9], "9");
    EXPECT_EQ(shown.codes[0x1F], "");
    EXPECT_EQ(shown.codes[0xCA], "");
    EXPECT_EQ(table[0x21], "X");  // the table itself is untouched
}

TEST(GameTextTest, AnOrderThatCannotBeLaidLeavesTheTableAsItStandsAndSaysWhy) {
    CodeTable table{};
    table[0x30] = "A";
    TableOrder order;
    RecordOrder(order, {{"Hiragana"}});

    for (const char* typed : {"", " 20", "G1", "100"}) {
        const ShownTable shown = TableAsShown(table, order, typed);
        ASSERT_TRUE(shown.notLaid.has_value()) << typed;
        EXPECT_EQ(std::get<HexError>(*shown.notLaid),
                  std::string_view(typed) == "100" ? HexError::OutOfRange : HexError::NotANumber);
        EXPECT_EQ(shown.codes, table);
    }

    const ShownTable pastFF = TableAsShown(table, order, "D0");  // 50 members from D0 end at 101
    ASSERT_TRUE(pastFF.notLaid.has_value());
    const auto& error = std::get<AssemblyError>(*pastFF.notLaid);
    EXPECT_EQ(error.kind, AssemblyError::Kind::PastFF);
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(pastFF.codes, table);  // not even the members that would fit

    TableOrder noSet;
    RecordOrder(noSet, {{"hiragana"}});
    const ShownTable nothing = TableAsShown(table, noSet, "00");
    ASSERT_TRUE(nothing.notLaid.has_value());
    EXPECT_EQ(std::get<AssemblyError>(*nothing.notLaid).kind, AssemblyError::Kind::NothingToLay);
}

TEST(GameTextTest, EachByteIsOneCodeReadThroughTheTable) {
    CodeTable table{};
    table[0x20] = "あ";
    table[0x21] = "い";
    table[0x41] = "..";  // a DTE pair
    const std::vector<std::uint8_t> bytes{0x20, 0x21, 0x00, 0x41, 0xFF, 0x42, 0x20};

    const std::vector<TextCell> cells = ReadThroughTable(bytes, table);
    EXPECT_EQ(Texts(cells), "あい[00]..[FF][42]あ");
    ASSERT_EQ(cells.size(), bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        EXPECT_EQ(cells[i].code, bytes[i]);
        EXPECT_EQ(cells[i].known, bytes[i] == 0x20 || bytes[i] == 0x21 || bytes[i] == 0x41) << i;
    }
    EXPECT_TRUE(ReadThroughTable({}, table).empty());
}

// Hiragana laid from 20 by its own start, the file from 30: こ (29) is laid but not written, so
// the game text must not read it as if the file held it.
TEST(GameTextTest, CodesTheFileWillNotHoldAreMarkedAsSuch) {
    TableOrder order;
    RecordOrder(order, {{"Hiragana", 0x20}});
    const ShownTable shown = TableAsShown(CodeTable{}, order, "30");
    ASSERT_FALSE(shown.notLaid.has_value());
    EXPECT_EQ(shown.first, 0x30);
    EXPECT_EQ(shown.last, 0x20 + 49);
    const std::vector<std::uint8_t> hello{0x29, 0x4D, 0x35, 0x30, 0x39, 0x60};  // こんにちは, past
    const std::vector<TextCell> cells =
        ReadThroughTable(hello, shown.codes, shown.first, shown.last);
    EXPECT_EQ(Texts(cells), "<29>んにちは<60>");
    EXPECT_TRUE(cells[0].outside);
    EXPECT_FALSE(cells[0].known);
    EXPECT_FALSE(cells[1].outside);
}

// Two-byte lines are laid in the byte order asked for beside the codes held; an order that cannot
// be laid shows the two-byte codes as held, and says why.
TEST(GameTextTest, TwoByteCodesAreShownLaidInTheByteOrder) {
    TableOrder order;
    test::RecordOrder(order, {{"0-9"}});
    order.SetStartCode(0, TableCode::TwoByte(0x0080));
    Workspace table;
    table.TableText.Put(TableCode::TwoByte(0x8140), {"held"});
    const ShownTable shown = TableAsShown(table, order, "00", CodeOrder::LittleEndian);
    EXPECT_FALSE(shown.notLaid);
    EXPECT_EQ(shown.twoByte.size(), 11U);
    EXPECT_EQ(shown.twoByte.at(0x0980).text, "9");  // the value 8009, low byte first
    EXPECT_EQ(shown.twoByte.at(0x8140).text, "held");

    const ShownTable notLaid = TableAsShown(table, order, "G", CodeOrder::LittleEndian);
    EXPECT_TRUE(notLaid.notLaid);
    EXPECT_EQ(notLaid.twoByte, table.TableText.TwoByte());
}

}  // namespace
}  // namespace glyphwright

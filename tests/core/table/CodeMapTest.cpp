#include "core/table/CodeMap.h"

#include <gtest/gtest.h>

#include "support/TableOrder.h"

namespace glyphwright {

// Readable failures.
void PrintTo(const MapCell& cell, std::ostream* out) {
    *out << "{\"" << cell.text << "\" source " << static_cast<int>(cell.source) << " line "
         << cell.line << " overlaps " << cell.overlaps << " replaces \"" << cell.replaces
         << "\" inRange " << cell.inRange << "}";
}

namespace {

using test::RecordOrder;

const MapCell& Cell(const CodeMap& map, int code) {
    return map.cells[static_cast<std::size_t>(code)];
}

TEST(CodeMapTest, TellsWhereEachCodeComesFrom) {
    TableOrder order;
    // 0-9 at 10..19; Uppercase from 15 over five of its digits; a single entry's line lays nothing.
    RecordOrder(order, {{"0-9", 0x10}, {"Uppercase Alphabet", 0x15}});
    ASSERT_TRUE(order.AppendEntryLine("!?"));
    CodeTable table{};
    table[0x05] = "!?";   // a single entry below the range: held, written (00-0F always)
    table[0x16] = "old";  // an earlier slot the letters lay over
    table[0x40] = "B";    // held above the range, and B again at 16

    const CodeMap map = ComposeCodeMap(table, order, "0");
    ASSERT_FALSE(map.failure);
    EXPECT_EQ(map.first, 0x00);
    EXPECT_EQ(map.last, 0x2E);

    EXPECT_EQ(Cell(map, 0x10), (MapCell{"0", CellSource::Laid, 0, -1, "", true}));
    EXPECT_EQ(Cell(map, 0x15), (MapCell{"A", CellSource::Laid, 1, 0, "", true}));
    EXPECT_EQ(Cell(map, 0x16), (MapCell{"B", CellSource::Laid, 1, 0, "old", true}));
    EXPECT_EQ(Cell(map, 0x1A), (MapCell{"F", CellSource::Laid, 1, -1, "", true}));
    EXPECT_EQ(Cell(map, 0x05), (MapCell{"!?", CellSource::Held, -1, -1, "", true}));
    EXPECT_EQ(Cell(map, 0x40), (MapCell{"B", CellSource::Held, -1, -1, "", false}));
    EXPECT_EQ(Cell(map, 0x2F), (MapCell{"", CellSource::Empty, -1, -1, "", false}));

    EXPECT_TRUE(map.Writes(0x00));   // empty, but 00-0F always get a line
    EXPECT_FALSE(map.Writes(0x2F));  // outside the range
    EXPECT_FALSE(map.Writes(0x40));
    // The held B at 40 is not written, so it is no duplicate.
    EXPECT_TRUE(map.duplicates.empty());

    // Digits again from 30: 0-4 then stand at two written codes (5-9 of the first lie under B-F).
    RecordOrder(order, {{"0-9", 0x30}});
    const CodeMap again = ComposeCodeMap(table, order, "0");
    ASSERT_FALSE(again.failure);
    EXPECT_EQ(again.last, 0x39);
    std::vector<DuplicateText> expected;
    for (int digit = 0; digit < 5; ++digit) {
        expected.push_back(
            {std::string(1, static_cast<char>('0' + digit)),
             {static_cast<ByteCode>(0x10 + digit), static_cast<ByteCode>(0x30 + digit)}});
    }
    EXPECT_EQ(again.duplicates, expected);
}

TEST(CodeMapTest, DuplicatesAreWholeTextsAlike) {
    TableOrder order;
    RecordOrder(order, {{"0-9", 0x10}});
    CodeTable table{};
    // Long entries that share their first bytes, and one of them twice.
    table[0x01] = "abcdefgh-1";
    table[0x02] = "abcdefgh-2";
    table[0x03] = "abcdefgh-1";
    table[0x04] = "abcdefgh-10";
    table[0x05] = "9";
    const CodeMap map = ComposeCodeMap(table, order, "0");
    EXPECT_EQ(map.duplicates,
              (std::vector<DuplicateText>{{"abcdefgh-1", {0x01, 0x03}}, {"9", {0x05, 0x19}}}));
}

TEST(CodeMapTest, FailsAsMakeTableWouldAndShowsTheTableAsItIs) {
    TableOrder order;
    RecordOrder(order, {{"0-9"}, {"x"}, {"Hiragana", 0xF0}});
    CodeTable table{};
    table[0x31] = "held";

    struct Case {
        const char* start;
        MapFailure failure;
        int faultyLine;
    };
    const AssemblyError pastFF{AssemblyError::Kind::PastFF, 3, "Hiragana", 0xF0};
    for (const Case& c : {Case{"", HexError::NotANumber, -1}, Case{"G", HexError::NotANumber, -1},
                          Case{" 1", HexError::NotANumber, -1},
                          Case{"1FF", HexError::OutOfRange, -1}, Case{"10", pastFF, 2}}) {
        const CodeMap map = ComposeCodeMap(table, order, c.start);
        ASSERT_TRUE(map.failure) << c.start;
        EXPECT_EQ(map.failure->index(), c.failure.index()) << c.start;
        if (const auto* error = std::get_if<AssemblyError>(&*map.failure)) {
            EXPECT_EQ(error->line, 3);
            EXPECT_EQ(error->setName, "Hiragana");
            EXPECT_EQ(error->setStart, 0xF0);
        } else {
            EXPECT_EQ(std::get<HexError>(*map.failure), std::get<HexError>(c.failure)) << c.start;
        }
        EXPECT_EQ(map.FaultyLine(), c.faultyLine) << c.start;
        EXPECT_FALSE(map.HasRange());
        EXPECT_EQ(Cell(map, 0x31), (MapCell{"held", CellSource::Held, -1, -1, "", false}));
        EXPECT_EQ(Cell(map, 0x10), MapCell{});  // nothing laid
        for (int code = 0; code < kCodeCount; ++code) EXPECT_FALSE(map.Writes(code));
    }

    TableOrder none;
    RecordOrder(none, {{"x"}});
    const CodeMap nothing = ComposeCodeMap(table, none, "10");
    ASSERT_TRUE(nothing.failure);
    EXPECT_EQ(std::get<AssemblyError>(*nothing.failure).kind, AssemblyError::Kind::NothingToLay);
    EXPECT_EQ(nothing.FaultyLine(), -1);
}

TEST(CodeMapTest, ARangeThatEndsBeforeItsStartWritesNothing) {
    TableOrder order;
    RecordOrder(order, {{"0-9", 0x10}});
    const CodeMap map = ComposeCodeMap(CodeTable{}, order, "30");
    // MAKE TABLE makes no file then, and lays nothing: the map says so.
    ASSERT_TRUE(map.failure);
    EXPECT_EQ(std::get<AssemblyError>(*map.failure).kind, AssemblyError::Kind::EmptyRange);
    EXPECT_FALSE(map.HasRange());
    EXPECT_EQ(Cell(map, 0x10).source, CellSource::Empty);
    EXPECT_FALSE(map.Writes(0x10));
}

}  // namespace
}  // namespace glyphwright

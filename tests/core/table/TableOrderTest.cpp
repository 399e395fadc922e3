#include <gtest/gtest.h>

#include <string>

#include "core/table/AssembleTable.h"
#include "core/table/TableOrder.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

using test::RecordOrder;

TEST(TableOrder, RecordsSetNamesAndStartsByPositionAndOnlyForSets) {
    TableOrder order;
    EXPECT_TRUE(order.AppendSetLine("Hiragana"));
    EXPECT_TRUE(order.AppendEntryLine("Katakana"));  // a single entry showing a set's name
    EXPECT_TRUE(order.AppendSetLine("katakana"));    // names no set
    order.SetStart(0, 0x80);
    EXPECT_EQ(order.LineCount(), 3);
    EXPECT_EQ(order.LineText(1), "Katakana");
    EXPECT_EQ(order.SetNameOf(0), "Hiragana");
    EXPECT_EQ(order.SetNameOf(1), "");
    EXPECT_EQ(order.SetNameOf(2), "");
    EXPECT_EQ(order.StartOf(0), 0x80);
}

TEST(TableOrder, RemovingALineTakesItsRecordsAndMovesTheLinesBelowUp) {
    TableOrder order;
    RecordOrder(order, {{"Hiragana", 0x10}, {"", 0x55}, {"Katakana", 0x80}, {"0-9"}});
    order.Remove(1);
    ASSERT_EQ(order.LineCount(), 3);
    EXPECT_EQ(order.SetNameOf(1), "Katakana");
    EXPECT_EQ(order.StartOf(1), 0x80);
    EXPECT_EQ(order.SetNameOf(2), "0-9");
    EXPECT_EQ(order.StartOf(2), 0);

    // A line appended now finds no stale record at its position.
    order.Remove(2);
    EXPECT_TRUE(order.AppendEntryLine("x"));
    EXPECT_EQ(order.SetNameOf(2), "");
    EXPECT_EQ(order.StartOf(2), 0);

    // Out of range does nothing.
    order.Remove(-1);
    order.Remove(3);
    order.SetStart(3, 0x20);
    EXPECT_EQ(order.LineCount(), 3);
}

TEST(TableOrder, RemovingTheFirstLineLaysWhatTheListStillShows) {
    TableOrder order;
    RecordOrder(order, {{"Hiragana"}, {"Katakana"}});
    order.Remove(0);
    Workspace ws;
    ASSERT_TRUE(AssembleTable(order, ws).ok());
    EXPECT_EQ(ws.TableText[0x00], "ア");  // Katakana, not the removed Hiragana
    EXPECT_EQ(ws.LastCode, 0x35);
}

TEST(TableOrder, HoldsAtMostAThousandLines) {
    TableOrder order;
    for (int line = 0; line < kMaxOrderLines; ++line) ASSERT_TRUE(order.AppendSetLine("0-9"));
    EXPECT_TRUE(order.IsFull());
    EXPECT_FALSE(order.AppendSetLine("0-9"));
    EXPECT_FALSE(order.AppendEntryLine("x"));
    EXPECT_EQ(order.LineCount(), kMaxOrderLines);
    EXPECT_FALSE(order.Insert(0, {"x", false, 0}));
    order.Remove(kMaxOrderLines - 1);
    EXPECT_FALSE(order.Insert(kMaxOrderLines, {"x", false, 0}));  // past the end
    EXPECT_TRUE(order.Insert(0, {"x", false, 0}));
    EXPECT_EQ(order.LineText(0), "x");
}

}  // namespace
}  // namespace glyphwright

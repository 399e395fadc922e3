#include <gtest/gtest.h>

#include "core/AssembleTable.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

using test::RecordOrder;

TEST(Workspace, StartsEmpty) {
    const Workspace ws;
    for (const auto& slot : ws.TableText) EXPECT_TRUE(slot.empty());
    for (const auto& name : ws.OrderNames) EXPECT_TRUE(name.empty());
    for (const auto start : ws.OrderStarts) EXPECT_EQ(start, 0);
    EXPECT_TRUE(ws.HexText.empty());
    EXPECT_EQ(ws.CurrentCode, 0);
    EXPECT_EQ(ws.LastCode, 0);
}

TEST(Workspace, RemovingALineMovesTheRecordsBelowItUp) {
    Workspace ws;
    RecordOrder(ws, {{"Hiragana", 0x10}, {"", 0x55}, {"Katakana", 0x80}, {"0-9"}});
    ws.RemoveOrderLine(1);
    EXPECT_EQ(ws.OrderNames[1], "Hiragana");
    EXPECT_EQ(ws.OrderStarts[0], 0x10);
    EXPECT_EQ(ws.OrderNames[2], "Katakana");
    EXPECT_EQ(ws.OrderStarts[1], 0x80);
    EXPECT_EQ(ws.OrderNames[3], "0-9");
    EXPECT_EQ(ws.OrderStarts[2], 0);
    EXPECT_TRUE(ws.OrderNames[4].empty());
    EXPECT_TRUE(ws.OrderNames[0].empty());
}

TEST(Workspace, RemovingTheFirstLineLaysWhatTheListStillShows) {
    Workspace ws;
    RecordOrder(ws, {{"Hiragana"}, {"Katakana"}});
    ws.RemoveOrderLine(0);
    ASSERT_TRUE(AssembleTable(ws, 1).ok());
    EXPECT_EQ(ws.TableText[0x00], "\xA5\xA2");  // Katakana, not the removed Hiragana
    EXPECT_EQ(ws.LastCode, 0x35);
}

TEST(Workspace, ALineAppendedAfterARemovalFindsNoStaleRecords) {
    Workspace ws;
    RecordOrder(ws, {{"Hiragana", 0x40}, {"Katakana", 0x90}});
    ws.RemoveOrderLine(1);
    // A single entry appended at position 2 must not inherit Katakana or its start.
    EXPECT_TRUE(ws.OrderNames[2].empty());
    EXPECT_EQ(ws.OrderStarts[1], 0);
}

TEST(Workspace, RemovingTheLastPossibleLineClearsTheLastSlots) {
    Workspace ws;
    ws.OrderNames[kMaxOrderLines] = "0-9";
    ws.OrderStarts[kMaxOrderLines - 1] = 0x20;
    ws.RemoveOrderLine(kMaxOrderLines - 1);
    EXPECT_TRUE(ws.OrderNames[kMaxOrderLines].empty());
    EXPECT_EQ(ws.OrderStarts[kMaxOrderLines - 1], 0);
    EXPECT_EQ(ws.OrderStarts[kMaxOrderLines], 0);
}

TEST(Workspace, RemovingOutsideTheListChangesNothing) {
    Workspace ws;
    RecordOrder(ws, {{"Hiragana", 0x10}});
    const Workspace before = ws;
    ws.RemoveOrderLine(-1);
    ws.RemoveOrderLine(kMaxOrderLines);
    EXPECT_EQ(ws.OrderNames, before.OrderNames);
    EXPECT_EQ(ws.OrderStarts, before.OrderStarts);
}

}  // namespace
}  // namespace glyphwright

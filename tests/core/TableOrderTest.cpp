#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/AssembleTable.h"
#include "core/TableOrder.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

using test::RecordOrder;

// Writes down what it hears, and checks that "about to" and "changed" come in pairs around the
// change itself.
class Recorder final : public TableOrderObserver {
public:
    explicit Recorder(const TableOrder& order) : order_(order) {}
    std::vector<std::string> heard;

    void OrderAboutToChange(const OrderChange& change) override {
        heard.push_back("about " + Name(change) + " at " + std::to_string(order_.LineCount()));
    }
    void OrderChanged(const OrderChange& change) override {
        heard.push_back(Name(change) + " at " + std::to_string(order_.LineCount()));
    }

private:
    static std::string Name(const OrderChange& change) {
        const char* kind = change.kind == OrderChange::Kind::Appended  ? "appended"
                           : change.kind == OrderChange::Kind::Removed ? "removed"
                                                                       : "start";
        return std::string(kind) + " " + std::to_string(change.line);
    }
    const TableOrder& order_;
};

TEST(TableOrder, RecordsSetNamesAndStartsByPositionAndOnlyForSets) {
    TableOrder order;
    EXPECT_TRUE(order.AppendSetLine("Hiragana"));
    EXPECT_TRUE(order.AppendEntryLine("Katakana"));  // a single entry showing a set's name
    EXPECT_TRUE(order.AppendSetLine("katakana"));    // names no set
    order.SetStart(0, 0x80);
    EXPECT_EQ(order.LineCount(), 3);
    EXPECT_EQ(order.LineText(1), "Katakana");
    EXPECT_EQ(order.OrderNames()[0], "");
    EXPECT_EQ(order.OrderNames()[1], "Hiragana");
    EXPECT_EQ(order.OrderNames()[2], "");
    EXPECT_EQ(order.OrderNames()[3], "");
    EXPECT_EQ(order.OrderStarts()[0], 0x80);
    EXPECT_EQ(order.StartOf(0), 0x80);
}

TEST(TableOrder, RemovingALineTakesItsRecordsAndMovesTheLinesBelowUp) {
    TableOrder order;
    RecordOrder(order, {{"Hiragana", 0x10}, {"", 0x55}, {"Katakana", 0x80}, {"0-9"}});
    order.Remove(1);
    ASSERT_EQ(order.LineCount(), 3);
    EXPECT_EQ(order.OrderNames()[2], "Katakana");
    EXPECT_EQ(order.OrderStarts()[1], 0x80);
    EXPECT_EQ(order.OrderNames()[3], "0-9");
    EXPECT_EQ(order.OrderStarts()[2], 0);
    EXPECT_EQ(order.OrderNames()[4], "");

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
    EXPECT_EQ(ws.TableText[0x00], "\xA5\xA2");  // Katakana, not the removed Hiragana
    EXPECT_EQ(ws.LastCode, 0x35);
}

TEST(TableOrder, HoldsAtMostAThousandLinesAndTheLastSlotsClearOnRemoval) {
    TableOrder order;
    for (int line = 0; line < kMaxOrderLines; ++line) ASSERT_TRUE(order.AppendSetLine("0-9"));
    EXPECT_TRUE(order.IsFull());
    EXPECT_FALSE(order.AppendSetLine("0-9"));
    EXPECT_FALSE(order.AppendEntryLine("x"));
    EXPECT_EQ(order.LineCount(), kMaxOrderLines);
    order.SetStart(kMaxOrderLines - 1, 0x20);
    order.Remove(kMaxOrderLines - 1);
    EXPECT_EQ(order.OrderNames()[kMaxOrderLines], "");
    EXPECT_EQ(order.OrderStarts()[kMaxOrderLines - 1], 0);
}

TEST(TableOrder, ObserversHearEveryChangeJustBeforeAndJustAfter) {
    TableOrder order;
    Recorder recorder(order);
    order.AddObserver(recorder);
    EXPECT_TRUE(order.AppendSetLine("Hiragana"));
    EXPECT_TRUE(order.AppendEntryLine("x"));
    order.SetStart(1, 0x30);
    order.Remove(0);
    order.Remove(5);  // nothing to remove: nothing heard
    order.RemoveObserver(recorder);
    EXPECT_TRUE(order.AppendSetLine("0-9"));
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"about appended 0 at 0", "appended 0 at 1",
                                                        "about appended 1 at 1", "appended 1 at 2",
                                                        "about start 1 at 2", "start 1 at 2",
                                                        "about removed 0 at 2", "removed 0 at 1"}));
}

}  // namespace
}  // namespace glyphwright

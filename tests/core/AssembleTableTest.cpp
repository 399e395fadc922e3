#include <gtest/gtest.h>

#include "core/AssembleTable.h"
#include "core/BuiltInSets.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

using test::RecordOrder;

class AssembleTableTest : public ::testing::Test {
protected:
    Workspace ws;

    // The member of `set` that should sit at `code` when the set begins at `start`.
    static std::string_view Member(const char* set, int start, int code) {
        return FindBuiltInSet(set)->member(static_cast<std::size_t>(code - start));
    }
    bool Holds(int code, const char* set, int start) const {
        return ws.TableText[static_cast<std::size_t>(code)] == Member(set, start, code);
    }
    bool Empty(int from, int to) const {
        for (int code = from; code <= to; ++code) {
            if (!ws.TableText[static_cast<std::size_t>(code)].empty()) return false;
        }
        return true;
    }
};

TEST_F(AssembleTableTest, EmptyOrderLaysNothingAndEndsOneBelowTheStart) {
    ws.CurrentCode = 0x10;
    ASSERT_TRUE(AssembleTable(ws, 0).ok());
    EXPECT_EQ(ws.LastCode, 0x0F);
    EXPECT_TRUE(Empty(0x00, 0xFF));
}

TEST_F(AssembleTableTest, NothingToLayFromStartCode00FailsAndKeepsLastCode) {
    ws.LastCode = 0x42;
    const int lines = RecordOrder(ws, {{""}, {"hiragana"}});  // a single entry, an unknown text
    const auto result = AssembleTable(ws, lines);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, AssemblyError::Kind::NothingToLay);
    EXPECT_EQ(ws.LastCode, 0x42);
}

TEST_F(AssembleTableTest, SetsFollowOneAnotherFromTheStartCode) {
    ws.CurrentCode = 0x10;
    ASSERT_TRUE(AssembleTable(ws, RecordOrder(ws, {{"Hiragana"}})).ok());
    EXPECT_EQ(ws.LastCode, 0x41);
    for (int code = 0x10; code <= 0x41; ++code) EXPECT_TRUE(Holds(code, "Hiragana", 0x10));
    EXPECT_TRUE(Empty(0x00, 0x0F));
    EXPECT_TRUE(Empty(0x42, 0xFF));

    Workspace fresh;
    ws = fresh;
    ASSERT_TRUE(AssembleTable(ws, RecordOrder(ws, {{"Hiragana"}, {"Katakana"}})).ok());
    EXPECT_EQ(ws.LastCode, 0x67);
    EXPECT_TRUE(Holds(0x31, "Hiragana", 0x00));
    EXPECT_TRUE(Holds(0x32, "Katakana", 0x32));
    EXPECT_TRUE(Holds(0x67, "Katakana", 0x32));
}

TEST_F(AssembleTableTest, OwnStartCodesMoveTheRunningCodeForTheLinesAfterToo) {
    ASSERT_TRUE(AssembleTable(ws, RecordOrder(ws, {{"Hiragana", 0x80}, {"Katakana"}})).ok());
    EXPECT_TRUE(Empty(0x00, 0x7F));
    EXPECT_TRUE(Holds(0x80, "Hiragana", 0x80));
    EXPECT_TRUE(Holds(0xB2, "Katakana", 0xB2));
    EXPECT_EQ(ws.LastCode, 0xE7);
}

TEST_F(AssembleTableTest, LaterSetsOverwriteAndLastCodeIsTheEndOfTheSetLaidLast) {
    ASSERT_TRUE(AssembleTable(ws, RecordOrder(ws, {{"Hiragana"}, {"Katakana", 0x10}})).ok());
    EXPECT_TRUE(Holds(0x0F, "Hiragana", 0x00));
    EXPECT_TRUE(Holds(0x10, "Katakana", 0x10));
    EXPECT_TRUE(Holds(0x45, "Katakana", 0x10));
    EXPECT_EQ(ws.LastCode, 0x45);

    Workspace other;
    RecordOrder(other, {{"Hiragana", 0x80}, {"Katakana", 0x10}});
    ASSERT_TRUE(AssembleTable(other, 2).ok());
    EXPECT_EQ(other.LastCode, 0x45);  // below the codes 80..B1 that Hiragana filled
    EXPECT_FALSE(other.TableText[0xB1].empty());
}

TEST_F(AssembleTableTest, LastCodeMayLieBelowTheStartCode) {
    ws.CurrentCode = 0x80;
    ASSERT_TRUE(AssembleTable(ws, RecordOrder(ws, {{"Hiragana", 0x10}})).ok());
    EXPECT_EQ(ws.LastCode, 0x41);
}

TEST_F(AssembleTableTest, StartCode00OfALineMeansNoStartOfItsOwn) {
    ws.CurrentCode = 0x20;
    ASSERT_TRUE(AssembleTable(ws, RecordOrder(ws, {{"0-9"}, {"0-9", 0x00}})).ok());
    EXPECT_EQ(ws.LastCode, 0x33);
}

TEST_F(AssembleTableTest, LinesWithoutASetNameTakeNoCode) {
    ws.CurrentCode = 0x30;
    const int lines = RecordOrder(ws, {{"0-9"}, {"", 0x90}, {"Hiragana "}, {"0-9"}});
    ASSERT_TRUE(AssembleTable(ws, lines).ok());
    EXPECT_EQ(ws.LastCode, 0x43);  // two digit runs back to back; the own start of line 2 is unused
    EXPECT_TRUE(Empty(0x90, 0x9F));
}

TEST_F(AssembleTableTest, AllSevenSetsEndExactlyAtFFFrom28) {
    const int lines = RecordOrder(ws, {{"Hiragana"}, {"Katakana"}, {"Dakuten"}, {"Handakuten"},
                                       {"Uppercase Alphabet"}, {"Lowercase Alphabet"}, {"0-9"}});
    ASSERT_TRUE(AssembleTable(ws, lines).ok());
    EXPECT_EQ(ws.LastCode, 0xD7);
    ws.CurrentCode = 0x28;
    ASSERT_TRUE(AssembleTable(ws, lines).ok());
    EXPECT_EQ(ws.LastCode, 0xFF);
    EXPECT_EQ(ws.TableText[0xFF], "9");
    ws.CurrentCode = 0x29;
    EXPECT_FALSE(AssembleTable(ws, lines).ok());
}

TEST_F(AssembleTableTest, DigitsFromF6EndAtFF) {
    ws.CurrentCode = 0xF6;
    ASSERT_TRUE(AssembleTable(ws, RecordOrder(ws, {{"0-9"}})).ok());
    EXPECT_EQ(ws.LastCode, 0xFF);
}

TEST_F(AssembleTableTest, ASetRunningPastFFChangesNothing) {
    ws.TableText[0xF0] = "keep";
    ws.TableText[0x05] = "five";
    ws.LastCode = 0x33;
    ws.CurrentCode = 0x00;
    const Workspace before = ws;
    const int lines = RecordOrder(ws, {{"0-9"}, {"Hiragana", 0xF0}});
    const auto result = AssembleTable(ws, lines);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, AssemblyError::Kind::PastFF);
    EXPECT_EQ(result.error().line, 2);
    EXPECT_EQ(result.error().setName, "Hiragana");
    EXPECT_EQ(result.error().setStart, 0xF0);
    EXPECT_EQ(ws.TableText, before.TableText);  // neither the digits nor the first kana stay
    EXPECT_EQ(ws.LastCode, 0x33);
}

TEST_F(AssembleTableTest, MoreLinesThanRecordSlotsFailsAndChangesNothing) {
    ws.CurrentCode = 0x10;
    RecordOrder(ws, {{"0-9"}});
    const auto before = ws.TableText;
    const auto result = AssembleTable(ws, kMaxOrderLines + 1);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, AssemblyError::Kind::TooManyLines);
    EXPECT_EQ(ws.TableText, before);
    EXPECT_TRUE(AssembleTable(ws, kMaxOrderLines).ok());
}

TEST_F(AssembleTableTest, EarlierSlotsAndSingleEntriesStayUnlessASetCoversThem) {
    ws.TableText[0x20] = "single";
    ws.TableText[0x90] = "kanji";
    const int lines = RecordOrder(ws, {{"Hiragana"}});
    ASSERT_TRUE(AssembleTable(ws, lines).ok());
    EXPECT_TRUE(Holds(0x20, "Hiragana", 0x00));
    EXPECT_EQ(ws.TableText[0x90], "kanji");

    ws.CurrentCode = 0x10;  // a second run further up leaves the first run's 00..0F in place
    ASSERT_TRUE(AssembleTable(ws, lines).ok());
    EXPECT_TRUE(Holds(0x0F, "Hiragana", 0x00));
    EXPECT_TRUE(Holds(0x10, "Hiragana", 0x10));
    EXPECT_EQ(ws.LastCode, 0x41);
}

TEST_F(AssembleTableTest, TheSameRunTwiceGivesTheSameTable) {
    ws.CurrentCode = 0x05;
    const int lines = RecordOrder(ws, {{"Dakuten"}, {"Handakuten", 0xA0}, {"Uppercase Alphabet"}});
    ASSERT_TRUE(AssembleTable(ws, lines).ok());
    const Workspace first = ws;
    ASSERT_TRUE(AssembleTable(ws, lines).ok());
    EXPECT_EQ(ws.TableText, first.TableText);
    EXPECT_EQ(ws.LastCode, first.LastCode);
    EXPECT_EQ(ws.CurrentCode, 0x05);  // assembly never moves the start code
}

}  // namespace
}  // namespace glyphwright

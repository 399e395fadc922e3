#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "core/table/AssembleTable.h"
#include "core/sets/BuiltInSets.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

using test::RecordOrder;

class AssembleTableTest : public ::testing::Test {
protected:
    Workspace ws;
    std::deque<TableOrder> orders;

    const TableOrder& Order(std::initializer_list<test::OrderLine> lines) {
        RecordOrder(orders.emplace_back(), lines);
        return orders.back();
    }

    // The member of `set` that should sit at `code` when the set begins at `start`.
    static std::string_view Member(const char* set, int start, int code) {
        return FindBuiltInSet(set)->text(static_cast<std::size_t>(code - start));
    }
    bool Holds(int code, const char* set, int start) const {
        return ws.TableText.Texts()[static_cast<std::size_t>(code)] == Member(set, start, code);
    }
    bool Empty(int from, int to) const {
        for (int code = from; code <= to; ++code) {
            if (!ws.TableText.Texts()[static_cast<std::size_t>(code)].empty()) return false;
        }
        return true;
    }
};

TEST_F(AssembleTableTest, AnOrderThatNamesNoSetFailsFromEveryStartCode) {
    ws.LastCode = 0x42;
    const TableOrder& lines = Order({{""}, {"hiragana"}});  // a single entry, an unknown text
    for (const int start : {0x00, 0x10, 0xFF}) {
        ws.CurrentCode = static_cast<ByteCode>(start);
        const auto result = AssembleTable(lines, ws);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().kind, AssemblyError::Kind::NothingToLay);
        EXPECT_EQ(ws.LastCode, 0x42);
        EXPECT_TRUE(Empty(0x00, 0xFF));
    }
}

TEST_F(AssembleTableTest, SetsFollowOneAnotherFromTheStartCode) {
    ws.CurrentCode = 0x10;
    ASSERT_TRUE(AssembleTable(Order({{"Hiragana"}}), ws).ok());
    EXPECT_EQ(ws.LastCode, 0x41);
    for (int code = 0x10; code <= 0x41; ++code) EXPECT_TRUE(Holds(code, "Hiragana", 0x10));
    EXPECT_TRUE(Empty(0x00, 0x0F));
    EXPECT_TRUE(Empty(0x42, 0xFF));

    Workspace fresh;
    ws = fresh;
    ASSERT_TRUE(AssembleTable(Order({{"Hiragana"}, {"Katakana"}}), ws).ok());
    EXPECT_EQ(ws.LastCode, 0x67);
    EXPECT_TRUE(Holds(0x31, "Hiragana", 0x00));
    EXPECT_TRUE(Holds(0x32, "Katakana", 0x32));
    EXPECT_TRUE(Holds(0x67, "Katakana", 0x32));
}

TEST_F(AssembleTableTest, OwnStartCodesMoveTheRunningCodeForTheLinesAfterToo) {
    ASSERT_TRUE(AssembleTable(Order({{"Hiragana", 0x80}, {"Katakana"}}), ws).ok());
    EXPECT_TRUE(Empty(0x00, 0x7F));
    EXPECT_TRUE(Holds(0x80, "Hiragana", 0x80));
    EXPECT_TRUE(Holds(0xB2, "Katakana", 0xB2));
    EXPECT_EQ(ws.LastCode, 0xE7);
}

TEST_F(AssembleTableTest, LaterSetsOverwriteAndLastCodeIsTheEndOfTheSetLaidLast) {
    ASSERT_TRUE(AssembleTable(Order({{"Hiragana"}, {"Katakana", 0x10}}), ws).ok());
    EXPECT_TRUE(Holds(0x0F, "Hiragana", 0x00));
    EXPECT_TRUE(Holds(0x10, "Katakana", 0x10));
    EXPECT_TRUE(Holds(0x45, "Katakana", 0x10));
    EXPECT_EQ(ws.LastCode, 0x45);

    Workspace other;
    ASSERT_TRUE(AssembleTable(Order({{"Hiragana", 0x80}, {"Katakana", 0x10}}), other).ok());
    EXPECT_EQ(other.LastCode, 0x45);  // below the codes 80..B1 that Hiragana filled
    EXPECT_FALSE(other.TableText[0xB1].empty());
}

TEST_F(AssembleTableTest, ALastCodeBelowTheStartCodeLaysNothing) {
    ws.CurrentCode = 0x80;
    ws.LastCode = 0x33;
    const auto result = AssembleTable(Order({{"Hiragana", 0x10}}), ws);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, AssemblyError::Kind::EmptyRange);
    EXPECT_EQ(result.error().last, 0x41);
    EXPECT_EQ(ws.LastCode, 0x33);
    EXPECT_TRUE(ws.TableText[0x10].empty());
}

TEST_F(AssembleTableTest, StartCode00OfALineMeansNoStartOfItsOwn) {
    ws.CurrentCode = 0x20;
    ASSERT_TRUE(AssembleTable(Order({{"0-9"}, {"0-9", 0x00}}), ws).ok());
    EXPECT_EQ(ws.LastCode, 0x33);
}

TEST_F(AssembleTableTest, LinesWithoutASetNameTakeNoCode) {
    ws.CurrentCode = 0x30;
    const TableOrder& lines = Order({{"0-9"}, {"", 0x90}, {"Hiragana "}, {"0-9"}});
    ASSERT_TRUE(AssembleTable(lines, ws).ok());
    EXPECT_EQ(ws.LastCode, 0x43);  // two digit runs back to back; the own start of line 2 is unused
    EXPECT_TRUE(Empty(0x90, 0x9F));
}

TEST_F(AssembleTableTest, AllSevenSetsEndExactlyAtFFFrom28) {
    const TableOrder& lines = Order({{"Hiragana"},
                                     {"Katakana"},
                                     {"Dakuten"},
                                     {"Handakuten"},
                                     {"Uppercase Alphabet"},
                                     {"Lowercase Alphabet"},
                                     {"0-9"}});
    ASSERT_TRUE(AssembleTable(lines, ws).ok());
    EXPECT_EQ(ws.LastCode, 0xD7);
    ws.CurrentCode = 0x28;
    ASSERT_TRUE(AssembleTable(lines, ws).ok());
    EXPECT_EQ(ws.LastCode, 0xFF);
    EXPECT_EQ(ws.TableText[0xFF], "9");
    ws.CurrentCode = 0x29;
    EXPECT_FALSE(AssembleTable(lines, ws).ok());
}

TEST_F(AssembleTableTest, DigitsFromF6EndAtFF) {
    ws.CurrentCode = 0xF6;
    ASSERT_TRUE(AssembleTable(Order({{"0-9"}}), ws).ok());
    EXPECT_EQ(ws.LastCode, 0xFF);
}

TEST_F(AssembleTableTest, ASetRunningPastFFChangesNothing) {
    ws.TableText.Put(0xF0, {"keep"});
    ws.TableText.Put(0x05, {"five"});
    ws.LastCode = 0x33;
    ws.CurrentCode = 0x00;
    const Workspace before = ws;
    const TableOrder& lines = Order({{"0-9"}, {"Hiragana", 0xF0}});
    const auto result = AssembleTable(lines, ws);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, AssemblyError::Kind::PastFF);
    EXPECT_EQ(result.error().line, 2);
    EXPECT_EQ(result.error().setName, "Hiragana");
    EXPECT_EQ(result.error().setStart, 0xF0);
    EXPECT_EQ(ws.TableText, before.TableText);  // neither the digits nor the first kana stay
    EXPECT_EQ(ws.LastCode, 0x33);
}

TEST_F(AssembleTableTest, EarlierSlotsAndSingleEntriesStayUnlessASetCoversThem) {
    ws.TableText.Put(0x20, {"single"});
    ws.TableText.Put(0x90, {"kanji"});
    const TableOrder& lines = Order({{"Hiragana"}});
    ASSERT_TRUE(AssembleTable(lines, ws).ok());
    EXPECT_TRUE(Holds(0x20, "Hiragana", 0x00));
    EXPECT_EQ(ws.TableText[0x90], "kanji");

    ws.CurrentCode = 0x10;  // a second run further up leaves the first run's 00..0F in place
    ASSERT_TRUE(AssembleTable(lines, ws).ok());
    EXPECT_TRUE(Holds(0x0F, "Hiragana", 0x00));
    EXPECT_TRUE(Holds(0x10, "Hiragana", 0x10));
    EXPECT_EQ(ws.LastCode, 0x41);
}

TEST_F(AssembleTableTest, TheSameRunTwiceGivesTheSameTable) {
    ws.CurrentCode = 0x05;
    const TableOrder& lines = Order({{"Dakuten"}, {"Handakuten", 0xA0}, {"Uppercase Alphabet"}});
    ASSERT_TRUE(AssembleTable(lines, ws).ok());
    const Workspace first = ws;
    ASSERT_TRUE(AssembleTable(lines, ws).ok());
    EXPECT_EQ(ws.TableText, first.TableText);
    EXPECT_EQ(ws.LastCode, first.LastCode);
    EXPECT_EQ(ws.CurrentCode, 0x05);  // assembly never moves the start code
}

TEST_F(AssembleTableTest, APreviewTellsWhichLineLaysEachCodeAndWhereLinesOverlap) {
    ws.TableText.Put(0x50, {"single"});
    const Workspace before = ws;
    const auto preview =
        PreviewAssembly(Order({{"0-9"}, {""}, {"Uppercase Alphabet", 0x05}}), 0x00);
    ASSERT_TRUE(preview.ok());
    const Assembly& assembly = preview.value();
    EXPECT_EQ(assembly.start, 0x00);
    EXPECT_EQ(assembly.last, 0x1E);
    EXPECT_EQ(assembly.laid[0x04].line, 0);
    EXPECT_EQ(assembly.laid[0x04].member, "4");
    EXPECT_EQ(assembly.laid[0x04].overlaps, -1);
    EXPECT_EQ(assembly.laid[0x05].line, 2);  // "A" laid over "5"
    EXPECT_EQ(assembly.laid[0x05].member, "A");
    EXPECT_EQ(assembly.laid[0x05].overlaps, 0);
    EXPECT_EQ(assembly.laid[0x0A].overlaps, -1);
    EXPECT_EQ(assembly.laid[0x50].line, -1);
    EXPECT_EQ(ws.TableText, before.TableText);  // a preview stores nothing
    EXPECT_EQ(ws.LastCode, before.LastCode);
}

// The preview lays the order from its last line back and stops once nothing earlier can change
// a code. Over random orders of every length, with own start codes and overlaps piled several
// deep, it must give what laying every member of every line in order gives.
TEST_F(AssembleTableTest, APreviewEqualsLayingEveryMemberInOrder) {
    std::mt19937 random(20261207);
    const auto pick = [&random](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };
    const char* names[] = {"Hiragana",           "Katakana",           "Dakuten", "Handakuten",
                           "Uppercase Alphabet", "Lowercase Alphabet", "0-9",     ""};
    int laidOrders = 0;
    for (int round = 0; round < 500; ++round) {
        TableOrder& order = orders.emplace_back();
        // A long order lays only when its lines start on their own, low enough to fit.
        const bool longOrder = round % 5 == 0;
        const int lines = longOrder ? 200 + pick(800) : pick(12);
        for (int line = 0; line < lines; ++line) {
            const int own = longOrder ? 1 + pick(0x60) : pick(3) == 0 ? pick(0xB0) : 0;
            RecordOrder(order, {{names[pick(8)], own}});
        }
        const auto start = static_cast<ByteCode>(pick(3) == 0 ? pick(256) : pick(0x20));

        // Every member of every line, in order, as MAKE TABLE has always laid them.
        std::array<LaidCode, kCodeCount> expected{};
        std::optional<AssemblyError> failure;
        int running = start;
        bool any = false;
        for (int line = 0; line < order.LineCount() && !failure; ++line) {
            const CharacterSet* set = FindBuiltInSet(order.SetNameOf(line));
            if (set == nullptr) continue;
            if (order.StartOf(line) > 0) running = order.StartOf(line);
            const int setStart = running;
            any = true;
            for (const std::string_view member : set->texts) {
                if (running > 0xFF) {
                    failure = AssemblyError{AssemblyError::Kind::PastFF, line + 1,
                                            std::string(set->name), setStart};
                    break;
                }
                LaidCode& code = expected[static_cast<std::size_t>(running++)];
                if (code.line >= 0) code.overlaps = code.line;
                code = {member, line, code.overlaps};
            }
        }
        if (!failure && !any) failure = AssemblyError{AssemblyError::Kind::NothingToLay, 0, {}, 0};
        if (!failure && running - 1 < start) {
            failure = AssemblyError{AssemblyError::Kind::EmptyRange, 0, {}, start, running - 1};
        }

        const auto preview = PreviewAssembly(order, start);
        ASSERT_EQ(preview.ok(), !failure) << "round " << round;
        if (failure) {
            EXPECT_EQ(preview.error().kind, failure->kind) << "round " << round;
            EXPECT_EQ(preview.error().line, failure->line) << "round " << round;
            EXPECT_EQ(preview.error().setStart, failure->setStart) << "round " << round;
            continue;
        }
        ++laidOrders;
        EXPECT_EQ(preview.value().last, static_cast<ByteCode>(running - 1)) << "round " << round;
        for (std::size_t code = 0; code < expected.size(); ++code) {
            const LaidCode& laid = preview.value().laid[code];
            EXPECT_EQ(laid.line, expected[code].line) << "round " << round << " code " << code;
            EXPECT_EQ(laid.member, expected[code].member) << "round " << round << " code " << code;
            EXPECT_EQ(laid.overlaps, expected[code].overlaps)
                << "round " << round << " code " << code;
        }
    }
    EXPECT_GT(laidOrders, 150);
}

// Two-byte lines in both byte orders, against codes written out here: the start is typed as the
// game stores it, the members take consecutive 16-bit values (so carry from one byte into the
// other), a line without a start goes on in two bytes, and a one-byte start goes back to one byte.
TEST_F(AssembleTableTest, TwoByteLinesCountInTheGamesByteOrder) {
    struct Case {
        CodeOrder order;
        const char* typed;                  // Hiragana's own start, as typed
        std::vector<const char*> hiragana;  // its members 0, 1, 2 and 49
        const char* katakana;               // Katakana's first member, laid after it
    };
    const Case cases[] = {
        {CodeOrder::BigEndian, "80FE", {"80FE", "80FF", "8100", "812F"}, "8130"},
        {CodeOrder::LittleEndian, "FE80", {"FE80", "FF80", "0081", "2F81"}, "3081"},
    };
    for (const Case& c : cases) {
        TableOrder& order = orders.emplace_back();
        RecordOrder(order, {{"0-9"}, {"Hiragana"}, {"Katakana"}, {"Uppercase Alphabet", 0x40}});
        order.SetStartCode(1, ReadTypedCode(c.typed).value());
        ws = {};
        ws.CurrentCode = 0x10;
        ws.TableText.Put(TableCode::TwoByte(0x8000), {"kept", EntryKind::EndCode});  // a code no member lands on
        ASSERT_TRUE(AssembleTable(order, ws, c.order).ok()) << c.typed;

        EXPECT_EQ(ws.LastCode, 0x59);  // the one-byte lines alone decide the one-byte range
        EXPECT_TRUE(Holds(0x19, "0-9", 0x10));
        EXPECT_TRUE(Holds(0x40, "Uppercase Alphabet", 0x40));
        EXPECT_TRUE(Empty(0x1A, 0x3F));
        EXPECT_EQ(ws.TableText.TwoByte().size(), 50U + 54U + 1U);
        const auto at = [&](const char* code) {
            const auto held = ws.TableText.TwoByte().find(ReadTableCode(code)->Stored());
            return held == ws.TableText.TwoByte().end() ? std::string("(none)") : held->second.text;
        };
        for (const std::size_t k : {0U, 1U, 2U, 49U}) {
            EXPECT_EQ(at(c.hiragana[k < 3 ? k : 3]), FindBuiltInSet("Hiragana")->text(k))
                << c.typed << " member " << k;
        }
        EXPECT_EQ(at(c.katakana), FindBuiltInSet("Katakana")->text(0)) << c.typed;
        EXPECT_EQ(ws.TableText.TwoByte().at(0x8000), (TableEntry{"kept", EntryKind::EndCode}));
    }
}

// Passing FFFF fails naming the line and its start as typed, and lays nothing; an order of
// two-byte lines alone leaves the one-byte codes as held, from the start code to FF.
TEST_F(AssembleTableTest, TwoByteLinesStopAtFFFFAndMayStandAlone) {
    for (const auto& [order16, typed] :
         {std::pair{CodeOrder::BigEndian, "FFF0"}, std::pair{CodeOrder::LittleEndian, "F0FF"}}) {
        TableOrder& order = orders.emplace_back();
        RecordOrder(order, {{"0-9"}, {"Hiragana"}});
        order.SetStartCode(1, ReadTypedCode(typed).value());
        ws = {};
        const auto failed = AssembleTable(order, ws, order16);
        ASSERT_FALSE(failed.ok());
        EXPECT_EQ(failed.error().kind, AssemblyError::Kind::PastFFFF);
        EXPECT_EQ(failed.error().line, 2);
        EXPECT_EQ(TableCode::TwoByte(static_cast<std::uint16_t>(failed.error().setStart)).Hex(),
                  typed);
        EXPECT_EQ(ws, Workspace{});
    }

    TableOrder& wideOnly = orders.emplace_back();
    RecordOrder(wideOnly, {{"0-9"}});
    wideOnly.SetStartCode(0, TableCode::TwoByte(0x0000));  // 0000 is a start, unlike 00
    ws = {};
    ws.CurrentCode = 0x20;
    ws.TableText.Put(0xFF, {"end"});
    ASSERT_TRUE(AssembleTable(wideOnly, ws).ok());
    EXPECT_EQ(ws.LastCode, 0xFF);
    EXPECT_EQ(ws.TableText[0xFF], "end");
    EXPECT_TRUE(Empty(0x00, 0xFE));
    EXPECT_EQ(ws.TableText.TwoByte().at(0x0009).text, FindBuiltInSet("0-9")->text(9));
}

}  // namespace
}  // namespace glyphwright

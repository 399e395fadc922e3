#include <gtest/gtest.h>

#include "core/table/AssembleTable.h"
#include "core/sets/BuiltInSets.h"
#include "support/TableOrder.h"
#include "tablefile/TableFormat.h"
#include "tablefile/WriteTableFile.h"

namespace glyphwright {
namespace {

using namespace std::string_literals;
using test::RecordOrder;

// Assembles the order from `start` and gives the file the writer makes of it.
std::string MakeFile(Workspace& ws, int start, std::initializer_list<test::OrderLine> lines) {
    ws.CurrentCode = static_cast<ByteCode>(start);
    TableOrder order;
    RecordOrder(order, lines);
    EXPECT_TRUE(AssembleTable(order, ws).ok());
    // Laid as Unicode text, written as EUC-JP by the classic format.
    return FormatTable(ws.TableText, ws.CurrentCode, ws.LastCode, TableFormat::Classic).value();
}

TEST(WriteTableFile, DigitsFrom10) {
    Workspace ws;
    EXPECT_EQ(MakeFile(ws, 0x10, {{"0-9"}}),
              "10=0\r\r\n11=1\r\r\n12=2\r\r\n13=3\r\r\n14=4\r\r\n"
              "15=5\r\r\n16=6\r\r\n17=7\r\r\n18=8\r\r\n19=9\r\r\n\r\r\n");
}

TEST(WriteTableFile, HiraganaFrom00StartsWithTheEucJpBytesOfA) {
    Workspace ws;
    const std::string file = MakeFile(ws, 0x00, {{"Hiragana"}});
    EXPECT_EQ(file.substr(0, 8), "\x30\x30\x3D\xA4\xA2\x0D\x0D\x0A"s);
    EXPECT_EQ(file.size(), 50u * 8 + 3);
    EXPECT_EQ(file.substr(file.size() - 11), "31=\xA4\xE7\r\r\n\r\r\n");
}

TEST(WriteTableFile, DigitsFrom0ECrossTheSixteenthCode) {
    Workspace ws;
    EXPECT_EQ(MakeFile(ws, 0x0E, {{"0-9"}}),
              "0E=0\r\r\n0F=1\r\r\n10=2\r\r\n11=3\r\r\n12=4\r\r\n"
              "13=5\r\r\n14=6\r\r\n15=7\r\r\n16=8\r\r\n17=9\r\r\n\r\r\n");
}

TEST(WriteTableFile, TheFirstSixteenCodesGetALineEvenWhenEmpty) {
    Workspace ws;
    EXPECT_EQ(MakeFile(ws, 0x00, {{"0-9", 0x08}}),
              "00=\r\r\n01=\r\r\n02=\r\r\n03=\r\r\n04=\r\r\n05=\r\r\n06=\r\r\n07=\r\r\n"
              "08=0\r\r\n09=1\r\r\n0A=2\r\r\n0B=3\r\r\n0C=4\r\r\n0D=5\r\r\n0E=6\r\r\n0F=7\r\r\n"
              "10=8\r\r\n11=9\r\r\n\r\r\n");
}

TEST(WriteTableFile, EmptyCodesAbove0FAreSkipped) {
    Workspace ws;
    const std::string file = MakeFile(ws, 0x10, {{"Hiragana"}, {"0-9", 0x60}});
    std::string expected;
    const CharacterSet* hiragana = FindBuiltInSet("Hiragana");
    for (int code = 0x10; code <= 0x41; ++code) {
        char prefix[4];
        std::snprintf(prefix, sizeof prefix, "%02X=", code);
        expected += prefix + std::string(hiragana->member(static_cast<std::size_t>(code - 0x10))) +
                    "\r\r\n";
    }
    expected +=
        "60=0\r\r\n61=1\r\r\n62=2\r\r\n63=3\r\r\n64=4\r\r\n"
        "65=5\r\r\n66=6\r\r\n67=7\r\r\n68=8\r\r\n69=9\r\r\n\r\r\n";
    EXPECT_EQ(file, expected);
}

TEST(WriteTableFile, AnEmptyRangeGivesTheTrailerAlone) {
    Workspace ws;
    ws.TableText.Put(0x20, {"A"});
    ws.TableText.Put(0x50, {"B"});
    std::string file;
    WriteTableFile(file, ws.TableText.Texts(), 0x80, 0x41);  // last below first
    EXPECT_EQ(file, "\r\r\n");
}

TEST(WriteTableFile, EntriesPassUnchangedAndOnlyInsideTheRange) {
    CodeTable table{};
    table[0x03] = "=\r\n";
    table[0x10] = std::string("\0x", 2);
    table[0x11] = "below";
    table[0xFE] = "\xE6\xBC\xA2";
    table[0xFF] = "last";
    std::string file;
    WriteTableFile(file, table, 0x02, 0xFE);
    EXPECT_EQ(file,
              "02=\r\r\n03==\r\n\r\r\n04=\r\r\n05=\r\r\n06=\r\r\n07=\r\r\n08=\r\r\n"
              "09=\r\r\n0A=\r\r\n0B=\r\r\n0C=\r\r\n0D=\r\r\n0E=\r\r\n0F=\r\r\n"
              "10=\0x\r\r\n11=below\r\r\nFE=\xE6\xBC\xA2\r\r\n\r\r\n"s);
}

TEST(WriteTableFile, FullTableHasEveryCodeInAscendingOrder) {
    CodeTable table{};
    for (std::size_t code = 0; code < table.size(); ++code) table[code] = "x";
    std::string file;
    WriteTableFile(file, table, 0x00, 0xFF);
    ASSERT_EQ(file.size(), 256u * 7 + 3);
    EXPECT_EQ(file.substr(0, 7), "00=x\r\r\n");
    EXPECT_EQ(file.substr(0xAB * 7, 7), "AB=x\r\r\n");
    EXPECT_EQ(file.substr(0xFF * 7), "FF=x\r\r\n\r\r\n");
}

TEST(WriteTableFile, AppendsToWhatTheFileAlreadyHolds) {
    CodeTable table{};
    table[0x41] = "A";
    std::string file = "head";
    WriteTableFile(file, table, 0x41, 0x41);
    EXPECT_EQ(file, "head41=A\r\r\n\r\r\n");
}

}  // namespace
}  // namespace glyphwright

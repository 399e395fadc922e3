#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/table/CodeOrder.h"
#include "core/table/TableCode.h"

namespace glyphwright {
namespace {

// Codes sort as their stored bytes, a one-byte code before the two-byte codes it begins; their
// text is the stored bytes, and the width read is the width written.
TEST(TableCode, SortsAsStoredBytesAndReadsBackItsOwnText) {
    std::vector<TableCode> codes = {TableCode::OneByte(0x82),   TableCode::TwoByte(0x81FF),
                                    TableCode::TwoByte(0x8100), TableCode::OneByte(0x81),
                                    TableCode::TwoByte(0x0080), TableCode::OneByte(0x80),
                                    TableCode::TwoByte(0x7FFF)};
    std::sort(codes.begin(), codes.end());
    std::vector<std::string> texts;
    for (const TableCode code : codes) {
        texts.push_back(code.Hex());
        EXPECT_EQ(ReadTableCode(code.Hex()), code);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"0080", "7FFF", "80", "81", "8100", "81FF", "82"}));
    EXPECT_EQ(TableCode::TwoByte(0x8140).Bytes(), "\x81\x40");

    EXPECT_EQ(ReadTypedCode("80").value(), TableCode::OneByte(0x80));
    EXPECT_EQ(ReadTypedCode("8 ").value(), TableCode::OneByte(0x08));
    EXPECT_EQ(ReadTypedCode("0080").value(), TableCode::TwoByte(0x0080));
    EXPECT_EQ(ReadTypedCode("100").value(), TableCode::TwoByte(0x0100));
    for (const char* bad : {"", " 80", "8g", "1000g", "-1"}) {
        EXPECT_EQ(ReadTypedCode(bad).error(), HexError::NotANumber) << bad;
    }
    EXPECT_EQ(ReadTypedCode("10000").error(), HexError::OutOfRange);
    for (const char* bad : {"8", "100", "81 ", "0x81"}) EXPECT_FALSE(ReadTableCode(bad)) << bad;
}

// Little-endian stores the value's low byte first: the value 8001 is the code 0180.
TEST(TableCode, TheByteOrderMapsValuesToStoredCodes) {
    EXPECT_EQ(CodeOfValue(0x8001, CodeOrder::BigEndian), TableCode::TwoByte(0x8001));
    EXPECT_EQ(CodeOfValue(0x8001, CodeOrder::LittleEndian), TableCode::TwoByte(0x0180));
    EXPECT_EQ(CodeValue(TableCode::TwoByte(0x0180), CodeOrder::LittleEndian), 0x8001);
    EXPECT_EQ(CodeOrderNamed(CodeOrderName(CodeOrder::LittleEndian)), CodeOrder::LittleEndian);
    EXPECT_FALSE(CodeOrderNamed("LE"));
}

}  // namespace
}  // namespace glyphwright

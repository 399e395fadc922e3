#include <gtest/gtest.h>

#include <string>

#include "core/table/ParseHexByte.h"

namespace glyphwright {
namespace {

struct Accepted {
    const char* text;
    int value;
};

TEST(ParseHexByte, AcceptsHexDigitsOfEitherCaseWithLeadingZerosAndTrailingBlanks) {
    for (const Accepted& c :
         {Accepted{"10", 0x10}, Accepted{"ff", 0xFF}, Accepted{"FF", 0xFF}, Accepted{"0FF", 0xFF},
          Accepted{"1F ", 0x1F}, Accepted{"0", 0}, Accepted{"00", 0}, Accepted{"a0", 0xA0},
          Accepted{"0041", 0x41}, Accepted{"41   ", 0x41}, Accepted{"000000000000000007", 7},
          Accepted{"Ab", 0xAB}}) {
        const auto result = ReadHexByte(c.text);
        ASSERT_TRUE(result.ok()) << '"' << c.text << '"';
        EXPECT_EQ(result.value(), c.value) << '"' << c.text << '"';
    }
}

TEST(ParseHexByte, RefusesWhatIsNotAHexNumber) {
    for (const char* text : {"", " ", "   ", "G1", "G", " 1F", "&H10", "0x10", "-1", "+1", "41 42",
                             "4 1", "1F\t", "\t1F", "1.0", "\xA4\xA2"}) {
        const auto result = ReadHexByte(text);
        ASSERT_FALSE(result.ok()) << '"' << text << '"';
        EXPECT_EQ(result.error(), HexError::NotANumber) << '"' << text << '"';
    }
}

TEST(ParseHexByte, RefusesValuesAboveFFAsOutOfRange) {
    for (const char* text : {"100", "1FF", "FFFF", "00100", "FFFFFFFFFFFFFFFFFFFFFFFFFF"}) {
        const auto result = ReadHexByte(text);
        ASSERT_FALSE(result.ok()) << text;
        EXPECT_EQ(result.error(), HexError::OutOfRange) << text;
    }
    // A huge number that is spoiled by a later letter is still no number at all.
    EXPECT_EQ(ReadHexByte("FFFFFFFFFFG").error(), HexError::NotANumber);
}

TEST(ParseHexByte, EmbeddedNulIsNotADigit) {
    EXPECT_EQ(ReadHexByte(std::string("1\0", 2)).error(), HexError::NotANumber);
}

TEST(ParseHexByte, AgreesWithAReferenceReadingForEveryTwoCharacterText) {
    // Every pair of printable characters: valid exactly when both are hex digits, or a digit and
    // then a blank.
    auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    for (int a = 0x20; a < 0x7F; ++a) {
        for (int b = 0x20; b < 0x7F; ++b) {
            const std::string text{static_cast<char>(a), static_cast<char>(b)};
            const bool valid = isHex(text[0]) && (isHex(text[1]) || text[1] == ' ');
            const auto result = ReadHexByte(text);
            ASSERT_EQ(result.ok(), valid) << '"' << text << '"';
            if (valid) {
                EXPECT_EQ(result.value(), std::stoi(text, nullptr, 16)) << '"' << text << '"';
            }
        }
    }
}

}  // namespace
}  // namespace glyphwright

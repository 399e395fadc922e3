#include "core/table/ParseHexByte.h"

#include <string>

namespace glyphwright {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

Result<ByteCode, HexError> ReadHexByte(std::string_view text) {
    const auto lastDigit = text.find_last_not_of(' ');
    if (lastDigit == std::string_view::npos) {
        return HexError::NotANumber;  // empty, or blanks only
    }
    const std::string_view digits = text.substr(0, lastDigit + 1);
    int value = 0;
    bool tooLarge = false;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return HexError::NotANumber;
        }
        // Keep reading after the value is too large: a later non-digit still makes it no number.
        value = value * 16 + digit;
        if (value > 0xFF) {
            tooLarge = true;
            value = 0x100;
        }
    }
    if (tooLarge) {
        return HexError::OutOfRange;
    }
    return static_cast<ByteCode>(value);
}

}  // namespace glyphwright

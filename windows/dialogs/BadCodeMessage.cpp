#include "BadCodeMessage.h"

namespace glyphwright {

std::string BadCodeMessage(std::string_view typed, HexError error) {
    const std::string quoted = "\"" + std::string(typed) + "\"";
    if (error == HexError::OutOfRange) {
        return "The code " + quoted + " is above FF: a code is a hexadecimal byte from 00 to FF.";
    }
    std::string message = "The code " + quoted + " is not a hexadecimal byte from 00 to FF.";
    const auto firstDigit = typed.find_first_not_of(' ');
    if (firstDigit != 0 && firstDigit != std::string_view::npos) {
        message += " Remove the blank before the digits.";
    }
    return message;
}

}  // namespace glyphwright

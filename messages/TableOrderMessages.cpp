#include "TableOrderMessages.h"

#include "MessageText.h"
#include "core/table/ParseHexByte.h"
#include "core/table/TableCode.h"
#include "core/text/EucJp.h"

namespace glyphwright {

QString TableOrderMessages::OrderFull() {
    return tr(
        "The Table Order is full: it holds at most 1000 lines. Remove a line before adding "
        "another.");
}

QString TableOrderMessages::BadTableCode(std::string_view typed, HexError error) {
    const QString quoted = QLatin1Char('"') + Text(typed) + QLatin1Char('"');
    if (error == HexError::OutOfRange) {
        return tr("The code %1 is above FFFF: a code is one hexadecimal byte, 00 to FF, or two, "
                  "0000 to FFFF.")
            .arg(quoted);
    }
    QString message = tr("The code %1 is not a hexadecimal code of one byte, 00 to FF, or two, "
                         "0000 to FFFF.")
                          .arg(quoted);
    const auto firstDigit = typed.find_first_not_of(' ');
    if (firstDigit != 0 && firstDigit != std::string_view::npos) {
        message += QLatin1Char(' ') + tr("Remove the blank before the digits.");
    }
    return message;
}

QString TableOrderMessages::BadCode(std::string_view typed, HexError error) {
    const QString quoted = QLatin1Char('"') + Text(typed) + QLatin1Char('"');
    if (error == HexError::OutOfRange) {
        return tr("The code %1 is above FF: a code is a hexadecimal byte from 00 to FF.")
            .arg(quoted);
    }
    QString message = tr("The code %1 is not a hexadecimal byte from 00 to FF.").arg(quoted);
    const auto firstDigit = typed.find_first_not_of(' ');
    if (firstDigit != 0 && firstDigit != std::string_view::npos) {
        message += QLatin1Char(' ') + tr("Remove the blank before the digits.");
    }
    return message;
}

QString TableOrderMessages::StartAboveFFFF(std::string_view typed) {
    return tr("The code \"%1\" is above FFFF: a start is a hexadecimal byte from 00 to FF, or "
              "two bytes from 0000 to FFFF.")
        .arg(Text(typed));
}

QString TableOrderMessages::BadStart(std::string_view typed) {
    // A line may start at a byte or at two bytes: both are named.
    if (typed.find_first_not_of(' ') == std::string_view::npos) {
        return tr("No start was typed. Type the code the line starts at: a hexadecimal byte from "
                  "00 to FF, or two bytes from 0000 to FFFF (00 for no start of its own).");
    }
    return BadTableCode(typed, HexError::NotANumber);
}

QString TableOrderMessages::NoLineSelected() {
    return tr(
        "No line of the Table Order is selected. Select the line that is to start at this "
        "code.");
}

QString TableOrderMessages::NotEucJp(const QString& character) {
    return tr("The character \"%1\" cannot be stored: table files hold EUC-JP text, and EUC-JP "
              "has no code for it.")
        .arg(character);
}

QString TableOrderMessages::IncludeAction(const QString& lineText) {
    return tr("Include %1").arg(lineText);
}

QString TableOrderMessages::RemoveAction(const QString& lineText) {
    return tr("Remove %1").arg(lineText);
}

QString TableOrderMessages::RelativeStartAction(const QString& lineText) {
    return tr("Relative Start of %1").arg(lineText);
}

QString TableOrderMessages::SingleEntryAction(TableCode code) {
    return tr("Single Entry %1").arg(QString::fromStdString(code.Hex()));
}

QString TableOrderMessages::SingleEntryAction(int code) {
    return tr("Single Entry %1").arg(Hex(code));
}

}  // namespace glyphwright

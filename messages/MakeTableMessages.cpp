#include "MakeTableMessages.h"

#include <algorithm>
#include <span>

#include "FileMessages.h"
#include "MessageText.h"
#include "TableEntryMessages.h"
#include "core/table/AssembleTable.h"
#include "core/table/CodeMap.h"
#include "core/table/ParseHexByte.h"
#include "core/table/TableCode.h"
#include "core/text/EucJp.h"
#include "tablefile/TableFormat.h"

namespace glyphwright {

QString MakeTableMessages::StartCodePrompt() {
    return tr("What hex byte does the font table start at?");
}

QString MakeTableMessages::StartCodeTitle() {
    return tr("Where does font table begin");
}

QStringList MakeTableMessages::TableFileFilters() {
    return {tr(".tbl files (*.tbl)"), tr("Table File Standard, UTF-8 (*.tbl)"),
            tr("Shift-JIS (*.tbl)"), tr("abcde (*.tbl)")};
}

QString MakeTableMessages::Failure(const TableFailure& failure) {
    // A file that could not be written has its words with the other files'; naming the class
    // keeps a FileError from converting back into a TableFailure here.
    return std::visit(
        Overloaded{[](const FileError& value) { return FileMessages::Failure(value); },
                   [](const auto& value) { return MakeTableMessages::Failure(value); }},
        failure);
}

QString MakeTableMessages::Failure(const StartCodeError& failure) {
    if (failure.typed.empty()) {
        return tr(
            "No start code was given. Type the code at which the font table begins, "
            "as a hexadecimal byte from 00 to FF.");
    }
    const QString typed = Text(failure.typed);
    const QString what = failure.error == HexError::OutOfRange
                             ? tr("The start code \"%1\" is larger than FF.").arg(typed)
                             : tr("The start code \"%1\" is not a hexadecimal byte.").arg(typed);
    return what + QLatin1Char(' ') +
           tr("Type the code at which the font table begins, from 00 to FF (for example 10).");
}

QString MakeTableMessages::Failure(const AssemblyError& failure) {
    switch (failure.kind) {
        case AssemblyError::Kind::PastFF:
            return tr("The set \"%1\" on line %2 of the Table Order begins at code %3 and would "
                      "run past code FF. No table was made.")
                .arg(Text(failure.setName))
                .arg(failure.line)
                .arg(Hex(failure.setStart));
        case AssemblyError::Kind::PastFFFF:
            return tr("The set \"%1\" on line %2 of the Table Order begins at code %3 and would "
                      "run past code FFFF. No table was made.")
                .arg(Text(failure.setName))
                .arg(failure.line)
                .arg(HexNumber(static_cast<std::uint64_t>(failure.setStart), 4));
        case AssemblyError::Kind::NothingToLay:
            return tr(
                "The Table Order lays no character set, so there is nothing to write. "
                "No table was made.");
        case AssemblyError::Kind::EmptyRange:
            return tr("No code would be written: the last code laid, %1, comes before the start "
                      "code %2. No table was made.")
                .arg(Hex(failure.last), Hex(failure.setStart));
    }
    return tr("No table was made.");
}

QString MakeTableMessages::Failure(const FormatError& failure) {
    const QString code = QString::fromStdString(failure.code.Hex());
    switch (failure.kind) {
        case FormatError::Kind::TwoByteCodes: {
            constexpr std::size_t kNamed = 8;
            QStringList named;
            for (std::size_t i = 0; i < std::min(failure.twoByteCodes.size(), kNamed); ++i) {
                named << QString::fromStdString(failure.twoByteCodes[i].Hex());
            }
            if (failure.twoByteCodes.size() > kNamed) {
                named << tr("and %1 more").arg(failure.twoByteCodes.size() - kNamed);
            }
            return tr("The table holds two-byte codes (%1), which a classic table file cannot "
                      "hold. Save it as UTF-8 or Shift-JIS. No file was written.")
                .arg(named.join(QStringLiteral(", ")));
        }
        case FormatError::Kind::NotEucJp:
            return TableEntryMessages::NotEucJp(failure.codes, Text(failure.character));
        case FormatError::Kind::NotClassic:
            return TableEntryMessages::NotClassic(failure.codes, failure.tables);
        case FormatError::Kind::UnlabelledLineBreak:
            return TableEntryMessages::UnlabelledLineBreaks(failure.codes);
        case FormatError::Kind::UnknownTable:
            return TableEntryMessages::UnknownTable(code, Text(failure.character));
        case FormatError::Kind::Unconvertible:
            return tr("The entry at code %1 cannot be written in the chosen format: \"%2\" has no "
                      "code there. Choose another format, or change the entry. No file was "
                      "written.")
                .arg(code, Text(failure.character));
        case FormatError::Kind::LineBreak:
            return tr("The entry at code %1 holds a line break, which would split its line for "
                      "every program that reads the file. No file was written.")
                .arg(code);
        case FormatError::Kind::ControlCharacter: {
            QString bytes;
            for (const char byte : failure.character) {
                bytes += QStringLiteral("%1 ").arg(static_cast<unsigned char>(byte), 2, 16,
                                                   QLatin1Char('0'));
            }
            return tr("The entry at code %1 holds the control character %2, which programs that "
                      "read tables do not take. No file was written.")
                .arg(code, bytes.trimmed().toUpper());
        }
        case FormatError::Kind::Markup:
            return tr("The entry at code %1 holds \"%2\", which programs that read UTF-8 and "
                      "Shift-JIS tables take for the bracket of a control code. If the code ends "
                      "a string or breaks a line, make it a control code (an end code or a line "
                      "break); otherwise choose another character. No file was written.")
                .arg(code, Text(failure.character));
    }
    return tr("No file was written.");
}

QString MakeTableMessages::MakeTableAction() {
    return tr("Make Table");
}

QString MakeTableMessages::StartCodeAction(const QString& text) {
    return tr("Start Code %1").arg(text).trimmed();
}

QString MakeTableMessages::DuplicateWarning(const std::vector<DuplicateText>& duplicates) {
    // Each code as the file writes it, one byte or two: "あ at 10 and 8140".
    // Thousands of them would make a box taller than the screen: the first few, and a count.
    constexpr std::size_t kNamed = 5;
    QStringList each;
    for (const DuplicateText& duplicate :
         std::span(duplicates).first(std::min(duplicates.size(), kNamed))) {
        const auto text = DecodeEucJp(duplicate.text);
        QStringList hex;
        for (const TableCode code : duplicate.codes) hex << QString::fromStdString(code.Hex());
        const QString last = hex.takeLast();
        each << tr("%1 at %2 and %3")
                    .arg(text ? QString::fromStdString(text.value())
                              : QString::fromLatin1(
                                    QByteArray::fromStdString(duplicate.text).toHex(' ')),
                         hex.join(QStringLiteral(", ")), last);
    }
    if (duplicates.size() > kNamed) each << tr("and %1 more").arg(duplicates.size() - kNamed);
    return tr("The table was written, but the same text stands at more than one code: %1. "
              "Programs that insert text disagree about which of those codes they write.")
        .arg(each.join(QStringLiteral("; ")));
}

}  // namespace glyphwright

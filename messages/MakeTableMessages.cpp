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
    // Every problem in one message, so that mending one does not merely reveal the next; a table
    // with thousands of them names the first few and counts the rest.
    constexpr std::size_t kNamed = 5;
    QStringList said{Problem(failure)};
    for (std::size_t i = 0; i < std::min(failure.others.size(), kNamed - 1); ++i) {
        said << Problem(failure.others[i]);
    }
    if (const std::size_t rest = failure.others.size() - std::min(failure.others.size(),
                                                                  kNamed - 1);
        rest == 1) {
        said << tr("One more entry cannot be written either.");
    } else if (rest > 1) {
        said << tr("%1 more entries cannot be written either.").arg(rest);
    }
    said << tr("No file was written.");
    return said.join(QLatin1Char(' '));
}

QString MakeTableMessages::Problem(const FormatError& failure) {
    const QString code = QString::fromStdString(failure.code.Hex());
    switch (failure.kind) {
        case FormatError::Kind::TwoByteCodes: {
            QStringList named;
            for (std::size_t i = 0; i < std::min(failure.twoByteCodes.size(), kCodesNamed); ++i) {
                named << QString::fromStdString(failure.twoByteCodes[i].Hex());
            }
            if (failure.twoByteCodes.size() > kCodesNamed) {
                named << tr("and %1 more").arg(failure.twoByteCodes.size() - kCodesNamed);
            }
            return tr("The table holds two-byte codes (%1), which a classic table file cannot "
                      "hold. Save it as UTF-8 or Shift-JIS.")
                .arg(named.join(QStringLiteral(", ")));
        }
        case FormatError::Kind::NotEucJp:
            return TableEntryMessages::NotEucJp(failure.codes,
                                                TableEntryMessages::Quoted(failure.character));
        case FormatError::Kind::NotClassic:
            return TableEntryMessages::NotClassic(failure.codes, failure.tables);
        case FormatError::Kind::UnlabelledLineBreak:
            return TableEntryMessages::UnlabelledLineBreaks(failure.codes);
        case FormatError::Kind::UnknownTable:
            return TableEntryMessages::UnknownTable(code, Text(failure.character));
        case FormatError::Kind::Unconvertible:
            return tr("The entry at code %1 cannot be written in the chosen format: it has no "
                      "code for %2. Choose another format, or change the entry.")
                .arg(code, TableEntryMessages::Quoted(failure.character));
        case FormatError::Kind::LineBreak:
            return tr("The entry at code %1 holds a line break, which would split its line for "
                      "every program that reads the file.")
                .arg(code);
        case FormatError::Kind::ControlCharacter: {
            QString bytes;
            for (const char byte : failure.character) {
                bytes += QStringLiteral("%1 ").arg(static_cast<unsigned char>(byte), 2, 16,
                                                   QLatin1Char('0'));
            }
            return tr("The entry at code %1 holds the control character %2, which programs that "
                      "read tables do not take.")
                .arg(code, bytes.trimmed().toUpper());
        }
        case FormatError::Kind::Markup:
            return tr("The label of the end code %1 holds \"%2\", which would end or open again "
                      "the brackets the file writes the label in. Choose another character.")
                .arg(code, Text(failure.character));
    }
    return {};
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
        QStringList hex;
        for (const TableCode code : duplicate.codes) hex << QString::fromStdString(code.Hex());
        const QString last = hex.takeLast();
        each << tr("%1 at %2 and %3")
                    .arg(TableEntryMessages::Shown(duplicate.text),
                         hex.join(QStringLiteral(", ")), last);
    }
    if (duplicates.size() > kNamed) each << tr("and %1 more").arg(duplicates.size() - kNamed);
    return tr("The table was written, but the same text stands at more than one code: %1. "
              "Programs that insert text disagree about which of those codes they write.")
        .arg(each.join(QStringLiteral("; ")));
}

QString MakeTableMessages::AngleBracketWarning(const std::vector<TableCode>& codes) {
    const QString named = TableEntryMessages::CodeList(codes);
    if (codes.size() == 1) {
        return tr("The table was written, but the entry at code %1 holds \"<\" or \">\": abcde "
                  "takes them for its own markup and refuses a table that holds them. The other "
                  "programs that read tables insert them as text.")
            .arg(named);
    }
    return tr("The table was written, but the entries at codes %1 hold \"<\" or \">\": abcde "
              "takes them for its own markup and refuses a table that holds them. The other "
              "programs that read tables insert them as text.")
        .arg(named);
}

QString MakeTableMessages::WrittenWarnings(const std::vector<DuplicateText>& duplicates,
                                           const std::vector<TableCode>& angleBrackets) {
    QStringList said;
    if (!duplicates.empty()) said << DuplicateWarning(duplicates);
    if (!angleBrackets.empty()) said << AngleBracketWarning(angleBrackets);
    return said.join(QLatin1Char('\n'));
}

}  // namespace glyphwright

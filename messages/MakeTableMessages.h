#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <vector>

#include "tablefile/MakeTable.h"

namespace glyphwright {
enum class TableFormat;

// MAKE TABLE: its questions, its file types and why a table was not made.
class MakeTableMessages final {
    Q_DECLARE_TR_FUNCTIONS(MakeTableMessages)

public:
    MakeTableMessages() = delete;

    [[nodiscard]] static QString StartCodePrompt();
    [[nodiscard]] static QString StartCodeTitle();
    // The Save dialog's file types, in the order of TableFormat: the classic one first.
    [[nodiscard]] static QStringList TableFileFilters();
    [[nodiscard]] static QString Failure(const TableFailure& failure);
    [[nodiscard]] static QString Failure(const StartCodeError& failure);
    [[nodiscard]] static QString Failure(const AssemblyError& failure);
    // Every entry that cannot be written, each in a sentence of its own.
    [[nodiscard]] static QString Failure(const FormatError& failure);
    // The same text at several codes of a UTF-8 or Shift-JIS file: written, with a warning.
    [[nodiscard]] static QString DuplicateWarning(const std::vector<DuplicateText>& duplicates);
    // Entries holding < or >, which abcde refuses a whole table for: written, with a warning.
    [[nodiscard]] static QString AngleBracketWarning(const std::vector<TableCode>& codes);
    // Everything a table written warns of, in one message; empty when there is nothing.
    [[nodiscard]] static QString WrittenWarnings(const std::vector<DuplicateText>& duplicates,
                                                 const std::vector<TableCode>& angleBrackets);
    [[nodiscard]] static QString MakeTableAction();
    // The start code typed, as one step to undo: "Start Code 10".
    [[nodiscard]] static QString StartCodeAction(const QString& text);

private:
    // How many codes one sentence names before it counts the rest.
    static constexpr std::size_t kCodesNamed = 8;
    // One problem of a file that could not be written, without the words that nothing was.
    [[nodiscard]] static QString Problem(const FormatError& failure);
};

}  // namespace glyphwright

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

#include "core/table/TableEntry.h"

namespace glyphwright {
enum class TableFormat;

// The code map: what the file will hold, cell by cell, and its legend.
class CodeMapMessages final {
    Q_DECLARE_TR_FUNCTIONS(CodeMapMessages)

public:
    CodeMapMessages() = delete;

    [[nodiscard]] static QString CodeMapTitle();
    // The codes first..last the file covers; 00-0F of them are written even when empty.
    [[nodiscard]] static QString CodeMapRange(int first, int last);
    // The last code laid comes before the start code: the file holds no code.
    [[nodiscard]] static QString CodeMapNoRange(int first, int last);
    // "あ at 00 and 32; い at 01 and 33"; `duplicates` pairs each text with its codes; `more`
    // tells of as many more not listed.
    [[nodiscard]] static QString CodeMapDuplicates(
        const QList<QPair<QString, QList<int>>>& duplicates, int more);
    // All of them, one a line.
    [[nodiscard]] static QString CodeMapDuplicatesList(
        const QList<QPair<QString, QList<int>>>& duplicates);
    [[nodiscard]] static QString CodeMapNoDuplicates();
    [[nodiscard]] static QString CodeMapCode(int code);
    [[nodiscard]] static QString CodeMapCell(int code, const QString& text);  // accessible name
    [[nodiscard]] static QString CodeMapBytes(const QString& hexBytes);
    [[nodiscard]] static QString CodeMapText(const QString& text);
    [[nodiscard]] static QString CodeMapEmpty();
    [[nodiscard]] static QString CodeMapLaidBy(int line, const QString& lineText);
    [[nodiscard]] static QString CodeMapOverlap(int line, const QString& lineText, int earlier,
                                                const QString& earlierText);
    [[nodiscard]] static QString CodeMapReplaces(const QString& held);
    [[nodiscard]] static QString CodeMapHeld();
    // What a control code is, in a code's tooltip: a switch's `count` 0 lasts until a code the
    // table lacks.
    [[nodiscard]] static QString CodeMapKind(EntryKind kind, int parameters, const QString& table,
                                             int count);
    // The key's line for a kind of control code.
    [[nodiscard]] static QString CodeMapKeyKind(EntryKind kind);
    [[nodiscard]] static QString CodeMapOutOfRange();
    [[nodiscard]] static QString CodeMapNotWritten();  // on failure: no file would be made
    [[nodiscard]] static QString CodeMapLegendTitle();
    [[nodiscard]] static QString CodeMapLegendLine(int line, const QString& lineText);
    [[nodiscard]] static QString CodeMapLegendCodes(int codes);
    [[nodiscard]] static QString CodeMapKeyHeld();
    [[nodiscard]] static QString CodeMapKeyOverlap();
    // The code map's words for the format the file is shown in.
    [[nodiscard]] static QString CodeMapKeyOutOfRange(TableFormat format);
    [[nodiscard]] static QString CodeMapWholeTable(TableFormat format);
    [[nodiscard]] static QString FormatTitle(TableFormat format);  // "classic", "UTF-8", …
    // The page selector: the one-byte codes, or the two-byte codes of one first byte.
    [[nodiscard]] static QString CodeMapPageLabel();
    [[nodiscard]] static QString CodeMapOneBytePage();
    [[nodiscard]] static QString CodeMapTwoBytePage(int first);
    [[nodiscard]] static QString CodeMapPagesInUseLabel();
    [[nodiscard]] static QString CodeMapPageInUse(int first, int codes);
    // A two-byte code, as its stored bytes.
    [[nodiscard]] static QString CodeMapTwoByteCode(int stored);
    [[nodiscard]] static QString CodeMapTwoByteCell(int stored, const QString& text);
};

}  // namespace glyphwright

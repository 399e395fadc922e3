#include "CodeMapMessages.h"

#include "MessageText.h"
#include "tablefile/TableFormat.h"

namespace glyphwright {

QString CodeMapMessages::CodeMapTitle() {
    return tr("Code Map");
}

QString CodeMapMessages::CodeMapRange(int first, int last) {
    const QString written = tr("Codes %1\u2013%2 will be written").arg(Hex(first), Hex(last));
    if (first > 0x0F) return written + QLatin1Char('.');
    const int alwaysTo = std::min(last, 0x0F);
    const QString always = first == alwaysTo
                               ? Hex(first)
                               : QStringLiteral("%1\u2013%2").arg(Hex(first), Hex(alwaysTo));
    return written + tr("; %1 always, even when empty.").arg(always);
}

QString CodeMapMessages::CodeMapNoRange(int first, int last) {
    return tr("No code will be written: the last code laid, %1, comes before the start code %2.")
        .arg(Hex(last), Hex(first));
}

namespace {

QStringList EachDuplicate(const QList<QPair<QString, QList<int>>>& duplicates) {
    QStringList each;
    for (const auto& [text, codes] : duplicates) {
        QStringList hex;
        for (const int code : codes) hex << Hex(code);
        const QString last = hex.takeLast();
        each << CodeMapMessages::tr("%1 at %2 and %3")
                    .arg(text, hex.join(QStringLiteral(", ")), last);
    }
    return each;
}

}  // namespace

QString CodeMapMessages::CodeMapDuplicates(const QList<QPair<QString, QList<int>>>& duplicates,
                                           int more) {
    if (duplicates.isEmpty()) {
        return more == 1
                   ? tr("The same text at more than one code: 1 text; point here for the list.")
                   : tr("The same text at more than one code: %1 texts; point here for the list.")
                         .arg(more);
    }
    QString list = EachDuplicate(duplicates).join(QStringLiteral("; "));
    if (more > 0) list += tr("; and %1 more").arg(more);
    return tr("The same text at more than one code: %1.").arg(list);
}

QString CodeMapMessages::CodeMapDuplicatesList(
    const QList<QPair<QString, QList<int>>>& duplicates) {
    return EachDuplicate(duplicates).join(QLatin1Char('\n'));
}

QString CodeMapMessages::CodeMapNoDuplicates() {
    return tr("No text stands at more than one code.");
}

QString CodeMapMessages::CodeMapCode(int code) {
    return tr("Code %1").arg(Hex(code));
}

QString CodeMapMessages::CodeMapCell(int code, const QString& text) {
    return text.isEmpty() ? tr("Code %1, empty").arg(Hex(code))
                          : tr("Code %1, %2").arg(Hex(code), text);
}

QString CodeMapMessages::CodeMapBytes(const QString& hexBytes) {
    return tr("Bytes: %1").arg(hexBytes);
}

QString CodeMapMessages::CodeMapText(const QString& text) {
    return tr("Text: %1").arg(text);
}

QString CodeMapMessages::CodeMapEmpty() {
    return tr("Empty");
}

QString CodeMapMessages::CodeMapLaidBy(int line, const QString& lineText) {
    return tr("Laid by line %1 (%2)").arg(QString::number(line), lineText);
}

QString CodeMapMessages::CodeMapOverlap(int line, const QString& lineText, int earlier,
                                        const QString& earlierText) {
    return tr("Overlap: line %1 (%2) lays this code over line %3 (%4)")
        .arg(QString::number(line), lineText, QString::number(earlier), earlierText);
}

QString CodeMapMessages::CodeMapReplaces(const QString& held) {
    return tr("Overlap: replaces %1, which the table holds now").arg(held);
}

QString CodeMapMessages::CodeMapHeld() {
    return tr(
        "Held in the table now (a single entry, or a code an earlier MAKE TABLE run "
        "filled); MAKE TABLE keeps it");
}

QString CodeMapMessages::CodeMapOutOfRange() {
    return tr("Outside the range the file covers: not written");
}

QString CodeMapMessages::CodeMapNotWritten() {
    return tr("Not written: MAKE TABLE would make no file now");
}

QString CodeMapMessages::CodeMapLegendTitle() {
    return tr("&Lines on the map");
}

QString CodeMapMessages::CodeMapLegendLine(int line, const QString& lineText) {
    return tr("%1  %2").arg(QString::number(line), lineText);
}

QString CodeMapMessages::CodeMapLegendCodes(int codes) {
    return codes == 1 ? tr("1 code on the map") : tr("%1 codes on the map").arg(codes);
}

QString CodeMapMessages::CodeMapKind(EntryKind kind, int parameters, const QString& table,
                                     int count) {
    switch (kind) {
        case EntryKind::EndCode:
            return tr("End code: ends a string");
        case EntryKind::LineBreak:
            return tr("Line break: starts a new line");
        case EntryKind::Linked:
            return parameters == 1
                       ? tr("Linked entry: 1 byte of parameters follows")
                       : tr("Linked entry: %1 bytes of parameters follow").arg(parameters);
        case EntryKind::TableSwitch:
            return count == 0
                       ? tr("Table switch: the codes after it read through the table %1 until "
                            "one it lacks")
                             .arg(table)
                   : count == 1
                       ? tr("Table switch: the code after it reads through the table %1").arg(table)
                       : tr("Table switch: %1 codes after it read through the table %2")
                             .arg(count)
                             .arg(table);
        case EntryKind::Ordinary:
            break;
    }
    return {};
}

QString CodeMapMessages::CodeMapKeyKind(EntryKind kind) {
    switch (kind) {
        case EntryKind::EndCode:
            return tr("End code");
        case EntryKind::LineBreak:
            return tr("Line break");
        case EntryKind::Linked:
            return tr("Linked entry: parameters follow");
        case EntryKind::TableSwitch:
            return tr("Table switch: reads through another table");
        case EntryKind::Ordinary:
            break;
    }
    return {};
}

QString CodeMapMessages::CodeMapKeyHeld() {
    return tr("Held now: single entries, earlier runs");
}

QString CodeMapMessages::CodeMapKeyOverlap() {
    return tr("Overlap: laid over another line's code");
}

QString CodeMapMessages::CodeMapKeyOutOfRange(TableFormat format) {
    return tr("Dimmed: not written to a %1 file").arg(FormatTitle(format));
}

QString CodeMapMessages::CodeMapWholeTable(TableFormat format) {
    return tr("Every code that holds an entry will be written to a %1 file, laid or not.")
        .arg(FormatTitle(format));
}

QString CodeMapMessages::FormatTitle(TableFormat format) {
    switch (format) {
        case TableFormat::Classic:
            return tr("classic");
        case TableFormat::Utf8:
            return tr("UTF-8");
        case TableFormat::ShiftJis:
            return tr("Shift-JIS");
        case TableFormat::Abcde:
            return tr("abcde");
    }
    return tr("classic");
}

QString CodeMapMessages::CodeMapPageLabel() {
    return tr("&Page:");
}

QString CodeMapMessages::CodeMapOneBytePage() {
    return tr("One byte (00–FF)");
}

QString CodeMapMessages::CodeMapTwoBytePage(int first) {
    return tr("Two bytes %1–%2")
        .arg(HexNumber(static_cast<std::uint64_t>(first) << 8, 4),
             HexNumber((static_cast<std::uint64_t>(first) << 8) | 0xFF, 4));
}

QString CodeMapMessages::CodeMapPagesInUseLabel() {
    return tr("&Go to a page that holds codes:");
}

QString CodeMapMessages::CodeMapPageInUse(int first, int codes) {
    return codes == 1 ? tr("%1 (1 code)").arg(CodeMapTwoBytePage(first))
                      : tr("%1 (%2 codes)").arg(CodeMapTwoBytePage(first)).arg(codes);
}

QString CodeMapMessages::CodeMapTwoByteCode(int stored) {
    return tr("Code %1").arg(HexNumber(static_cast<std::uint64_t>(stored), 4));
}

QString CodeMapMessages::CodeMapTwoByteCell(int stored, const QString& text) {
    const QString code = HexNumber(static_cast<std::uint64_t>(stored), 4);
    return text.isEmpty() ? tr("Code %1, empty").arg(code) : tr("Code %1, %2").arg(code, text);
}

}  // namespace glyphwright

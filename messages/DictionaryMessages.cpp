#include "DictionaryMessages.h"

#include <cmath>

#include "HexText.h"
#include "core/dictionary/FindDictionary.h"
#include "core/text/ScriptCoverage.h"

namespace glyphwright {

namespace {

QString Percent(double share) {
    return QString::number(static_cast<int>(std::lround(share * 100.0)));
}

QString CodeList(const std::vector<std::uint8_t>& codes, std::size_t most) {
    QStringList shown;
    for (std::size_t i = 0; i < codes.size() && i < most; ++i) shown << HexNumber(codes[i]);
    if (codes.size() > most) shown << QStringLiteral("…");
    return shown.join(QStringLiteral(", "));
}

}  // namespace

QString DictionaryMessages::CoverageHelp() {
    return tr(
        "Usage: glyphwright coverage --game FILE --import TABLE... [--range START:END]\n"
        "\n"
        "Reads the game's bytes through the tables as a dumper does, the longest code first,\n"
        "and lists the codes the script uses that the tables hold no entry for, most used\n"
        "first, one a line:\n"
        "\n"
        "  CODE<tab>USES\n"
        "\n"
        "CODE is the code in two hex digits, USES how often the script uses it. A table that\n"
        "reads the whole script makes no line: it is done.\n"
        "\n"
        "Options:\n"
        "  -g, --game FILE        the game file\n"
        "  -i, --import TABLE     a table file (classic, UTF-8 or Shift-JIS, found from the\n"
        "                         file); repeatable, a later table's entry wins on its code\n"
        "  -r, --range START:END  read only the bytes from START up to END (not included),\n"
        "                         hexadecimal offsets; by default the whole file\n"
        "  -h, --help             show this help\n"
        "\n"
        "Exit status: 0 read, 1 a file could not be read, 2 bad usage.\n");
}

QString DictionaryMessages::FindDictionaryHelp() {
    return tr(
        "Usage: glyphwright find-dictionary --game FILE --import TABLE... [--output TABLE]\n"
        "                                   [--format FORMAT]\n"
        "\n"
        "Finds where the game spells out the codes its script uses that the tables lack (a\n"
        "dictionary of DTE or MTE entries), spelled in the tables' own codes, in any of these\n"
        "layouts: pairs side by side; two arrays, all left codes then all right codes; entries\n"
        "ended by a code; entries led by their length; a table of two-byte pointers to entries\n"
        "ended by a code. What is found is ranked by how well the script reads with it.\n"
        "\n"
        "Prints the proposed entries as table lines, one per code (70=てき), and tells on\n"
        "standard error where the dictionary is, its layout and how sure the finding is.\n"
        "\n"
        "Options:\n"
        "  -g, --game FILE       the game file\n"
        "  -i, --import TABLE    a table file (classic, UTF-8 or Shift-JIS, found from the\n"
        "                        file); repeatable, a later table's entry wins on its code\n"
        "  -o, --output TABLE    also write the tables with the proposed entries added\n"
        "  -f, --format FORMAT   the format of --output: utf8 (the default), sjis, abcde\n"
        "                        or classic\n"
        "  -h, --help            show this help\n"
        "\n"
        "Exit status: 0 found, 1 nothing found or a file could not be read or written,\n"
        "2 bad usage.\n");
}

QString DictionaryMessages::LayoutName(DictionaryLayout layout) {
    switch (layout) {
        case DictionaryLayout::Pairs:
            return tr("pairs side by side");
        case DictionaryLayout::TwoArrays:
            return tr("two arrays, left codes then right codes");
        case DictionaryLayout::EndedEntries:
            return tr("entries ended by a code");
        case DictionaryLayout::LengthPrefixed:
            return tr("entries led by their length");
        case DictionaryLayout::PointerTable:
            return tr("a pointer table to entries ended by a code");
    }
    return {};
}

QString DictionaryMessages::Found(const FoundDictionary& found) {
    const QString codes =
        found.entries.empty()
            ? QString()
            : tr("%1-%2").arg(HexNumber(found.entries.front().code),
                              HexNumber(found.entries.back().code));
    const QString sure = tr("certainty %1 %").arg(Percent(found.certainty));
    switch (found.layout) {
        case DictionaryLayout::EndedEntries:
            return tr("dictionary at %1: %2 (%3 ends each), %4 entries for codes %5; %6")
                .arg(HexNumber(found.offset, 1), LayoutName(found.layout),
                     HexNumber(found.endCode), QString::number(found.entries.size()), codes, sure);
        case DictionaryLayout::PointerTable:
            return tr("dictionary at %1: %2 (%3 two-byte pointers, %4; entries at %5, %6 ends "
                      "each), %7 entries for codes %8; %9")
                .arg(HexNumber(found.offset, 1), LayoutName(found.layout),
                     QString::number(found.entryCount),
                     found.bigEndian ? tr("high byte first") : tr("low byte first"),
                     HexNumber(found.entriesOffset, 1), HexNumber(found.endCode),
                     QString::number(found.entries.size()), codes, sure);
        default:
            return tr("dictionary at %1: %2, %3 entries for codes %4; %5")
                .arg(HexNumber(found.offset, 1), LayoutName(found.layout),
                     QString::number(found.entries.size()), codes, sure);
    }
}

QString DictionaryMessages::KnownText(const FoundDictionary& found) {
    return tr("known text of the script: %1 % without the entries, %2 % with them")
        .arg(Percent(found.knownBefore), Percent(found.knownAfter));
}

QString DictionaryMessages::NothingMissing() {
    return tr("the tables hold every code the script uses: there is no dictionary to find");
}

QString DictionaryMessages::NothingFound(const std::vector<std::uint8_t>& missing) {
    return tr("no dictionary found for the %n code(s) the script uses that the tables lack "
              "(%1)",
              nullptr, static_cast<int>(missing.size()))
        .arg(CodeList(missing, 16));
}

QString DictionaryMessages::NotEucJp(std::uint8_t code, const QString& text) {
    return tr("%1=%2 is left out: the table keeps its entries in EUC-JP, which has no code for it")
        .arg(HexNumber(code), text);
}

QString DictionaryMessages::BadRange(const QString& range) {
    return tr("--range %1 is no range: give START:END, two hexadecimal offsets with START "
              "below END")
        .arg(range);
}

QString DictionaryMessages::RangePastEnd(const QString& range, std::uint64_t size) {
    return tr("--range %1 begins past the end of the game file (%2 bytes, up to %3)")
        .arg(range, QString::number(size), HexNumber(size, 1));
}

QString DictionaryMessages::Unreadable(const QString& path, const QString& reason) {
    return tr("cannot read %1: %2").arg(path, reason);
}

QString DictionaryMessages::PageMissing(const std::vector<MissingCode>& missing) {
    if (missing.empty()) return tr("Every code on this page is in the table.");
    QStringList shown;
    for (std::size_t i = 0; i < missing.size() && i < 12; ++i) {
        shown << tr("%1 (%2)").arg(HexNumber(missing[i].code), QString::number(missing[i].uses));
    }
    if (missing.size() > 12) shown << tr("and %n more", nullptr, static_cast<int>(missing.size() - 12));
    return tr("Not in the table, most used first: %1").arg(shown.join(QStringLiteral(", ")));
}

QString DictionaryMessages::WindowTitle() {
    return tr("Find Dictionary");
}

QString DictionaryMessages::MenuItem() {
    return tr("Find &Dictionary...");
}

QString DictionaryMessages::FindButton() {
    return tr("&Find");
}

QString DictionaryMessages::StopButton() {
    return tr("&Stop");
}

QString DictionaryMessages::AcceptButton() {
    return tr("&Accept");
}

QString DictionaryMessages::Searching(int percent) {
    return tr("Searching... %1 %").arg(percent);
}

QString DictionaryMessages::Stopped() {
    return tr("Stopped.");
}

QString DictionaryMessages::Accepted(int count) {
    return tr("%n entry(s) put into the table.", nullptr, count);
}

QString DictionaryMessages::CodeColumn() {
    return tr("Code");
}

QString DictionaryMessages::TextColumn() {
    return tr("Text");
}

QString DictionaryMessages::UsesColumn() {
    return tr("Uses");
}

QString DictionaryMessages::AcceptUndoText(int count) {
    return tr("Dictionary entries (%1)").arg(count);
}

}  // namespace glyphwright

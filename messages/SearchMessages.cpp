#include "SearchMessages.h"

#include "MessageText.h"
#include "core/search/RelativeSearch.h"
#include "core/search/SearchWord.h"
#include "core/table/TableCode.h"

namespace glyphwright {

QString SearchMessages::Failure(const WordError& failure) {
    switch (failure.kind) {
        case WordProblem::TooFewLetters:
            return tr(
                "Type at least three known letters: a shorter word matches almost "
                "anywhere. Type ? for a letter you do not know.");
        case WordProblem::LetterInNoSet:
            return tr("The letter \"%1\" is in none of the character sets. Search for kana, latin "
                      "letters or digits, with ? for a letter you do not know.")
                .arg(Text(failure.letter));
        case WordProblem::NoSetHoldsAll:
            return tr(
                "No character set holds every letter of this word. Search for a word of one "
                "kind of letters, for example hiragana only.");
        case WordProblem::InvalidWord:
            break;
    }
    return tr("This word cannot be searched for.");
}

QStringList SearchMessages::LetterWidths() {
    return {tr("One byte per letter"), tr("Two bytes per letter, little-endian"),
            tr("Two bytes per letter, big-endian")};
}

QStringList SearchMessages::SearchHeaders() {
    return {tr("Hits / offset"), tr("Set"), tr("Start code"), tr("Text around the hit")};
}

QString SearchMessages::Searching() {
    return tr("Searching\u2026");
}

QString SearchMessages::SearchFound(quint64 hits, qsizetype groups) {
    const QString found = hits == 1 ? tr("1 hit") : tr("%1 hits").arg(hits);
    const QString starts = groups == 1 ? tr("1 start code") : tr("%1 start codes").arg(groups);
    return tr("%1, %2; those found most often come first.").arg(found, starts);
}

QString SearchMessages::SearchFoundNothing() {
    return tr("The word was not found with any built-in set.");
}

QString SearchMessages::SearchCancelled() {
    return tr("The search was cancelled.");
}

QString SearchMessages::StartPastFF(int start) {
    if (start < 0) return tr("-%1 (runs before 00)").arg(Hex(-start));
    if (start > 0xFF)
        return tr("%1 (needs two-byte codes)").arg(HexNumber(static_cast<std::uint64_t>(start), 4));
    return tr("%1 (runs past FF)").arg(Hex(start));
}

QString SearchMessages::MoreHits(quint64 count) {
    return tr("and %1 more").arg(count);
}

QString SearchMessages::NoResultSelected() {
    return tr("Select a result first.");
}

QString SearchMessages::GroupPastFF(const QString& set, int start) {
    if (start < 0) {
        return tr("The set \"%1\" cannot start at %2: it would begin before code 00, which no "
                  "table holds.")
            .arg(set, StartPastFF(start));
    }
    if (start > 0xFF) {
        return tr("The set \"%1\" cannot start at %2: a start above FF needs two-byte codes, "
                  "which a table here does not hold yet.")
            .arg(set, HexNumber(static_cast<std::uint64_t>(start), 4));
    }
    return tr("The set \"%1\" cannot start at %2: it would not fit in the codes 00 to FF. This "
              "is a chance match.")
        .arg(set, StartPastFF(start));
}

QString SearchMessages::NoOwnStartZero(const QString& set) {
    return tr("A line cannot start at 00 of its own: 00 means no start of its own. Make \"%1\" "
              "the first set of the Table Order and type 00 as the table's start code.")
        .arg(set);
}

QString SearchMessages::StartApplied(int line, const QString& set, int start) {
    return tr("Line %1 (%2) now starts at %3.").arg(QString::number(line), set, Hex(start));
}

QString SearchMessages::StartApplied(int line, const QString& set, TableCode start) {
    return tr("Line %1 (%2) now starts at %3.")
        .arg(QString::number(line), set, QString::fromStdString(start.Hex()));
}

QString SearchMessages::SetAdded(int line, const QString& set, TableCode start) {
    return tr("\"%1\" was added to the Table Order as line %2, starting at %3.")
        .arg(set, QString::number(line), QString::fromStdString(start.Hex()));
}

QString SearchMessages::CodeOrderFollowsSearch(bool littleEndian) {
    return littleEndian ? tr("Two-byte codes are counted little-endian now, low byte first, as "
                             "the game stores them.")
                        : tr("Two-byte codes are counted big-endian now, high byte first, as the "
                             "game stores them.");
}

QString SearchMessages::CodeOrderConflict(const QString& set, bool littleEndian) {
    return (littleEndian
                ? tr("The set \"%1\" was found with two-byte codes stored low byte first "
                     "(little-endian), but the Table Order has lines with two-byte starts that "
                     "count high byte first (big-endian). Remove those starts first.")
                : tr("The set \"%1\" was found with two-byte codes stored high byte first "
                     "(big-endian), but the Table Order has lines with two-byte starts that "
                     "count low byte first (little-endian). Remove those starts first."))
        .arg(set);
}

QString SearchMessages::SetAdded(int line, const QString& set, int start) {
    return tr("\"%1\" was added to the Table Order as line %2, starting at %3.")
        .arg(set, QString::number(line), Hex(start));
}

}  // namespace glyphwright

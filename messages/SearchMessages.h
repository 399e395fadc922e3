#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace glyphwright {
class TableCode;
struct WordError;

// The relative search: its results, and a start code taken from them.
class SearchMessages final {
    Q_DECLARE_TR_FUNCTIONS(SearchMessages)

public:
    SearchMessages() = delete;

    [[nodiscard]] static QString Failure(const WordError& failure);
    [[nodiscard]] static QStringList LetterWidths();  // in the order of LetterWidth
    [[nodiscard]] static QStringList SearchHeaders();
    [[nodiscard]] static QString Searching();
    [[nodiscard]] static QString SearchFound(quint64 hits, qsizetype groups);
    [[nodiscard]] static QString SearchFoundNothing();
    [[nodiscard]] static QString SearchCancelled();
    // A start code whose set leaves 00-FF: before 00, past FF, or a start that needs two bytes.
    [[nodiscard]] static QString StartPastFF(int start);
    // The hits of a group whose offsets are not listed.
    [[nodiscard]] static QString MoreHits(quint64 count);
    [[nodiscard]] static QString NoResultSelected();
    [[nodiscard]] static QString GroupPastFF(const QString& set, int start);
    [[nodiscard]] static QString NoOwnStartZero(const QString& set);
    [[nodiscard]] static QString StartApplied(int line, const QString& set, int start);
    [[nodiscard]] static QString SetAdded(int line, const QString& set, int start);
    // The same with a start of one or two bytes, as its stored bytes.
    [[nodiscard]] static QString StartApplied(int line, const QString& set, TableCode start);
    [[nodiscard]] static QString SetAdded(int line, const QString& set, TableCode start);
    // A two-byte start found in the other byte order than the one the Table Order counts in.
    [[nodiscard]] static QString CodeOrderFollowsSearch(bool littleEndian);
    [[nodiscard]] static QString CodeOrderConflict(const QString& set, bool littleEndian);
};

}  // namespace glyphwright

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <string_view>

#include "MakeTable.h"
#include "core/GameFile.h"
#include "core/ParseHexByte.h"
#include "core/SearchWord.h"
#include "project/ProjectFile.h"
#include "tablefile/ImportTable.h"

namespace glyphwright {

// Every sentence the program says to the user, in one place and translatable. The core and the
// table command report failures as values; these are their words.
class Messages final {
    Q_DECLARE_TR_FUNCTIONS(Messages)

public:
    Messages() = delete;

    [[nodiscard]] static QString Title();  // of every message box

    // MAKE TABLE
    [[nodiscard]] static QString StartCodePrompt();
    [[nodiscard]] static QString StartCodeTitle();
    // The Save dialog's file types, in the order of TableFormat: the classic one first.
    [[nodiscard]] static QStringList TableFileFilters();
    [[nodiscard]] static QString Failure(const TableFailure& failure);
    [[nodiscard]] static QString Failure(const StartCodeError& failure);
    [[nodiscard]] static QString Failure(const AssemblyError& failure);
    [[nodiscard]] static QString Failure(const FormatError& failure);
    [[nodiscard]] static QString Failure(const FileError& failure);
    [[nodiscard]] static QString Failure(const ProjectError& failure);
    // The same text at several codes of a UTF-8 or Shift-JIS file: written, with a warning.
    [[nodiscard]] static QString DuplicateWarning(const std::vector<DuplicateText>& duplicates);
    // Import Table…
    [[nodiscard]] static QString ImportTableMenu();
    [[nodiscard]] static QString ImportTableTitle();
    [[nodiscard]] static QString ImportProblems(const QString& file,
                                                const std::vector<ImportProblem>& problems);
    [[nodiscard]] static QString ImportTheRest(qsizetype entries);
    [[nodiscard]] static QString ProjectUnreadable(const QString& path, const QString& reason);

    // The entry dialogs
    [[nodiscard]] static QString OrderFull();
    [[nodiscard]] static QString BadCode(std::string_view typed, HexError error);
    [[nodiscard]] static QString NoLineSelected();
    [[nodiscard]] static QString NotEucJp(const QString& character);

    // The code map
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
    [[nodiscard]] static QString CodeMapOutOfRange();
    [[nodiscard]] static QString CodeMapNotWritten();  // on failure: no file would be made
    [[nodiscard]] static QString CodeMapLegendTitle();
    [[nodiscard]] static QString CodeMapLegendLine(int line, const QString& lineText);
    [[nodiscard]] static QString CodeMapLegendCodes(int codes);
    [[nodiscard]] static QString CodeMapKeyHeld();
    [[nodiscard]] static QString CodeMapKeyOverlap();
    [[nodiscard]] static QString CodeMapKeyOutOfRange();

    // Any action that failed unexpectedly
    [[nodiscard]] static QString ActionFailed(const char* reason);
    [[nodiscard]] static QString ActionFailedUnknown();

    // The exit sequence and the Help menu
    [[nodiscard]] static QString ExitQuestion();
    [[nodiscard]] static QString ExitTitle();
    [[nodiscard]] static QString FarewellTitle();
    [[nodiscard]] static QString FarewellText();
    [[nodiscard]] static QString AboutTitle();
    [[nodiscard]] static QString AboutText(const QString& version);

    // The game file
    [[nodiscard]] static QString OpenGameFileTitle();
    [[nodiscard]] static QString Failure(const GameFileError& failure);
    [[nodiscard]] static QString GameFileShown(const QString& path, quint64 size);
    [[nodiscard]] static QString NoGameFile();

    // The relative search
    [[nodiscard]] static QString Failure(const WordError& failure);
    [[nodiscard]] static QStringList LetterWidths();  // in the order of LetterWidth
    [[nodiscard]] static QStringList SearchHeaders();
    [[nodiscard]] static QString Searching();
    [[nodiscard]] static QString SearchFound(quint64 hits, qsizetype groups);
    [[nodiscard]] static QString SearchFoundNothing();
    [[nodiscard]] static QString SearchCancelled();
    [[nodiscard]] static QString StartPastFF(int start);  // a start code whose set leaves 00-FF
    [[nodiscard]] static QString NoResultSelected();
    [[nodiscard]] static QString GroupPastFF(const QString& set, int start);
    [[nodiscard]] static QString NoOwnStartZero(const QString& set);
    [[nodiscard]] static QString StartApplied(int line, const QString& set, int start);
    [[nodiscard]] static QString SetAdded(int line, const QString& set, int start);

    // The game text
    [[nodiscard]] static QStringList GameTextHeaders();
    [[nodiscard]] static QString TableLaid(int start);
    [[nodiscard]] static QString TableNotLaid(const QString& why);
    [[nodiscard]] static QString BadOffset(const QString& typed);
    [[nodiscard]] static QString OffsetPastEnd(quint64 offset, quint64 size);

    // Undo and redo: the names of the actions, shown after "Undo" and "Redo"
    [[nodiscard]] static QString EditMenu();
    [[nodiscard]] static QString UndoPrefix();
    [[nodiscard]] static QString RedoPrefix();
    [[nodiscard]] static QString IncludeAction(const QString& lineText);
    [[nodiscard]] static QString RemoveAction(const QString& lineText);
    [[nodiscard]] static QString RelativeStartAction(const QString& lineText);
    [[nodiscard]] static QString SingleEntryAction(int code);
    [[nodiscard]] static QString ImportAction(const QString& fileName);
    [[nodiscard]] static QString MakeTableAction();

    // Projects
    [[nodiscard]] static QString NewProject();
    [[nodiscard]] static QString OpenProject();
    [[nodiscard]] static QString SaveProject();
    [[nodiscard]] static QString SaveProjectAs();
    [[nodiscard]] static QString OpenRecent();
    [[nodiscard]] static QString OpenProjectTitle();
    [[nodiscard]] static QString ProjectFileFilter();
    [[nodiscard]] static QString UntitledProject();
    [[nodiscard]] static QString UnsavedChanges(const QString& project);
};

}  // namespace glyphwright

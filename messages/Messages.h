#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "MakeTable.h"
#include "SetFileStore.h"
#include "core/game/GameFile.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/table/ParseHexByte.h"
#include "core/glyphs/Repertoire.h"
#include "core/search/SearchWord.h"
#include "core/sets/SetCatalogue.h"
#include "core/table/TableCode.h"
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
    // Why a file could not be written, as the end of a sentence.
    [[nodiscard]] static QString Reason(const FileError& failure);
    [[nodiscard]] static QString Failure(const FileError& failure);
    [[nodiscard]] static QString Failure(const ProjectError& failure);
    // The same text at several codes of a UTF-8 or Shift-JIS file: written, with a warning.
    [[nodiscard]] static QString DuplicateWarning(const std::vector<DuplicateText>& duplicates);
    // Import Table…
    [[nodiscard]] static QString ImportTableMenu();
    // Edit > Control Code…
    [[nodiscard]] static QString ControlCodeMenu();
    [[nodiscard]] static QString ControlCodeTitle();
    [[nodiscard]] static QString ControlCodeCodeLabel();
    [[nodiscard]] static QString ControlCodeKindLabel();
    [[nodiscard]] static QString ControlCodeTextLabel();
    [[nodiscard]] static QString ControlCodeHelp();
    [[nodiscard]] static QString EndCodeKind();
    [[nodiscard]] static QString LineBreakKind();
    [[nodiscard]] static QString ControlCodeAction(int code);
    [[nodiscard]] static QString ControlCodeAction(TableCode code);
    // The Import Table dialog's file types: the format found from the file, then each format.
    [[nodiscard]] static QStringList ImportTableFilters();
    [[nodiscard]] static QString ImportTableTitle();
    [[nodiscard]] static QString ImportProblems(const QString& file,
                                                const std::vector<ImportProblem>& problems);
    [[nodiscard]] static QString ImportTheRest(qsizetype entries);
    [[nodiscard]] static QString ProjectUnreadable(const QString& path, const QString& reason);

    // The entry dialogs
    [[nodiscard]] static QString OrderFull();
    [[nodiscard]] static QString BadCode(std::string_view typed, HexError error);
    // A code typed where one of one byte or two may stand (a line's start, a single entry's code):
    // "80" one byte, "0080" two.
    [[nodiscard]] static QString BadTableCode(std::string_view typed, HexError error);
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
    // A relative start of more than four hex digits.
    [[nodiscard]] static QString StartAboveFFFF(std::string_view typed);

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

    // The character sets
    [[nodiscard]] static QString Failure(const SetProblem& failure);
    [[nodiscard]] static QString Failure(const SetFileReadError& failure);
    [[nodiscard]] static QString SetInUse(const QString& set);
    // A damaged set file moved aside at start-up, so that saving a set cannot replace it.
    [[nodiscard]] static QString SetFileKeptAside(const QString& aside);
    [[nodiscard]] static QString CharacterSetsTitle();
    [[nodiscard]] static QString CharacterSetsHelp();  // how members are typed, DTE pairs too
    [[nodiscard]] static QString BuiltInSetShown();
    [[nodiscard]] static QString NewSetName();
    [[nodiscard]] static QString CopyOfSet(const QString& set);
    [[nodiscard]] static QString DeleteSetQuestion(const QString& set);
    [[nodiscard]] static QString SetFileFilter();
    [[nodiscard]] static QString SetsImported(qsizetype count, const QString& path);
    [[nodiscard]] static QString SetsExported(qsizetype count, const QString& path);
    [[nodiscard]] static QString SetMemberCount(qsizetype count);
    // What follows a set's name when a project's copy of it joins the user's sets beside a
    // different set of that name, with the project file's name.
    [[nodiscard]] static QString ProjectSetSuffix(const QString& projectFile);
    // The sets a project brought: those the user lacked, and those added under a new name.
    [[nodiscard]] static QString KeptSetsAdded(
        const std::vector<std::string>& added,
        const std::vector<std::pair<std::string, std::string>>& renamed);

    // The game text
    [[nodiscard]] static QStringList GameTextHeaders();
    // Laid from `start`, the file covering start..last; other codes show as <XX>.
    [[nodiscard]] static QString TableLaid(int start, int last);
    [[nodiscard]] static QString TableNotLaid(const QString& why);
    [[nodiscard]] static QString BadOffset(const QString& typed);
    [[nodiscard]] static QString OffsetTooLarge(const QString& typed);
    // A file name whose bytes are not UTF-8, as the toolkit shows it.
    [[nodiscard]] static QString FileNameNotUtf8(const QString& path);  // hex, but too many digits
    [[nodiscard]] static QString OffsetPastEnd(quint64 offset, quint64 size);

    // Undo and redo: the names of the actions, shown after "Undo" and "Redo"
    [[nodiscard]] static QString EditMenu();
    [[nodiscard]] static QString UndoPrefix();
    [[nodiscard]] static QString RedoPrefix();
    [[nodiscard]] static QString IncludeAction(const QString& lineText);
    [[nodiscard]] static QString RemoveAction(const QString& lineText);
    [[nodiscard]] static QString RelativeStartAction(const QString& lineText);
    [[nodiscard]] static QString SingleEntryAction(int code);
    [[nodiscard]] static QString SingleEntryAction(TableCode code);
    [[nodiscard]] static QString ImportAction(const QString& fileName);
    [[nodiscard]] static QString MakeTableAction();

    // The Font window.
    [[nodiscard]] static QString FontTitle();
    [[nodiscard]] static QString FontFormatLabel();
    [[nodiscard]] static QString FontWidthLabel();
    [[nodiscard]] static QString FontHeightLabel();
    [[nodiscard]] static QString FontTileOrderLabel();
    [[nodiscard]] static QString FontOffsetLabel();
    [[nodiscard]] static QString FontZoomLabel();
    [[nodiscard]] static QString FontZoomSuffix();  // after the zoom's number: "×"
    [[nodiscard]] static QString FontFormatDescription(TileFormat format);
    [[nodiscard]] static QString FontTileOrderDescription(TileOrder order);
    [[nodiscard]] static QString FontKeys();
    [[nodiscard]] static QString FontGlyphs();  // the grid's accessible name
    // The selected glyph: where it starts, and its code where one is known.
    [[nodiscard]] static QString FontSelected(const QString& offset, std::optional<int> code);
    [[nodiscard]] static QString FontSelectedCode(const QString& offset,
                                                  std::optional<TableCode> code);
    [[nodiscard]] static QString FontNoGlyphs();
    [[nodiscard]] static QString FontAnchorLabel();
    [[nodiscard]] static QString FontAnchorTip();
    [[nodiscard]] static QString FontCharactersLabel();
    [[nodiscard]] static QString FontCharactersTip();
    [[nodiscard]] static QString FontNoCode();  // characters typed for a glyph with no code
    // A character typed as the anchor that the table holds at no code or at several.
    [[nodiscard]] static QString FontCharacterNotHeld(const QString& character);
    [[nodiscard]] static QString FontAnchorAction(int code);  // after "Undo"
    // Reading the glyphs: the characters each one may show.
    [[nodiscard]] static QString FontReadingBox();  // the check box that turns reading on
    [[nodiscard]] static QString FontReadingTip();
    [[nodiscard]] static QString FontRepertoires();  // the button of the repertoires' menu
    [[nodiscard]] static QString FontRepertoire(Repertoire repertoire);
    [[nodiscard]] static QString FontReferenceLabel();
    [[nodiscard]] static QString FontReferenceTip();
    [[nodiscard]] static QString FontTextAtLabel();
    [[nodiscard]] static QString FontTextAtTip();
    [[nodiscard]] static QString FontAcceptAbove();  // the button of the batch
    [[nodiscard]] static QString FontAcceptAboveTip();
    [[nodiscard]] static QString FontConfidenceSuffix();
    [[nodiscard]] static QString FontCancelReading();
    [[nodiscard]] static QString FontDrawingReferences();  // the progress bar's text
    [[nodiscard]] static QString FontReadingProgress();    // likewise, with %v and %m
    [[nodiscard]] static QString FontReadingCancelled();
    [[nodiscard]] static QString FontReadingUnavailable(const QString& family,
                                                        const QString& reason);
    [[nodiscard]] static QString FontWaitingForReading();
    [[nodiscard]] static QString FontNoInk();
    [[nodiscard]] static QString FontConfidence(int percent);
    [[nodiscard]] static QString FontNearTies(const QString& characters);
    [[nodiscard]] static QString FontLookAlikes(const QString& characters);
    [[nodiscard]] static QString FontTextSays(bool katakana, const QString& character);
    [[nodiscard]] static QString FontGuessTip(int key);
    [[nodiscard]] static QString FontNothingToAccept(int percent);
    [[nodiscard]] static QString FontAcceptAction(int count);  // after "Undo"
    [[nodiscard]] static QString FontAnchorAction(TableCode code);
    // The game text's choice to draw the bytes in the game's glyphs.
    [[nodiscard]] static QString GameTextGlyphs();
    [[nodiscard]] static QString GameTextGlyphsTip();

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

#include "Messages.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "HexText.h"
#include "core/text/EucJp.h"

namespace glyphwright {

namespace {

QString Text(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString Hex(int code) {
    return HexNumber(static_cast<std::uint64_t>(code));
}

// A visitor that picks the overload for whichever failure it holds.
template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

QString Messages::Title() {
    return QStringLiteral("Glyphwright");
}

QString Messages::StartCodePrompt() {
    return tr("What hex byte does the font table start at?");
}
QString Messages::StartCodeTitle() {
    return tr("Where does font table begin");
}
QStringList Messages::TableFileFilters() {
    return {tr(".tbl files (*.tbl)"), tr("Table File Standard, UTF-8 (*.tbl)"),
            tr("Shift-JIS (*.tbl)")};
}

QString Messages::Failure(const TableFailure& failure) {
    return std::visit([](const auto& value) { return Failure(value); }, failure);
}

QString Messages::Failure(const StartCodeError& failure) {
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

QString Messages::Failure(const AssemblyError& failure) {
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

QString Messages::Failure(const ProjectError& failure) {
    switch (failure.kind) {
        case ProjectError::Kind::NotJson:
            return tr("The project file is damaged: %1. It was not opened.").arg(failure.detail);
        case ProjectError::Kind::NotProject:
            return tr("This is not a Glyphwright project file. It was not opened.");
        case ProjectError::Kind::Newer:
            return tr("The project file was made by a newer Glyphwright (project version %1; this "
                      "one reads up to version %2). It was not opened.")
                .arg(failure.detail)
                .arg(kProjectVersion);
        case ProjectError::Kind::BadField:
            return tr("The project file is damaged: \"%1\" is missing or wrong. It was not "
                      "opened.")
                .arg(failure.detail);
    }
    return tr("The project file was not opened.");
}

QString Messages::ProjectUnreadable(const QString& path, const QString& reason) {
    return tr("The project file \"%1\" could not be read: %2.").arg(path, reason);
}

QString Messages::Failure(const FormatError& failure) {
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

QString Messages::Reason(const FileError& failure) {
    switch (failure.kind) {
        case FileError::Kind::System:
            return QString::fromLocal8Bit(std::strerror(failure.error));
        case FileError::Kind::NoPipeReader:
            return tr("it is a named pipe that no program is reading");
        case FileError::Kind::NoFileName:
            return tr("no file name was given");
    }
    return {};
}

QString Messages::Failure(const FileError& failure) {
    return tr("The table file \"%1\" could not be written: %2.")
        .arg(Text(failure.path), Reason(failure));
}

QString Messages::OrderFull() {
    return tr(
        "The Table Order is full: it holds at most 1000 lines. Remove a line before adding "
        "another.");
}

QString Messages::BadTableCode(std::string_view typed, HexError error) {
    const QString quoted = QLatin1Char('"') + Text(typed) + QLatin1Char('"');
    if (error == HexError::OutOfRange) {
        return tr("The code %1 is above FFFF: a code is one hexadecimal byte, 00 to FF, or two, "
                  "0000 to FFFF.")
            .arg(quoted);
    }
    QString message = tr("The code %1 is not a hexadecimal code of one byte, 00 to FF, or two, "
                         "0000 to FFFF.")
                          .arg(quoted);
    const auto firstDigit = typed.find_first_not_of(' ');
    if (firstDigit != 0 && firstDigit != std::string_view::npos) {
        message += QLatin1Char(' ') + tr("Remove the blank before the digits.");
    }
    return message;
}

QString Messages::BadCode(std::string_view typed, HexError error) {
    const QString quoted = QLatin1Char('"') + Text(typed) + QLatin1Char('"');
    if (error == HexError::OutOfRange) {
        return tr("The code %1 is above FF: a code is a hexadecimal byte from 00 to FF.")
            .arg(quoted);
    }
    QString message = tr("The code %1 is not a hexadecimal byte from 00 to FF.").arg(quoted);
    const auto firstDigit = typed.find_first_not_of(' ');
    if (firstDigit != 0 && firstDigit != std::string_view::npos) {
        message += QLatin1Char(' ') + tr("Remove the blank before the digits.");
    }
    return message;
}

QString Messages::StartAboveFFFF(std::string_view typed) {
    return tr("The code \"%1\" is above FFFF: a start is a hexadecimal byte from 00 to FF, or "
              "two bytes from 0000 to FFFF.")
        .arg(Text(typed));
}

QString Messages::NoLineSelected() {
    return tr(
        "No line of the Table Order is selected. Select the line that is to start at this "
        "code.");
}

QString Messages::NotEucJp(const QString& character) {
    return tr("The character \"%1\" cannot be stored: table files hold EUC-JP text, and EUC-JP "
              "has no code for it.")
        .arg(character);
}

QString Messages::CodeMapTitle() {
    return tr("Code Map");
}

QString Messages::CodeMapRange(int first, int last) {
    const QString written = tr("Codes %1\u2013%2 will be written").arg(Hex(first), Hex(last));
    if (first > 0x0F) return written + QLatin1Char('.');
    const int alwaysTo = std::min(last, 0x0F);
    const QString always = first == alwaysTo
                               ? Hex(first)
                               : QStringLiteral("%1\u2013%2").arg(Hex(first), Hex(alwaysTo));
    return written + tr("; %1 always, even when empty.").arg(always);
}

QString Messages::CodeMapNoRange(int first, int last) {
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
        each << Messages::tr("%1 at %2 and %3").arg(text, hex.join(QStringLiteral(", ")), last);
    }
    return each;
}

}  // namespace

QString Messages::CodeMapDuplicates(const QList<QPair<QString, QList<int>>>& duplicates, int more) {
    if (duplicates.isEmpty()) {
        return tr("The same text at more than one code: %1 texts; point here for the list.")
            .arg(more);
    }
    QString list = EachDuplicate(duplicates).join(QStringLiteral("; "));
    if (more > 0) list += tr("; and %n more", nullptr, more);
    return tr("The same text at more than one code: %1.").arg(list);
}

QString Messages::CodeMapDuplicatesList(const QList<QPair<QString, QList<int>>>& duplicates) {
    return EachDuplicate(duplicates).join(QLatin1Char('\n'));
}

QString Messages::CodeMapNoDuplicates() {
    return tr("No text stands at more than one code.");
}

QString Messages::CodeMapCode(int code) {
    return tr("Code %1").arg(Hex(code));
}

QString Messages::CodeMapCell(int code, const QString& text) {
    return text.isEmpty() ? tr("Code %1, empty").arg(Hex(code))
                          : tr("Code %1, %2").arg(Hex(code), text);
}

QString Messages::CodeMapBytes(const QString& hexBytes) {
    return tr("Bytes: %1").arg(hexBytes);
}

QString Messages::CodeMapText(const QString& text) {
    return tr("Text: %1").arg(text);
}

QString Messages::CodeMapEmpty() {
    return tr("Empty");
}

QString Messages::CodeMapLaidBy(int line, const QString& lineText) {
    return tr("Laid by line %1 (%2)").arg(QString::number(line), lineText);
}

QString Messages::CodeMapOverlap(int line, const QString& lineText, int earlier,
                                 const QString& earlierText) {
    return tr("Overlap: line %1 (%2) lays this code over line %3 (%4)")
        .arg(QString::number(line), lineText, QString::number(earlier), earlierText);
}

QString Messages::CodeMapReplaces(const QString& held) {
    return tr("Overlap: replaces %1, which the table holds now").arg(held);
}

QString Messages::CodeMapHeld() {
    return tr(
        "Held in the table now (a single entry, or a code an earlier MAKE TABLE run "
        "filled); MAKE TABLE keeps it");
}

QString Messages::CodeMapOutOfRange() {
    return tr("Outside the range the file covers: not written");
}

QString Messages::CodeMapNotWritten() {
    return tr("Not written: MAKE TABLE would make no file now");
}

QString Messages::CodeMapLegendTitle() {
    return tr("&Lines on the map");
}

QString Messages::CodeMapLegendLine(int line, const QString& lineText) {
    return tr("%1  %2").arg(QString::number(line), lineText);
}

QString Messages::CodeMapLegendCodes(int codes) {
    return tr("%n code(s) on the map", nullptr, codes);
}

QString Messages::CodeMapKeyHeld() {
    return tr("Held now: single entries, earlier runs");
}

QString Messages::CodeMapKeyOverlap() {
    return tr("Overlap: laid over another line's code");
}

QString Messages::CodeMapKeyOutOfRange(TableFormat format) {
    return tr("Dimmed: not written to a %1 file").arg(FormatTitle(format));
}

QString Messages::CodeMapWholeTable(TableFormat format) {
    return tr("Every code that holds an entry will be written to a %1 file, laid or not.")
        .arg(FormatTitle(format));
}

QString Messages::FormatTitle(TableFormat format) {
    switch (format) {
        case TableFormat::Classic:
            return tr("classic");
        case TableFormat::Utf8:
            return tr("UTF-8");
        case TableFormat::ShiftJis:
            return tr("Shift-JIS");
    }
    return tr("classic");
}

QString Messages::CodeMapPageLabel() {
    return tr("&Page:");
}

QString Messages::CodeMapOneBytePage() {
    return tr("One byte (00–FF)");
}

QString Messages::CodeMapTwoBytePage(int first) {
    return tr("Two bytes %1–%2")
        .arg(HexNumber(static_cast<std::uint64_t>(first) << 8, 4),
             HexNumber((static_cast<std::uint64_t>(first) << 8) | 0xFF, 4));
}

QString Messages::CodeMapPagesInUseLabel() {
    return tr("&Go to a page that holds codes:");
}

QString Messages::CodeMapPageInUse(int first, int codes) {
    return codes == 1 ? tr("%1 (1 code)").arg(CodeMapTwoBytePage(first))
                      : tr("%1 (%2 codes)").arg(CodeMapTwoBytePage(first)).arg(codes);
}

QString Messages::CodeMapTwoByteCode(int stored) {
    return tr("Code %1").arg(HexNumber(static_cast<std::uint64_t>(stored), 4));
}

QString Messages::CodeMapTwoByteCell(int stored, const QString& text) {
    const QString code = HexNumber(static_cast<std::uint64_t>(stored), 4);
    return text.isEmpty() ? tr("Code %1, empty").arg(code) : tr("Code %1, %2").arg(code, text);
}

QString Messages::ActionFailed(const char* reason) {
    return tr("This command failed: %1").arg(QString::fromLocal8Bit(reason));
}

QString Messages::ActionFailedUnknown() {
    return tr("This command failed for a reason the program does not know.");
}

QString Messages::ExitQuestion() {
    return tr("Are you sure you want to exit?");
}
QString Messages::ExitTitle() {
    return tr("Exit?");
}
QString Messages::FarewellTitle() {
    return tr("C-ya");
}
QString Messages::FarewellText() {
    return tr("Glyphwright, by the Glyphwright developers.");
}

QString Messages::AboutTitle() {
    return tr("About Glyphwright");
}
QString Messages::AboutText(const QString& version) {
    return tr("Glyphwright %1\nBuilds table files that map a game font's byte codes to the "
              "characters they stand for.")
        .arg(version);
}

QString Messages::OpenGameFileTitle() {
    return tr("Open Game File");
}

QString Messages::Failure(const GameFileError& failure) {
    const QString path = QString::fromLocal8Bit(failure.path);
    const QString reason = QString::fromLocal8Bit(std::strerror(failure.error));
    switch (failure.kind) {
        case GameFileProblem::CannotOpen:
            return tr("The game file \"%1\" could not be opened: %2.").arg(path, reason);
        case GameFileProblem::NotAFile:
            return tr("\"%1\" is not a file but a folder, a device or the like. Choose a game "
                      "file.")
                .arg(path);
        case GameFileProblem::CannotRead:
            return tr("The game file \"%1\" could not be read: %2.").arg(path, reason);
        case GameFileProblem::SizeChanged:
            return tr("The game file \"%1\" changed size while it was being read. Open it "
                      "again once nothing writes to it any more.")
                .arg(path);
        case GameFileProblem::Vanished:
            return tr("The game file \"%1\" was deleted or replaced while it was being read. "
                      "Open it again.")
                .arg(path);
    }
    return tr("The game file \"%1\" could not be read.").arg(path);
}

QString Messages::GameFileShown(const QString& path, quint64 size) {
    // One source text for each English form: a translator gives each language its own.
    return size == 1 ? tr("%1 (1 byte)").arg(path) : tr("%1 (%2 bytes)").arg(path).arg(size);
}

QString Messages::NoGameFile() {
    return tr("No game file is open: File \u2192 Open Game File\u2026 (Ctrl+O).");
}

QString Messages::Failure(const WordError& failure) {
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

QStringList Messages::LetterWidths() {
    return {tr("One byte per letter"), tr("Two bytes per letter, little-endian"),
            tr("Two bytes per letter, big-endian")};
}

QStringList Messages::SearchHeaders() {
    return {tr("Hits / offset"), tr("Set"), tr("Start code"), tr("Text around the hit")};
}

QString Messages::Searching() {
    return tr("Searching\u2026");
}

QString Messages::SearchFound(quint64 hits, qsizetype groups) {
    const QString found = hits == 1 ? tr("1 hit") : tr("%1 hits").arg(hits);
    const QString starts = groups == 1 ? tr("1 start code") : tr("%1 start codes").arg(groups);
    return tr("%1, %2; those found most often come first.").arg(found, starts);
}

QString Messages::SearchFoundNothing() {
    return tr("The word was not found with any built-in set.");
}

QString Messages::SearchCancelled() {
    return tr("The search was cancelled.");
}

QString Messages::StartPastFF(int start) {
    if (start < 0) return tr("-%1 (runs before 00)").arg(Hex(-start));
    if (start > 0xFF)
        return tr("%1 (needs two-byte codes)").arg(HexNumber(static_cast<std::uint64_t>(start), 4));
    return tr("%1 (runs past FF)").arg(Hex(start));
}

QString Messages::MoreHits(quint64 count) {
    return tr("and %1 more").arg(count);
}

QString Messages::NoResultSelected() {
    return tr("Select a result first.");
}

QString Messages::GroupPastFF(const QString& set, int start) {
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

QString Messages::NoOwnStartZero(const QString& set) {
    return tr("A line cannot start at 00 of its own: 00 means no start of its own. Make \"%1\" "
              "the first set of the Table Order and type 00 as the table's start code.")
        .arg(set);
}

QString Messages::StartApplied(int line, const QString& set, int start) {
    return tr("Line %1 (%2) now starts at %3.").arg(QString::number(line), set, Hex(start));
}

QString Messages::StartApplied(int line, const QString& set, TableCode start) {
    return tr("Line %1 (%2) now starts at %3.")
        .arg(QString::number(line), set, QString::fromStdString(start.Hex()));
}

QString Messages::SetAdded(int line, const QString& set, TableCode start) {
    return tr("\"%1\" was added to the Table Order as line %2, starting at %3.")
        .arg(set, QString::number(line), QString::fromStdString(start.Hex()));
}

QString Messages::CodeOrderFollowsSearch(bool littleEndian) {
    return littleEndian ? tr("Two-byte codes are counted little-endian now, low byte first, as "
                             "the game stores them.")
                        : tr("Two-byte codes are counted big-endian now, high byte first, as the "
                             "game stores them.");
}

QString Messages::CodeOrderConflict(const QString& set, bool littleEndian) {
    return (littleEndian
                ? tr("The set \"%1\" was found with two-byte codes stored low byte first "
                     "(little-endian), but the Table Order has lines with two-byte starts that "
                     "count high byte first (big-endian). Remove those starts first.")
                : tr("The set \"%1\" was found with two-byte codes stored high byte first "
                     "(big-endian), but the Table Order has lines with two-byte starts that "
                     "count low byte first (little-endian). Remove those starts first."))
        .arg(set);
}

QString Messages::SetAdded(int line, const QString& set, int start) {
    return tr("\"%1\" was added to the Table Order as line %2, starting at %3.")
        .arg(set, QString::number(line), Hex(start));
}

QStringList Messages::GameTextHeaders() {
    return {tr("Offset"), tr("Bytes"), tr("Text")};
}

QString Messages::TableLaid(int start, int last) {
    if (last < start) {
        return tr("Read through the table with the Table Order laid from start code %1, as MAKE "
                  "TABLE would lay it. The file would hold no code; every code shows as <XX>.")
            .arg(Hex(start));
    }
    return tr("Read through the table with the Table Order laid from start code %1, as MAKE "
              "TABLE would lay it. The file holds the codes %1 to %2; others show as <XX>.")
        .arg(Hex(start), Hex(last));
}

QString Messages::TableNotLaid(const QString& why) {
    return tr("Read through the table as it stands, without the Table Order: %1").arg(why);
}

QString Messages::OffsetTooLarge(const QString& typed) {
    return tr("The offset \"%1\" is larger than any file. Type an offset such as 1A2B0.")
        .arg(typed);
}

QString Messages::FileNameNotUtf8(const QString& path) {
    return tr("The name \"%1\" holds bytes that are not UTF-8 (shown as \uFFFD). Glyphwright would "
              "read or write another file under it; rename the file, or choose another name.")
        .arg(path);
}

QString Messages::BadOffset(const QString& typed) {
    return tr("The offset \"%1\" is not a hexadecimal number. Type an offset such as 1A2B0.")
        .arg(typed);
}

QString Messages::OffsetPastEnd(quint64 offset, quint64 size) {
    return tr("The offset %1 is past the end of the game file, whose last offset is %2.")
        .arg(QString::number(offset, 16).toUpper(), QString::number(size - 1, 16).toUpper());
}

QString Messages::EditMenu() {
    return tr("&Edit");
}

QString Messages::UndoPrefix() {
    return tr("Undo");
}

QString Messages::RedoPrefix() {
    return tr("Redo");
}

QString Messages::IncludeAction(const QString& lineText) {
    return tr("Include %1").arg(lineText);
}

QString Messages::RemoveAction(const QString& lineText) {
    return tr("Remove %1").arg(lineText);
}

QString Messages::RelativeStartAction(const QString& lineText) {
    return tr("Relative Start of %1").arg(lineText);
}

QString Messages::SingleEntryAction(TableCode code) {
    return tr("Single Entry %1").arg(QString::fromStdString(code.Hex()));
}

QString Messages::SingleEntryAction(int code) {
    return tr("Single Entry %1").arg(Hex(code));
}

QString Messages::ImportAction(const QString& fileName) {
    return tr("Import %1").arg(fileName);
}

QString Messages::MakeTableAction() {
    return tr("Make Table");
}

QString Messages::FontTitle() {
    return tr("Font");
}
QString Messages::FontFormatLabel() {
    return tr("&Format:");
}
QString Messages::FontWidthLabel() {
    return tr("&Width:");
}
QString Messages::FontHeightLabel() {
    return tr("&Height:");
}
QString Messages::FontTileOrderLabel() {
    return tr("&Tiles:");
}
QString Messages::FontOffsetLabel() {
    return tr("&Offset:");
}
QString Messages::FontZoomLabel() {
    return tr("&Zoom:");
}
QString Messages::FontZoomSuffix() {
    return tr("\u00d7");
}
QString Messages::FontFormatDescription(TileFormat format) {
    switch (format) {
        case TileFormat::OneBpp:
            return tr("1 bit a pixel, 8x8 tiles");
        case TileFormat::Nes2bpp:
            return tr("2 bits planar, 8x8 tiles (NES)");
        case TileFormat::Gb2bpp:
            return tr("2 bits interleaved, 8x8 tiles (Game Boy, SNES 2bpp)");
        case TileFormat::Snes4bpp:
            return tr("4 bits planar, 8x8 tiles (SNES, PC Engine)");
        case TileFormat::Gba4bpp:
            return tr("4 bits linear, low nibble first, 8x8 tiles (GBA)");
        case TileFormat::EightBpp:
            return tr("8 bits linear, 8x8 tiles");
        case TileFormat::Bitmap:
            return tr("1 bit a pixel, each row padded to whole bytes");
        case TileFormat::BitmapPacked:
            return tr("1 bit a pixel, bit after bit");
    }
    return {};
}
QString Messages::FontTileOrderDescription(TileOrder order) {
    return order == TileOrder::Down ? tr("the tiles of a glyph down, then across")
                                    : tr("the tiles of a glyph across, then down");
}
QString Messages::FontKeys() {
    return tr(
        "Arrow keys or a click select a glyph. Ctrl+\u2190/\u2192 steps the offset by a byte, "
        "Shift+\u2190/\u2192 by a glyph, Ctrl+\u2191/\u2193 by a row, Page Up/Down by a page. "
        "The wheel steps by a row; with Ctrl by a byte, with Shift by a glyph, with Alt by a "
        "page. Ctrl++ and Ctrl+\u2212 zoom.");
}
QString Messages::FontGlyphs() {
    return tr("Glyphs");
}
QString Messages::FontSelectedCode(const QString& offset, std::optional<TableCode> code) {
    if (!code) return tr("Glyph at %1").arg(offset);
    return tr("Glyph at %1, code %2").arg(offset, QString::fromStdString(code->Hex()));
}

QString Messages::FontSelected(const QString& offset, std::optional<int> code) {
    if (!code) return tr("Glyph at %1").arg(offset);
    return tr("Glyph at %1, code %2").arg(offset, Hex(*code));
}
QString Messages::FontNoGlyphs() {
    return tr("The game file is empty: it holds no glyphs.");
}
QString Messages::FontAnchorLabel() {
    return tr("&Anchor:");
}
QString Messages::FontAnchorTip() {
    return tr(
        "The selected glyph's code as two hex digits, or its character where the table holds "
        "that character at one code. Enter ties the font to it: the glyphs after it have the "
        "codes after it.");
}
QString Messages::FontCharactersLabel() {
    return tr("&Characters:");
}
QString Messages::FontCharactersTip() {
    return tr(
        "The characters the selected glyph shows. Enter stores them at its code as a single "
        "entry and selects the next glyph.");
}
QString Messages::FontNoCode() {
    return tr(
        "The selected glyph has no code. Anchor the font first: select a glyph and type "
        "its code or its character in the Anchor box.");
}
QString Messages::FontCharacterNotHeld(const QString& character) {
    return tr("The table holds \"%1\" at no code or at more than one. Type the glyph's code "
              "as two hex digits instead.")
        .arg(character);
}
QString Messages::GameTextGlyphs() {
    return tr("&Glyphs");
}
QString Messages::GameTextGlyphsTip() {
    return tr(
        "Draws the bytes as the game does, glyph by glyph, above the table's reading. The "
        "glyphs come from the font anchored in the Font window.");
}
QString Messages::FontAnchorAction(TableCode code) {
    return tr("Anchor at %1").arg(QString::fromStdString(code.Hex()));
}

QString Messages::FontAnchorAction(int code) {
    return tr("Anchor at %1").arg(Hex(code));
}
QString Messages::FontReadingBox() {
    return tr("&Suggest");
}
QString Messages::FontReadingTip() {
    return tr(
        "Reads each glyph: its best guess, four alternatives and a confidence. With the grid "
        "selected, Enter accepts the best guess, keys 1\u20135 pick a guess, typing enters other "
        "characters and Esc stops the reading. Shift+click selects a range, Ctrl+A the page.");
}
QString Messages::FontRepertoires() {
    return tr("&Repertoires");
}
QString Messages::FontRepertoire(Repertoire repertoire) {
    switch (repertoire) {
        case Repertoire::Kana:
            return tr("Kana (small, voiced and half-width included)");
        case Repertoire::Ascii:
            return tr("ASCII");
        case Repertoire::FullWidth:
            return tr("Full-width Latin, digits and punctuation");
        case Repertoire::Level1Kanji:
            return tr("Level-1 kanji (2,965)");
        case Repertoire::Level2Kanji:
            return tr("Level-2 kanji (3,390)");
    }
    return {};
}
QString Messages::FontReferenceLabel() {
    return tr("R&eference font:");
}
QString Messages::FontReferenceTip() {
    return tr("The installed font the glyphs are compared with, drawn at the glyphs' size.");
}
QString Messages::FontTextAtLabel() {
    return tr("Game te&xt at:");
}
QString Messages::FontTextAtTip() {
    return tr(
        "Where the game's text lies in the file, in hex; empty for none. A glyph that stands "
        "among katakana there is read as katakana where its pixels leave a near-tie.");
}
QString Messages::FontAcceptAbove() {
    return tr("Accept all above confidence \u2026");
}
QString Messages::FontAcceptAboveTip() {
    return tr(
        "Stores the best guess of every glyph in the selected range whose code is still empty "
        "and whose confidence is at least the one given, as one step to undo.");
}
QString Messages::FontConfidenceSuffix() {
    return tr(" %");
}
QString Messages::FontCancelReading() {
    return tr("Stop");
}
QString Messages::FontDrawingReferences() {
    return tr("Drawing the reference characters\u2026");
}
QString Messages::FontReadingProgress() {
    return tr("Reading glyph %v of %m");
}
QString Messages::FontReadingCancelled() {
    return tr("Reading stopped. Turn the page, or Suggest off and on, to read again.");
}
QString Messages::FontReadingUnavailable(const QString& family, const QString& reason) {
    return tr("The font \"%1\" cannot be used: %2.").arg(family, reason);
}
QString Messages::FontWaitingForReading() {
    return tr("Reading\u2026");
}
QString Messages::FontNoInk() {
    return tr("No ink: nothing to read.");
}
QString Messages::FontConfidence(int percent) {
    return tr("Confidence %1 %").arg(percent);
}
QString Messages::FontNearTies(const QString& characters) {
    return tr("Near-tie with %1: look closely.").arg(characters);
}
QString Messages::FontLookAlikes(const QString& characters) {
    return tr("%1 look alike: only the text around tells them apart.").arg(characters);
}
QString Messages::FontTextSays(bool katakana, const QString& character) {
    return katakana ? tr("Katakana around it in the game text: %1 first.").arg(character)
                    : tr("Hiragana around it in the game text: %1 first.").arg(character);
}
QString Messages::FontGuessTip(int key) {
    return tr("Stores this guess at the glyph's code (key %1).").arg(key);
}
QString Messages::FontNothingToAccept(int percent) {
    return tr("No glyph in the selected range has an empty code and a guess with a confidence of "
              "at "
              "least %1 %.")
        .arg(percent);
}
QString Messages::FontAcceptAction(int count) {
    return count == 1 ? tr("Accept 1 Guess") : tr("Accept %1 Guesses").arg(count);
}

QString Messages::NewProject() {
    return tr("&New");
}

QString Messages::OpenProject() {
    return tr("Open &Project\u2026");
}

QString Messages::SaveProject() {
    return tr("Save P&roject");
}

QString Messages::SaveProjectAs() {
    return tr("Save Project &As\u2026");
}

QString Messages::OpenRecent() {
    return tr("Open &Recent");
}

QString Messages::OpenProjectTitle() {
    return tr("Open Project");
}

QString Messages::ProjectFileFilter() {
    return tr("Glyphwright projects (*.gwproj)");
}

QString Messages::UntitledProject() {
    return tr("Untitled");
}

QString Messages::UnsavedChanges(const QString& project) {
    return tr("The project %1 has changes that are not saved. Save them?").arg(project);
}

QString Messages::Failure(const SetProblem& failure) {
    const QString set = Text(failure.set);
    const auto place = static_cast<qulonglong>(failure.member + 1);
    switch (failure.kind) {
        case SetProblem::Kind::EmptyName:
            return tr("A set needs a name.");
        case SetProblem::Kind::NameOfBuiltIn:
            return tr("\"%1\" is the name of a built-in set. Give your set a name of its own.")
                .arg(set);
        case SetProblem::Kind::NameTaken:
            return tr("There is already a set named \"%1\". Give each set a name of its own.")
                .arg(set);
        case SetProblem::Kind::NoMembers:
            return tr("The set \"%1\" has no members.").arg(set);
        case SetProblem::Kind::EmptyMember:
            return tr("Member %1 of the set \"%2\" is empty.").arg(place).arg(set);
        case SetProblem::Kind::MemberNotStorable:
            return tr("Member %1 of the set \"%2\" (\"%3\") cannot be stored in a table: "
                      "EUC-JP has no code for it.")
                .arg(place)
                .arg(set, Text(failure.text));
    }
    return {};
}

QString Messages::Failure(const SetFileReadError& failure) {
    const QString path = QString::fromStdString(failure.path);
    if (failure.error != 0) {
        return tr("The set file %1 could not be read: %2.")
            .arg(path, QString::fromLocal8Bit(std::strerror(failure.error)));
    }
    const SetFileError& damage = failure.damage;
    QString why;
    switch (damage.kind) {
        case SetFileError::Kind::NotASetFile:
            why = tr("a set file begins with the line \"%1\".").arg(Text(kSetFileHeader));
            break;
        case SetFileError::Kind::UnknownLine:
            why = tr("\"%1\" is neither a set (\"set NAME\"), a member (\"= TEXT\") nor a "
                     "comment (\"# ...\").")
                      .arg(Text(damage.text));
            break;
        case SetFileError::Kind::MemberOutsideSet:
            why = tr("a member comes before the first set.");
            break;
        case SetFileError::Kind::SetProblem:
            why = Failure(damage.problem);
            break;
    }
    return tr("The set file %1 is damaged at line %2: %3")
        .arg(path)
        .arg(static_cast<qulonglong>(damage.line))
        .arg(why);
}

QString Messages::SetFileKeptAside(const QString& aside) {
    return tr("It was kept as %1, and your sets start empty; mend it there, or import it in "
              "Character Sets once mended.")
        .arg(aside);
}

QString Messages::SetInUse(const QString& set) {
    return tr("The set \"%1\" is used by a line of the Table Order, so it must stay as it is "
              "named. Remove that line first.")
        .arg(set);
}

QString Messages::CharacterSetsTitle() {
    return tr("Character Sets");
}

QString Messages::CharacterSetsHelp() {
    return tr(
        "Members are laid on consecutive codes in the order typed. Type or paste them "
        "into Members: each character becomes one member. For a member of several "
        "characters, such as a DTE pair, put each member on a line of its own and tick "
        "\"One member per line\".");
}

QString Messages::BuiltInSetShown() {
    return tr("A built-in set: it can be duplicated, not changed.");
}

QString Messages::NewSetName() {
    return tr("New set");
}

QString Messages::CopyOfSet(const QString& set) {
    return tr("%1 (copy)").arg(set);
}

QString Messages::DeleteSetQuestion(const QString& set) {
    return tr("Delete the set \"%1\"?").arg(set);
}

QString Messages::SetFileFilter() {
    return tr("Glyphwright set files (*.gwsets *.txt);;All files (*)");
}

QString Messages::SetsImported(qsizetype count, const QString& path) {
    return tr("%n set(s) imported from %1.", nullptr, static_cast<int>(count)).arg(path);
}

QString Messages::SetsExported(qsizetype count, const QString& path) {
    return tr("%n set(s) exported to %1.", nullptr, static_cast<int>(count)).arg(path);
}

QString Messages::SetMemberCount(qsizetype count) {
    return tr("%n member(s)", nullptr, static_cast<int>(count));
}

QString Messages::ProjectSetSuffix(const QString& projectFile) {
    return tr(" (from %1)").arg(projectFile);
}

QString Messages::KeptSetsAdded(const std::vector<std::string>& added,
                                const std::vector<std::pair<std::string, std::string>>& renamed) {
    QStringList parts;
    for (const std::string& name : added) {
        parts << tr("The project lays the set \"%1\", which was not among your character sets; "
                    "the project's copy of it has been added to them.")
                     .arg(QString::fromStdString(name));
    }
    for (const auto& [name, now] : renamed) {
        parts << tr("Your character set \"%1\" differs from the copy the project was made with. "
                    "The project's lines now lay that copy, kept among your sets as \"%2\"; "
                    "your own set is unchanged.")
                     .arg(QString::fromStdString(name), QString::fromStdString(now));
    }
    return parts.join(QLatin1Char('\n'));
}

QString Messages::DuplicateWarning(const std::vector<DuplicateText>& duplicates) {
    // Each code as the file writes it, one byte or two: "あ at 10 and 8140".
    QStringList each;
    for (const DuplicateText& duplicate : duplicates) {
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
    return tr("The table was written, but the same text stands at more than one code: %1. "
              "Programs that insert text disagree about which of those codes they write.")
        .arg(each.join(QStringLiteral("; ")));
}

QString Messages::ControlCodeMenu() {
    return tr("&Control Code\u2026");
}
QString Messages::ControlCodeTitle() {
    return tr("Control Code");
}
QString Messages::ControlCodeCodeLabel() {
    return tr("&Code (hex):");
}
QString Messages::ControlCodeKindLabel() {
    return tr("&Kind:");
}
QString Messages::ControlCodeTextLabel() {
    return tr("&Text:");
}
QString Messages::ControlCodeHelp() {
    return tr(
        "An end code ends a string; its text is its label, written /FF=[end] in UTF-8 and "
        "Shift-JIS tables. A line break starts a new line, written FE=\\n; its text is "
        "what the classic table shows for it.");
}
QString Messages::EndCodeKind() {
    return tr("End code");
}
QString Messages::LineBreakKind() {
    return tr("Line break");
}
QString Messages::ControlCodeAction(int code) {
    return tr("Control Code %1").arg(Hex(code));
}
QString Messages::ControlCodeAction(TableCode code) {
    return tr("Control Code %1").arg(QString::fromStdString(code.Hex()));
}

QStringList Messages::ImportTableFilters() {
    return {tr("Detect format (*)"), tr("Classic (*)"), tr("UTF-8 (*)"), tr("Shift-JIS (*)")};
}

QString Messages::ImportTableMenu() {
    return tr("&Import Table\u2026");
}

QString Messages::ImportTableTitle() {
    return tr("Import Table");
}

QString Messages::ImportProblems(const QString& file, const std::vector<ImportProblem>& problems) {
    QStringList lines;
    for (const ImportProblem& problem : problems) {
        const QString text = QString::fromStdString(problem.text);
        QString why;
        switch (problem.kind) {
            case ImportProblem::Kind::BadLine:
                why = tr("is no entry (XX=text or /XX=[label])");
                break;
            case ImportProblem::Kind::DuplicateCode:
                why = tr("gives a code an earlier line gave already");
                break;
            case ImportProblem::Kind::AboveFFFF:
                why = tr("has a code of more than two bytes, which a table here does not hold");
                break;
            case ImportProblem::Kind::Directive:
                why = tr("is a directive a table here does not hold");
                break;
            case ImportProblem::Kind::Unconvertible:
                why = tr("holds characters EUC-JP has no code for");
                break;
        }
        lines << tr("line %1: \"%2\" %3").arg(QString::number(problem.line), text, why);
    }
    return tr("These lines of %1 cannot be taken:\n%2").arg(file, lines.join(QLatin1Char('\n')));
}

QString Messages::ImportTheRest(qsizetype entries) {
    return tr("Import the other %n entries? No imports nothing.", nullptr,
              static_cast<int>(entries));
}

}  // namespace glyphwright

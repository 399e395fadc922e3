#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

namespace glyphwright {
class TableCode;
enum class Compression;
enum class TileFormat;
enum class TileOrder;
enum class Repertoire;
enum class Evidence;

// The Font window: the glyph view, the anchor, and reading the glyphs.
class FontMessages final {
    Q_DECLARE_TR_FUNCTIONS(FontMessages)

public:
    FontMessages() = delete;

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
    [[nodiscard]] static QString FontSelectedCode(const QString& offset,
                                                  std::optional<TableCode> code);
    [[nodiscard]] static QString FontNoGlyphs();
    [[nodiscard]] static QString FontCompressionLabel();
    [[nodiscard]] static QString FontCompressionDescription(Compression compression);
    // The selected glyph of a packed font: where in the stream, which starts at `stream`.
    [[nodiscard]] static QString FontSelectedInStream(const QString& offset, const QString& stream,
                                                      std::optional<TableCode> code);
    // The stream named is being unpacked; its glyphs follow when it is done.
    [[nodiscard]] static QString FontUnpacking(const QString& stream, const QString& compression);
    // The stream named does not unpack: where, as what, and why.
    [[nodiscard]] static QString FontStreamUnreadable(const QString& stream,
                                                      const QString& compression,
                                                      const QString& why);
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
    // Why the best guess won: its shape, the font's order (the run it continues) or the game
    // text (the words it completes, `why`).
    [[nodiscard]] static QString FontWhyGuessWon(Evidence evidence, const QString& why);
    [[nodiscard]] static QString FontNothingToAccept(int percent);
    [[nodiscard]] static QString FontAcceptAction(int count);  // after "Undo"
    [[nodiscard]] static QString FontAnchorAction(TableCode code);
    // How many guesses were accepted and which were left out, one line each ("02 "ゔ": why");
    // the first few are named and the rest counted.
    [[nodiscard]] static QString GuessesLeftOut(int accepted, const QStringList& leftOut);
    // One left-out guess: its code, its character and why the table cannot hold it.
    [[nodiscard]] static QString LeftOutGuess(const QString& code, const QString& guess,
                                              const QString& why);
};

}  // namespace glyphwright

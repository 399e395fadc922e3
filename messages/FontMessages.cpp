#include "FontMessages.h"

#include "MessageText.h"
#include "core/compression/Compression.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/GlyphSuggestion.h"
#include "core/glyphs/Repertoire.h"
#include "core/table/TableCode.h"

namespace glyphwright {

QString FontMessages::FontTitle() {
    return tr("Font");
}

QString FontMessages::FontFormatLabel() {
    return tr("&Format:");
}

QString FontMessages::FontWidthLabel() {
    return tr("&Width:");
}

QString FontMessages::FontHeightLabel() {
    return tr("&Height:");
}

QString FontMessages::FontTileOrderLabel() {
    return tr("&Tiles:");
}

QString FontMessages::FontOffsetLabel() {
    return tr("&Offset:");
}

QString FontMessages::FontZoomLabel() {
    return tr("&Zoom:");
}

QString FontMessages::FontZoomSuffix() {
    return tr("\u00d7");
}

QString FontMessages::FontFormatDescription(TileFormat format) {
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

QString FontMessages::FontTileOrderDescription(TileOrder order) {
    return order == TileOrder::Down ? tr("the tiles of a glyph down, then across")
                                    : tr("the tiles of a glyph across, then down");
}

QString FontMessages::FontKeys() {
    return tr(
        "Arrow keys or a click select a glyph. Ctrl+\u2190/\u2192 steps the offset by a byte, "
        "Shift+\u2190/\u2192 by a glyph, Ctrl+\u2191/\u2193 by a row, Page Up/Down by a page. "
        "The wheel steps by a row; with Ctrl by a byte, with Shift by a glyph, with Alt by a "
        "page. Ctrl++ and Ctrl+\u2212 zoom.");
}

QString FontMessages::FontGlyphs() {
    return tr("Glyphs");
}

QString FontMessages::FontSelectedCode(const QString& offset, std::optional<TableCode> code) {
    if (!code) return tr("Glyph at %1").arg(offset);
    return tr("Glyph at %1, code %2").arg(offset, QString::fromStdString(code->Hex()));
}

QString FontMessages::FontNoGlyphs() {
    return tr("The game file is empty: it holds no glyphs.");
}

QString FontMessages::FontAnchorLabel() {
    return tr("&Anchor:");
}

QString FontMessages::FontAnchorTip() {
    return tr(
        "The selected glyph's code as two hex digits, or its character where the table holds "
        "that character at one code. Enter ties the font to it: the glyphs after it have the "
        "codes after it.");
}

QString FontMessages::FontCharactersLabel() {
    return tr("&Characters:");
}

QString FontMessages::FontCharactersTip() {
    return tr(
        "The characters the selected glyph shows. Enter stores them at its code as a single "
        "entry and selects the next glyph.");
}

QString FontMessages::FontNoCode() {
    return tr(
        "The selected glyph has no code. Anchor the font first: select a glyph and type "
        "its code or its character in the Anchor box.");
}

QString FontMessages::FontCharacterNotHeld(const QString& character) {
    return tr("The table holds \"%1\" at no code or at more than one. Type the glyph's code "
              "as two hex digits instead.")
        .arg(character);
}

QString FontMessages::FontAnchorAction(TableCode code) {
    return tr("Anchor at %1").arg(QString::fromStdString(code.Hex()));
}

QString FontMessages::FontAnchorAction(int code) {
    return tr("Anchor at %1").arg(Hex(code));
}

QString FontMessages::FontReadingBox() {
    return tr("&Suggest");
}

QString FontMessages::FontReadingTip() {
    return tr(
        "Reads each glyph: its best guess, four alternatives and a confidence. With the grid "
        "selected, Enter accepts the best guess, keys 1\u20135 pick a guess, typing enters other "
        "characters and Esc stops the reading. Shift+click selects a range, Ctrl+A the page.");
}

QString FontMessages::FontRepertoires() {
    return tr("&Repertoires");
}

QString FontMessages::FontRepertoire(Repertoire repertoire) {
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

QString FontMessages::FontReferenceLabel() {
    return tr("R&eference font:");
}

QString FontMessages::FontReferenceTip() {
    return tr("The installed font the glyphs are compared with, drawn at the glyphs' size.");
}

QString FontMessages::FontTextAtLabel() {
    return tr("Game te&xt at:");
}

QString FontMessages::FontTextAtTip() {
    return tr(
        "Where the game's text lies in the file, in hex; empty for none. A glyph that stands "
        "among katakana there is read as katakana where its pixels leave a near-tie.");
}

QString FontMessages::FontAcceptAbove() {
    return tr("Accept all above confidence \u2026");
}

QString FontMessages::FontAcceptAboveTip() {
    return tr(
        "Stores the best guess of every glyph in the selected range whose code is still empty "
        "and whose confidence is at least the one given, as one step to undo.");
}

QString FontMessages::FontConfidenceSuffix() {
    return tr(" %");
}

QString FontMessages::FontCancelReading() {
    return tr("Stop");
}

QString FontMessages::FontDrawingReferences() {
    return tr("Drawing the reference characters\u2026");
}

QString FontMessages::FontReadingProgress() {
    return tr("Reading glyph %v of %m");
}

QString FontMessages::FontReadingCancelled() {
    return tr("Reading stopped. Turn the page, or Suggest off and on, to read again.");
}

QString FontMessages::FontReadingUnavailable(const QString& family, const QString& reason) {
    return tr("The font \"%1\" cannot be used: %2.").arg(family, reason);
}

QString FontMessages::FontWaitingForReading() {
    return tr("Reading\u2026");
}

QString FontMessages::FontNoInk() {
    return tr("No ink: nothing to read.");
}

QString FontMessages::FontConfidence(int percent) {
    return tr("Confidence %1 %").arg(percent);
}

QString FontMessages::FontNearTies(const QString& characters) {
    return tr("Near-tie with %1: look closely.").arg(characters);
}

QString FontMessages::FontLookAlikes(const QString& characters) {
    return tr("%1 look alike: only the text around tells them apart.").arg(characters);
}

QString FontMessages::FontTextSays(bool katakana, const QString& character) {
    return katakana ? tr("Katakana around it in the game text: %1 first.").arg(character)
                    : tr("Hiragana around it in the game text: %1 first.").arg(character);
}

QString FontMessages::FontGuessTip(int key) {
    return tr("Stores this guess at the glyph's code (key %1).").arg(key);
}

QString FontMessages::FontWhyGuessWon(Evidence evidence, const QString& why) {
    switch (evidence) {
        case Evidence::Shape:
            break;
        case Evidence::Order:
            return why.isEmpty() ? tr("The font's order decided this guess.")
                                 : tr("The font's order decided this guess: %1").arg(why);
        case Evidence::Script:
            return why.isEmpty() ? tr("The game text decided this guess.")
                                 : tr("The game text decided this guess: it reads \"%1\".").arg(why);
    }
    return tr("Its shape decided this guess.");
}

QString FontMessages::FontNothingToAccept(int percent) {
    return tr("No glyph in the selected range has an empty code and a guess with a confidence of "
              "at "
              "least %1 %.")
        .arg(percent);
}

QString FontMessages::FontAcceptAction(int count) {
    return count == 1 ? tr("Accept 1 Guess") : tr("Accept %1 Guesses").arg(count);
}

namespace {

// Left-out guesses named one by one; more are counted, so the message fits on a screen.
constexpr qsizetype kNamed = 8;

}  // namespace

QString FontMessages::GuessesLeftOut(int accepted, const QStringList& leftOut) {
    const QString stored = accepted == 0   ? tr("No guess was accepted.")
                           : accepted == 1 ? tr("1 guess was accepted.")
                                           : tr("%1 guesses were accepted.").arg(accepted);
    const auto count = static_cast<int>(leftOut.size());
    QString said = stored + u' ' +
                   (count == 1 ? tr("1 was left out, as the table cannot hold it:")
                               : tr("%1 were left out, as the table cannot hold them:").arg(count));
    for (qsizetype i = 0; i < leftOut.size() && i < kNamed; ++i) said += u'\n' + leftOut[i];
    if (leftOut.size() > kNamed) {
        const auto more = static_cast<int>(leftOut.size() - kNamed);
        said += u'\n' + (more == 1 ? tr("and 1 more.") : tr("and %1 more.").arg(more));
    }
    return said;
}

QString FontMessages::LeftOutGuess(const QString& code, const QString& guess, const QString& why) {
    return tr("%1 \"%2\": %3").arg(code, guess, why);
}

QString FontMessages::FontCompressionLabel() {
    return tr("Com&pression:");
}

QString FontMessages::FontCompressionDescription(Compression compression) {
    switch (compression) {
        case Compression::None:
            return tr("Raw: the offset is the first glyph's");
        case Compression::Lz10:
            return tr("Packed with LZ77 (type 10h): the offset is the stream's start");
        case Compression::Lz11:
            return tr("Packed with LZ (type 11h): the offset is the stream's start");
        case Compression::Huffman:
            return tr("Packed with Huffman (types 24h, 28h): the offset is the stream's start");
        case Compression::Rle:
            return tr("Packed with RLE (type 30h): the offset is the stream's start");
    }
    return {};
}

QString FontMessages::FontSelectedInStream(const QString& offset, const QString& stream,
                                           std::optional<TableCode> code) {
    if (!code) return tr("Glyph at %1 of the stream at %2").arg(offset, stream);
    return tr("Glyph at %1 of the stream at %2, code %3")
        .arg(offset, stream, QString::fromStdString(code->Hex()));
}

QString FontMessages::FontUnpacking(const QString& stream, const QString& compression) {
    return tr("Unpacking the %1 stream at %2…").arg(compression, stream);
}

QString FontMessages::FontStreamUnreadable(const QString& stream, const QString& compression,
                                           const QString& why) {
    return tr("No %1 stream at %2: %3. Choose another offset or compression.")
        .arg(compression, stream, why);
}

}  // namespace glyphwright

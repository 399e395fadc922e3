#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>

#include "core/glyphs/ReferenceFont.h"
#include "core/table/ParseHexByte.h"
#include "storage/SaveFileAtomically.h"

namespace glyphwright {

// What the command line says: its help and its usage complaints. Table problems are told in
// Messages' words, the same as in the windows.
class CommandLineMessages final {
    Q_DECLARE_TR_FUNCTIONS(CommandLineMessages)

public:
    CommandLineMessages() = delete;

    [[nodiscard]] static QString Help();
    [[nodiscard]] static QString MakeHelp();
    [[nodiscard]] static QString SetsHelp();
    [[nodiscard]] static QString GlyphsHelp(int mostGlyphs, int mostZoom, int mostSide);
    [[nodiscard]] static QString SearchHelp();
    // Where to read more after a usage complaint: `command`'s help, or the general one for "".
    [[nodiscard]] static QString TryHelp(const QString& command);

    [[nodiscard]] static QString NoCommand();
    [[nodiscard]] static QString UnknownCommand(const QString& command);
    [[nodiscard]] static QString UnknownOption(const QString& option);
    [[nodiscard]] static QString MissingValue(const QString& option);
    [[nodiscard]] static QString RepeatedOption(const QString& option);
    [[nodiscard]] static QString UnknownFormat(const QString& format);
    [[nodiscard]] static QString UnknownImportFormat(const QString& format);
    [[nodiscard]] static QString UnknownCodeOrder(const QString& order);
    [[nodiscard]] static QString MissingStart();
    [[nodiscard]] static QString ImportUnreadable(const QString& path, const QString& reason);
    [[nodiscard]] static QString MissingOutput();
    [[nodiscard]] static QString MissingGame();
    [[nodiscard]] static QString MissingWord();
    [[nodiscard]] static QString UnknownWidth(const QString& width);
    // `setNames`: every set, listed for the reader to compare against.
    [[nodiscard]] static QString UnknownLine(const QString& line, const QString& setNames);
    [[nodiscard]] static QString NoArgumentsTaken(const QString& command, const QString& argument);
    [[nodiscard]] static QString StandardOutputFailed(const QString& reason);
    [[nodiscard]] static QString NotUtf8(const QString& argument);
    // Table problems the windows word for a user at the window.
    [[nodiscard]] static QString TooManyLines();
    [[nodiscard]] static QString BadStart(const QString& typed, HexError error);
    // Started without arguments where no window can be shown.
    [[nodiscard]] static QString NoDisplay();

    // The glyphs command.
    [[nodiscard]] static QString MissingOption(const QString& option, const QString& example);
    [[nodiscard]] static QString BadOffset(const QString& offset);
    [[nodiscard]] static QString UnknownTileFormat(const QString& format, const QString& names);
    [[nodiscard]] static QString UnknownTileOrder(const QString& order);
    [[nodiscard]] static QString BadGlyphSize(const QString& size);
    [[nodiscard]] static QString GlyphNotWholeTiles(const QString& size, const QString& format);
    [[nodiscard]] static QString GlyphTooLarge(const QString& size, const QString& format,
                                               int least);
    [[nodiscard]] static QString BadCount(const QString& count, int most);
    [[nodiscard]] static QString BadZoom(const QString& zoom, int most);
    [[nodiscard]] static QString NoGlyphsAt(const QString& offset, quint64 size);
    [[nodiscard]] static QString PictureNotWritten(const QString& path, const QString& reason);

    // The font-table command.
    [[nodiscard]] static QString FontTableHelp(int mostGlyphs);
    [[nodiscard]] static QString BadFirstCode(const QString& code);
    // --text START:END: where the game's text lies.
    [[nodiscard]] static QString BadTextRange(const QString& range);
    [[nodiscard]] static QString TextPastEnd(const QString& range, std::uint64_t size);
    [[nodiscard]] static QString UnknownRepertoire(const QString& repertoires,
                                                   const QString& names);
    [[nodiscard]] static QString FontUnavailable(const glyphwright::FontUnavailable& failure);
    [[nodiscard]] static QString GuessNotEucJp(const QString& code, const QString& guess);
    [[nodiscard]] static QString GuessNotInFormat(const QString& code, const QString& guess,
                                                  const QString& format);
    [[nodiscard]] static QString GlyphsPastLastCode(int glyphs, const QString& lastCode,
                                                    bool inReport);
    [[nodiscard]] static QString ReportNotWritten(const FileError& failure);
};

}  // namespace glyphwright

#include "CommandLineMessages.h"

#include "FileMessages.h"
#include "HexText.h"

namespace glyphwright {

QString CommandLineMessages::Help() {
    return tr(
        "Usage: glyphwright [COMMAND [OPTION...] [LINE...]]\n"
        "\n"
        "Without arguments Glyphwright opens its window. With a command it opens none and\n"
        "needs no display.\n"
        "\n"
        "Commands:\n"
        "  make        write a table file from a start code and a Table Order\n"
        "  sets        list every character set with its member count\n"
        "  search      find a word in a game file by the distances of its letters' codes\n"
        "  glyphs      draw a game file's glyphs into a PNG picture\n"
        "  font-table  read a game file's glyphs and write the best-guess table\n"
        "  dump        read the game's strings through the table into an Atlas script\n"
        "  find-font   find a game file's font, raw or packed, and its packed streams\n"
        "  coverage    list the codes a game's script uses that the tables lack\n"
        "  find-dictionary\n"
        "              find where a game spells out its dictionary codes\n"
        "\n"
        "Options:\n"
        "  -h, --help     show this help; after a command, that command's help\n"
        "  -v, --version  show the version\n"
        "\n"
        "Exit status: 0 done, 1 a table problem (no file written), 2 bad usage.\n");
}

QString CommandLineMessages::MakeHelp() {
    return tr(
        "Usage: glyphwright make --start HH --output FILE [--format FORMAT] [--sets FILE]\n"
        "                        [--code-order be|le] [--] LINE...\n"
        "       glyphwright make --project FILE --output FILE [--format FORMAT] [--sets FILE]\n"
        "                        [--code-order be|le] [LINE...]\n"
        "\n"
        "Lays the Table Order from the start code on and writes the table file, as MAKE TABLE\n"
        "does in the window: the classic file covers the codes from the start code to the last\n"
        "member of the set laid last; utf8, sjis and abcde hold every code of the table that\n"
        "holds an entry, and need no start code when no set is laid. An existing file is replaced only\n"
        "once the new one is complete.\n"
        "\n"
        "Options:\n"
        "  -s, --start HH        the code the table starts at, a hexadecimal byte 00 to FF\n"
        "  -o, --output FILE     the table file to write; - writes it to standard output\n"
        "  -f, --format FORMAT   classic (EUC-JP, lines end 0D 0D 0A; the default),\n"
        "                        utf8 (Table File Standard, UTF-8, LF), sjis (Shift-JIS, CR LF)\n"
        "                        or abcde (UTF-8, LF, with abcde's spellings of the kinds)\n"
        "  -p, --project FILE    start from a project saved in the window: its table, Table\n"
        "                        Order and start code; its last format unless --format is given\n"
        "      --code-order be|le\n"
        "                        how the game stores a two-byte value: be, high byte first\n"
        "                        (8000, 8001, ...; the default), or le, low byte first (0080,\n"
        "                        0180, ...); the project's own order unless this is given\n"
        "  -i, --import FILE     put the entries of a table file (classic, UTF-8 or Shift-JIS,\n"
        "                        found from the file) on their codes before the LINEs;\n"
        "                        repeatable\n"
        "      --import-format FORMAT\n"
        "                        read the --import files after it as classic, utf8 or sjis;\n"
        "                        auto (the default) finds the format from each file\n"
        "      --sets FILE       take the user's sets from this set file instead of the\n"
        "                        user's own (Tools > Character Sets... in the window)\n"
        "  -h, --help            show this help\n"
        "  -v, --version         show the version\n"
        "\n"
        "Each LINE is one line of the Table Order, in order:\n"
        "  SET        a set, built-in or the user's, laid from where the set before it ended\n"
        "  SET@HH     a set with a start code of its own (@00: none)\n"
        "  SET@HHHH   a set laid on two-byte codes from HHHH, the bytes as the game stores\n"
        "             them; its members take consecutive values in the code order\n"
        "  HH=TEXT    a single entry: TEXT at code HH (or at the two-byte code HHHH). It is\n"
        "             stored at once; a set laid over the same code replaces it.\n"
        "The sets are named exactly as 'glyphwright sets' lists them; quote names with blanks.\n"
        "An entry outside the codes the file covers is not written; every two-byte code the\n"
        "table holds is (in utf8 and sjis; a classic file holds one-byte codes only).\n"
        "\n"
        "Exit status: 0 written, 1 a table problem (no file written), 2 bad usage.\n"
        "\n"
        "Example:\n"
        "  glyphwright make --start 10 --output font.tbl Hiragana Katakana@80 '42=!?'\n");
}

QString CommandLineMessages::SetsHelp() {
    return tr(
        "Usage: glyphwright sets\n"
        "\n"
        "Lists every character set in catalogue order, one a line: the name, a tab and the\n"
        "number of members, that is of codes the set takes. The classic seven come first,\n"
        "then the further built-in orders, then the user's own sets.\n");
}

QString CommandLineMessages::SearchHelp() {
    return tr(
        "Usage: glyphwright search --game FILE --word WORD [--width 1|2le|2be] [--sets FILE]\n"
        "\n"
        "Looks through the game file for the word as any character set would store it from\n"
        "any start code, as the Relative Search window does, and prints one row for each set\n"
        "and start code found, the likeliest first: the set, a tab, the start code in hex,\n"
        "a tab, the number of hits, a tab and the text from the first hit on as that set\n"
        "reads it (a code the set does not cover shows as <HH>). With two bytes a letter, a\n"
        "start past FF is the two-byte start code as the game stores it, to give make as\n"
        "SET@HHHH with the same --code-order (2le: le, 2be: be).\n"
        "\n"
        "Options:\n"
        "  -g, --game FILE    the game file to search\n"
        "  -w, --word WORD    the word: at least three known letters, ? for one not known;\n"
        "                     kana typed in hiragana find katakana sets too, and back\n"
        "      --width W      bytes a letter: 1 (the default), 2le or 2be (two bytes,\n"
        "                     little- or big-endian)\n"
        "      --sets FILE    take the user's sets from this set file instead of the\n"
        "                     user's own\n"
        "  -h, --help         show this help\n"
        "  -v, --version      show the version\n"
        "\n"
        "Exit status: 0 found, 1 nothing found, 2 bad usage or a file that cannot be read.\n"
        "\n"
        "Example:\n"
        "  glyphwright search --game game.bin --word ゆうしゃ --width 2le\n");
}

QString CommandLineMessages::GlyphsHelp(int mostGlyphs, int mostZoom, int mostSide) {
    return tr("Usage: glyphwright glyphs --game FILE --offset HEX --tiles FORMAT --glyph WxH\n"
              "                          [--tile-order down] [--count N] [--compression C]\n"
              "                          [--zoom Z] --png OUT\n"
              "\n"
              "Draws the glyphs of a game's font into a PNG picture, as the Font window shows "
              "them:\n"
              "16 to a row, glyph after glyph from left to right and top to bottom, ink white on\n"
              "black, the levels of 2-, 4- and 8-bit glyphs as greys between.\n"
              "\n"
              "Options:\n"
              "  --game FILE        the game file to read\n"
              "  --offset HEX       where the first glyph starts, in hexadecimal (0x may lead); "
              "it\n"
              "                     need not fall on a whole tile\n"
              "  --tiles FORMAT     how the pixels are stored:\n"
              "                       1bpp           1 bit a pixel, 8 bytes a tile\n"
              "                       nes2bpp        2 bits planar (NES)\n"
              "                       gb2bpp         2 bits interleaved (Game Boy, SNES 2bpp)\n"
              "                       snes4bpp       4 bits planar (SNES, PC Engine)\n"
              "                       gba4bpp        4 bits linear, low nibble first (GBA)\n"
              "                       8bpp           8 bits linear\n"
              "                       bitmap         1 bit a pixel, each row padded to whole "
              "bytes\n"
              "                       bitmap-packed  1 bit a pixel, bit after bit\n"
              "  --glyph WxH        the glyph's size: for the tile formats whole 8x8 tiles up to\n"
              "                     32x32 (8x8, 8x16, 16x16...); for the bitmaps any width and\n"
              "                     height from 4 to 32 (12x12...)\n"
              "  --tile-order ORDER across (the default: across then down) or down (down then\n"
              "                     across): the order of the tiles inside a glyph\n"
              "  --count N          how many glyphs to draw, 1 to %1 (default 256); fewer where\n"
              "                     the file ends\n"
              "  --compression C    the glyphs are packed in a stream that starts at the offset:\n"
              "                     lz10, lz11, huff or rle (GBA/DS BIOS; none, the default,\n"
              "                     reads them raw); they are read from the start of what it\n"
              "                     unpacks to ('glyphwright find-font --streams' lists streams)\n"
              "  --zoom Z           each pixel drawn Z by Z, 1 to %2 (default 1)\n"
              "  --png OUT          the picture to write, saved whole or not at all (- for\n"
              "                     standard output); at most %3 pixels a side\n"
              "  -h, --help         show this help\n"
              "  -v, --version      show the version\n"
              "\n"
              "A bitmap-packed glyph starts on a whole byte. A glyph the file cuts short is drawn\n"
              "with ground where its bytes are missing.\n"
              "\n"
              "Exit status: 0 written, 1 the game file could not be read, the picture would be\n"
              "too large or could not be written, 2 bad usage.\n"
              "\n"
              "Example:\n"
              "  glyphwright glyphs --game game.sfc --offset 3C000 --tiles snes4bpp --glyph 16x16 "
              "\\\n"
              "      --zoom 2 --png font.png\n")
        .arg(mostGlyphs)
        .arg(mostZoom)
        .arg(mostSide);
}

QString CommandLineMessages::TryHelp(const QString& command) {
    const QString help = command.isEmpty() ? QStringLiteral("glyphwright --help")
                                           : QStringLiteral("glyphwright %1 --help").arg(command);
    return tr("Try '%1' for more.").arg(help);
}

QString CommandLineMessages::NoCommand() {
    return tr("no command given.");
}
QString CommandLineMessages::UnknownCommand(const QString& command) {
    return tr("'%1' is not a command: the commands are make, sets, search, glyphs and "
              "font-table.")
        .arg(command);
}
QString CommandLineMessages::UnknownOption(const QString& option) {
    return tr("unknown option '%1'.").arg(option);
}
QString CommandLineMessages::MissingValue(const QString& option) {
    return tr("the option '%1' needs a value.").arg(option);
}
QString CommandLineMessages::RepeatedOption(const QString& option) {
    return tr("the option '%1' is given more than once.").arg(option);
}
QString CommandLineMessages::UnknownFormat(const QString& format) {
    return tr("'%1' is not a format: choose classic, utf8, sjis or abcde.").arg(format);
}
QString CommandLineMessages::UnknownImportFormat(const QString& format) {
    return tr("'%1' is not a format to import: choose auto, classic, utf8 or sjis.").arg(format);
}
QString CommandLineMessages::UnknownCodeOrder(const QString& order) {
    return tr("'%1' is not a code order: choose be or le.").arg(order);
}
QString CommandLineMessages::ImportUnreadable(const QString& path, const QString& reason) {
    return tr("the table file '%1' could not be read: %2.").arg(path, reason);
}
QString CommandLineMessages::MissingStart() {
    return tr("no start code: give the code the table starts at, e.g. --start 10.");
}
QString CommandLineMessages::MissingOutput() {
    return tr("no output file: give one with --output (- for standard output).");
}
QString CommandLineMessages::UnknownLine(const QString& line, const QString& setNames) {
    return tr("'%1' is neither a set, SET@HH, nor a single entry HH=TEXT. The sets are: "
              "%2.")
        .arg(line, setNames);
}
QString CommandLineMessages::NoArgumentsTaken(const QString& command, const QString& argument) {
    return tr("'%1' takes no arguments, but was given '%2'.").arg(command, argument);
}
QString CommandLineMessages::StandardOutputFailed(const QString& reason) {
    return tr("Writing to standard output failed: %1.").arg(reason);
}
QString CommandLineMessages::NotUtf8(const QString& argument) {
    return tr("the argument '%1' is not valid UTF-8; Glyphwright reads its arguments, file names "
              "among them, as UTF-8 and would write or read another name.")
        .arg(argument);
}
QString CommandLineMessages::TooManyLines() {
    return tr(
        "The Table Order is full: it holds at most 1000 lines. Give at most 1000 LINE "
        "arguments.");
}
QString CommandLineMessages::BadStart(const QString& typed, HexError error) {
    if (typed.isEmpty()) {
        return tr(
            "No start code was given. Give --start the code at which the font table "
            "begins, a hexadecimal byte from 00 to FF.");
    }
    const QString what = error == HexError::OutOfRange
                             ? tr("The start code \"%1\" is larger than FF.").arg(typed)
                             : tr("The start code \"%1\" is not a hexadecimal byte.").arg(typed);
    return what + QLatin1Char(' ') + tr("Give --start a code from 00 to FF (for example 10).");
}
QString CommandLineMessages::NoDisplay() {
    return tr(
        "there is no display to show the window on. The command line works without one: "
        "see 'glyphwright --help'.");
}

QString CommandLineMessages::MissingOption(const QString& option, const QString& example) {
    return tr("the option '%1' is missing, e.g. %1 %2.").arg(option, example);
}
QString CommandLineMessages::BadOffset(const QString& offset) {
    return tr("'%1' is not an offset: give it in hexadecimal, e.g. 3C000 or 0x3C000.").arg(offset);
}
QString CommandLineMessages::UnknownTileFormat(const QString& format, const QString& names) {
    return tr("'%1' is not a tile format: choose %2.").arg(format, names);
}
QString CommandLineMessages::UnknownTileOrder(const QString& order) {
    return tr("'%1' is not a tile order: choose across or down.").arg(order);
}
QString CommandLineMessages::BadGlyphSize(const QString& size) {
    return tr("'%1' is not a glyph size: give width x height, e.g. 16x16.").arg(size);
}
QString CommandLineMessages::GlyphNotWholeTiles(const QString& size, const QString& format) {
    return tr("%2 glyphs are made of 8x8 tiles, so %1 cannot be one: give 8x8, 8x16, 16x16 "
              "and the like, or use bitmap or bitmap-packed.")
        .arg(size, format);
}
QString CommandLineMessages::GlyphTooLarge(const QString& size, const QString& format, int least) {
    return tr("%2 glyphs are at most 32x32, with each side %3 at least, so %1 is out of range.")
        .arg(size, format)
        .arg(least);
}
QString CommandLineMessages::BadCount(const QString& count, int most) {
    return tr("'%1' is not a count of glyphs: give a number from 1 to %2.").arg(count).arg(most);
}
QString CommandLineMessages::BadZoom(const QString& zoom, int most) {
    return tr("'%1' is not a zoom: give a number from 1 to %2.").arg(zoom).arg(most);
}
QString CommandLineMessages::NoGlyphsAt(const QString& offset, quint64 size) {
    return tr("no glyph starts at offset %1: the game file is %2 bytes long.")
        .arg(offset)
        .arg(size);
}
QString CommandLineMessages::PictureNotWritten(const QString& path, const QString& reason) {
    return tr("the picture \"%1\" could not be written: %2.").arg(path, reason);
}

QString CommandLineMessages::FontTableHelp(int mostGlyphs) {
    return tr("Usage: glyphwright font-table --game FILE --offset HEX --tiles FORMAT\n"
              "           --glyph WxH [--tile-order down] --first-code HH [--count N]\n"
              "           [--repertoire LIST] [--font FAMILY] --output FILE\n"
              "           [--format FORMAT] [--report FILE] [--text START:END]\n"
              "\n"
              "Reads each glyph of a game's font by comparing it with characters drawn from an\n"
              "installed font, and writes the best guesses as a table file: glyph i at code\n"
              "first-code + i. The table is a draft: check it against the report.\n"
              "\n"
              "Options:\n"
              "  --game, --offset, --tiles, --glyph, --tile-order, --compression\n"
              "                     where the glyphs are and how they are stored, as for\n"
              "                     'glyphwright glyphs' (see its --help)\n"
              "  --first-code HH    the code of the first glyph, a hexadecimal byte 00 to FF\n"
              "  --count N          how many glyphs to read, 1 to %1 (default: those up to\n"
              "                     code FF); fewer where the file ends\n"
              "  --repertoire LIST  the characters a glyph is compared with, comma-separated:\n"
              "                       kana       hiragana and katakana, small, voiced and\n"
              "                                  half-width included\n"
              "                       ascii      the printable ASCII characters\n"
              "                       fullwidth  full-width Latin, digits and punctuation\n"
              "                       kanji1     JIS X 0208 level-1 kanji (2,965)\n"
              "                       kanji2     JIS X 0208 level-2 kanji (3,390)\n"
              "                     (default kana,ascii,fullwidth,kanji1)\n"
              "  --font FAMILY      the installed font to compare with (default Noto Sans CJK\n"
              "                     JP); ASCII is compared with DejaVu Sans Mono as well\n"
              "  --output FILE      the table file to write; - writes it to standard output\n"
              "  --format FORMAT    classic (EUC-JP, lines end 0D 0D 0A; the default), utf8,\n"
              "                     sjis or abcde, as for 'glyphwright make'\n"
              "  --report FILE      also write a tab-separated report: for each code the code,\n"
              "                     the best guess, its confidence (0.00 to 1.00), four\n"
              "                     alternatives and the near-ties to look at (- for\n"
              "                     standard output; not the --output file), and what\n"
              "                     decided the guess: shape, order or script, and why\n"
              "  --text START:END   where the game's text lies, two hexadecimal offsets in the\n"
              "                     game file (END not included): the glyphs the pixels are\n"
              "                     sure of read the text, and the text decides the others\n"
              "                     (「 opens speech, 。 ends a sentence, small kana follow kana)\n"
              "  -h, --help         show this help\n"
              "  -v, --version      show the version\n"
              "\n"
              "A glyph without ink gets no entry. A guess the table cannot store (EUC-JP or the\n"
              "chosen format has no code for it) is left out with a message; the report still\n"
              "shows it. Codes past FF are not in the table: a message says how many glyphs\n"
              "would take them, and the report lists them.\n"
              "\n"
              "Exit status: 0 written, 1 the game file or the font could not be read or a file\n"
              "not written, 2 bad usage.\n"
              "\n"
              "Example:\n"
              "  glyphwright font-table --game game.sfc --offset 3C000 --tiles snes4bpp \\\n"
              "      --glyph 16x16 --first-code 10 --repertoire kana,ascii --output font.tbl \\\n"
              "      --format utf8 --report font.tsv\n")
        .arg(mostGlyphs);
}

QString CommandLineMessages::BadFirstCode(const QString& code) {
    return tr("'%1' is not a code: give a hexadecimal byte 00 to FF, e.g. --first-code 10.")
        .arg(code);
}
QString CommandLineMessages::BadTextRange(const QString& range) {
    return tr("--text %1 is no range: give START:END, two hexadecimal offsets in the game file "
              "with START below END, e.g. --text 8000:9000.")
        .arg(range);
}
QString CommandLineMessages::TextPastEnd(const QString& range, std::uint64_t size) {
    return tr("--text %1 begins past the end of the game file (%2 bytes, up to %3).")
        .arg(range, QString::number(size), HexNumber(size, 1));
}
QString CommandLineMessages::UnknownRepertoire(const QString& repertoires, const QString& names) {
    return tr("'%1' is not a list of repertoires: give one or more of %2, separated by commas.")
        .arg(repertoires, names);
}
QString CommandLineMessages::FontUnavailable(const glyphwright::FontUnavailable& failure) {
    return tr("the font \"%1\" cannot be used: %2. Name an installed family with --font (fc-list "
              "lists them).")
        .arg(QString::fromStdString(failure.family), QString::fromStdString(failure.reason));
}
QString CommandLineMessages::GuessNotEucJp(const QString& code, const QString& guess) {
    return tr("code %1 is left out of the table: its guess \"%2\" has no EUC-JP code, the "
              "encoding every table is kept in.")
        .arg(code, guess);
}
QString CommandLineMessages::GuessNotInFormat(const QString& code, const QString& guess,
                                              const QString& format) {
    return tr("code %1 is left out of the table: its guess \"%2\" cannot be written in the %3 "
              "format.")
        .arg(code, guess, format);
}
QString CommandLineMessages::GlyphsPastLastCode(int glyphs, const QString& lastCode,
                                                bool inReport) {
    const QString where =
        glyphs == 1 ? tr("1 glyph would take code 100")
                    : tr("%1 glyphs would take codes 100 to %2").arg(glyphs).arg(lastCode);
    return inReport ? tr("%1, past FF: font-table writes one-byte codes only, so they are not in "
                         "the table; the report lists them.")
                          .arg(where)
                    : tr("%1, past FF: font-table writes one-byte codes only, so they are not in "
                         "the table.")
                          .arg(where);
}
QString CommandLineMessages::ReportNotWritten(const FileError& failure) {
    return tr("the table was written, but the report \"%1\" could not be: %2.")
        .arg(QString::fromStdString(failure.path), FileMessages::Reason(failure));
}
QString CommandLineMessages::MissingGame() {
    return tr("no game file given: name it with --game FILE.");
}
QString CommandLineMessages::MissingWord() {
    return tr("no word given: name it with --word WORD.");
}
QString CommandLineMessages::UnknownWidth(const QString& width) {
    return tr("'%1' is not a letter width: the widths are 1, 2le and 2be.").arg(width);
}

}  // namespace glyphwright

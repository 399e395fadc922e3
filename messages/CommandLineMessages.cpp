#include "CommandLineMessages.h"

namespace glyphwright {

QString CommandLineMessages::Help() {
    return tr(
        "Usage: glyphwright [COMMAND [OPTION...] [LINE...]]\n"
        "\n"
        "Without arguments Glyphwright opens its window. With a command it opens none and\n"
        "needs no display.\n"
        "\n"
        "Commands:\n"
        "  make    write a table file from a start code and a Table Order\n"
        "  sets    list every character set with its member count\n"
        "  search  find a word in a game file by the distances of its letters' codes\n"
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
        "                        [--] LINE...\n"
        "       glyphwright make --project FILE --output FILE [--format FORMAT] [--sets FILE]\n"
        "                        [LINE...]\n"
        "\n"
        "Lays the Table Order from the start code on and writes the table file, as MAKE TABLE\n"
        "does in the window: the file covers the codes from the start code to the last member\n"
        "of the set laid last, and an existing file is replaced only once the new one is\n"
        "complete.\n"
        "\n"
        "Options:\n"
        "  -s, --start HH        the code the table starts at, a hexadecimal byte 00 to FF\n"
        "  -o, --output FILE     the table file to write; - writes it to standard output\n"
        "  -f, --format FORMAT   classic (EUC-JP, lines end 0D 0D 0A; the default),\n"
        "                        utf8 (Table File Standard, UTF-8, LF) or sjis (Shift-JIS, CR LF)\n"
        "  -p, --project FILE    start from a project saved in the window: its table, Table\n"
        "                        Order and start code; its last format unless --format is given\n"
        "      --sets FILE       take the user's sets from this set file instead of the\n"
        "                        user's own (Tools > Character Sets... in the window)\n"
        "  -h, --help            show this help\n"
        "  -v, --version         show the version\n"
        "\n"
        "Each LINE is one line of the Table Order, in order:\n"
        "  SET        a set, built-in or the user's, laid from where the set before it ended\n"
        "  SET@HH     a set with a start code of its own (@00: none)\n"
        "  HH=TEXT    a single entry: TEXT at code HH. It is stored at once; a set laid over\n"
        "             the same code replaces it.\n"
        "The sets are named exactly as 'glyphwright sets' lists them; quote names with blanks.\n"
        "An entry outside the codes the file covers is not written.\n"
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
        "reads it (a code the set does not cover shows as <HH>).\n"
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

QString CommandLineMessages::TryHelp(const QString& command) {
    const QString help = command.isEmpty() ? QStringLiteral("glyphwright --help")
                                           : QStringLiteral("glyphwright %1 --help").arg(command);
    return tr("Try '%1' for more.").arg(help);
}

QString CommandLineMessages::NoCommand() {
    return tr("no command given.");
}
QString CommandLineMessages::UnknownCommand(const QString& command) {
    return tr("'%1' is not a command: the commands are make, sets and search.").arg(command);
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
    return tr("'%1' is not a format: choose classic, utf8 or sjis.").arg(format);
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

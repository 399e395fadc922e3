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
        "  sets    list the built-in character sets with their member counts\n"
        "\n"
        "Options:\n"
        "  -h, --help     show this help; after a command, that command's help\n"
        "  -v, --version  show the version\n"
        "\n"
        "Exit status: 0 done, 1 a table problem (no file written), 2 bad usage.\n");
}

QString CommandLineMessages::MakeHelp() {
    return tr(
        "Usage: glyphwright make --start HH --output FILE [--format FORMAT] [--] LINE...\n"
        "       glyphwright make --project FILE --output FILE [--format FORMAT] [LINE...]\n"
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
        "  -i, --import FILE     put the entries of a table file (classic, UTF-8 or Shift-JIS,\n"
        "                        found from the file) on their codes before the LINEs;\n"
        "                        repeatable\n"
        "  -h, --help            show this help\n"
        "  -v, --version         show the version\n"
        "\n"
        "Each LINE is one line of the Table Order, in order:\n"
        "  SET        a built-in set, laid from where the set before it ended\n"
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
        "Lists the built-in character sets in catalogue order, one a line: the name, a tab\n"
        "and the number of members, that is of codes the set takes.\n");
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
    return tr("'%1' is not a command: the commands are make and sets.").arg(command);
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
    return tr("'%1' is neither a built-in set, SET@HH, nor a single entry HH=TEXT. The sets are: "
              "%2.")
        .arg(line, setNames);
}
QString CommandLineMessages::NoArgumentsTaken(const QString& command, const QString& argument) {
    return tr("'%1' takes no arguments, but was given '%2'.").arg(command, argument);
}
QString CommandLineMessages::StandardOutputFailed(const QString& reason) {
    return tr("Writing to standard output failed: %1.").arg(reason);
}

}  // namespace glyphwright

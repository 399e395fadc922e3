#include "DumpMessages.h"

namespace glyphwright {

namespace {

QString Hex(std::uint64_t value) {
    return QStringLiteral("$%1").arg(value, 0, 16).toUpper();
}

QString PointerBlockProblem(PointerBlockError error) {
    switch (error) {
        case PointerBlockError::Shape:
            return DumpMessages::tr("it is not OFFSET:COUNT:KIND");
        case PointerBlockError::Offset:
            return DumpMessages::tr("the offset is no hex number");
        case PointerBlockError::Count:
            return DumpMessages::tr("the count is no number above 0");
        case PointerBlockError::Kind:
            return DumpMessages::tr(
                "the kind is none of le16, be16, le24, be24, le32, be32 (each with +HEX or -HEX "
                "if wanted), gba, lorom, hirom, nes+BANK");
        case PointerBlockError::Empty:
            return DumpMessages::tr("the end is not after the start");
    }
    return {};
}

}  // namespace

QString DumpMessages::Help() {
    return tr(
        "Usage: glyphwright dump --game FILE --import TABLE... (--pointers OFFSET:COUNT:KIND)...\n"
        "                        [--range START:END] [--inserter atlas|abcde] --output SCRIPT\n"
        "\n"
        "Reads the game's strings through the table and writes them as an Atlas script:\n"
        "the table, each pointer table's kind, a jump to each block of text, a #WRITE for\n"
        "every pointer before the string it points to, each string on its own lines (a new\n"
        "line after each line break and end code), and bytes the table cannot read as <$XX>.\n"
        "Atlas (Atlas GAME SCRIPT) and abcde's Atlas mode put the strings and pointers back.\n"
        "\n"
        "Options:\n"
        "  -g, --game FILE        the game file\n"
        "  -i, --import TABLE     the table to read with; with several, a later one's code\n"
        "                         wins and the one table is written as SCRIPT.tbl\n"
        "      --pointers BLOCK   OFFSET:COUNT:KIND: COUNT pointers from OFFSET (hex). KIND is\n"
        "                         le16 be16 le24 be24 le32 be32, optionally +HEX or -HEX\n"
        "                         added to a value to give the file offset (le16+4000), or\n"
        "                         gba, lorom, hirom, or nes+BANK (16 KiB bank, after the\n"
        "                         16-byte header). Give it again for more tables.\n"
        "      --range START:END  also the strings between end codes from START up to END\n"
        "                         (hex, END not included), with no pointers\n"
        "      --inserter NAME    the inserter the script is for: atlas (Atlas 1.12, the\n"
        "                         default) or abcde (abcde's Atlas mode). They differ at a\n"
        "                         labelled line break (FE=[line]\\n): Atlas reads [line]\\n\n"
        "                         in the script, abcde [line] alone.\n"
        "  -o, --output SCRIPT    the script to write\n"
        "  -h, --help             show this help\n"
        "\n"
        "Codes read without an entry are listed on stderr, most frequent first.\n"
        "Exit status: 0 written, 1 written but something in the game cannot come back as it\n"
        "was (each place is marked // ! in the script), 2 bad usage or a file that cannot be\n"
        "read or written.\n"
        "\n"
        "Example:\n"
        "  glyphwright dump --game game.nes --import game.tbl --pointers 8010:120:nes+2 \\\n"
        "      --output script.txt\n");
}

QString DumpMessages::MissingTable() {
    return tr("No table: give the table to read with as --import TABLE.");
}

QString DumpMessages::NothingToDump() {
    return tr("Nothing to dump: give --pointers OFFSET:COUNT:KIND or --range START:END.");
}

QString DumpMessages::UnknownInserter(const QString& inserter) {
    return tr("--inserter %1: the inserter is atlas or abcde.").arg(inserter);
}

QString DumpMessages::BadPointers(const QString& plan, PointerBlockError error) {
    return tr("--pointers %1 cannot be read: %2.").arg(plan, PointerBlockProblem(error));
}

QString DumpMessages::BadRange(const QString& range, PointerBlockError error) {
    const QString why = error == PointerBlockError::Shape ? tr("it is not START:END") : PointerBlockProblem(error);
    return tr("--range %1 cannot be read: %2.").arg(range, why);
}

QString DumpMessages::Problem(const DumpProblem& problem) {
    const QString where =
        problem.inRange
            ? tr("The range, string at %1").arg(Hex(problem.target))
            : tr("Block %1, pointer %2 (at %3)")
                  .arg(problem.block + 1)
                  .arg(problem.index + 1)
                  .arg(Hex(problem.pointerOffset));
    switch (problem.kind) {
        case DumpProblem::Kind::PointerPastEnd:
            return tr("Block %1, pointer %2 (at %3): the pointers from here on lie past the "
                      "file's end.")
                .arg(problem.block + 1)
                .arg(problem.index + 1)
                .arg(Hex(problem.pointerOffset));
        case DumpProblem::Kind::OutsideFile:
            return tr("%1: points outside the file (%2).").arg(where, Hex(problem.target));
        case DumpProblem::Kind::IntoPointers:
            if (problem.other == problem.block) {
                return tr("%1: points back into its own table of pointers (%2), a loop.")
                    .arg(where, Hex(problem.target));
            }
            return tr("%1: points into the pointers of block %2 (%3).")
                .arg(where)
                .arg(problem.other + 1)
                .arg(Hex(problem.target));
        case DumpProblem::Kind::IntoString:
            return tr("%1: points into the middle of the string at %2 (%3).")
                .arg(where, Hex(problem.other), Hex(problem.target));
        case DumpProblem::Kind::BlocksOverlap:
            return tr("Block %1 (at %2): its pointers overlap those of block %3.")
                .arg(problem.block + 1)
                .arg(Hex(problem.pointerOffset))
                .arg(problem.other + 1);
        case DumpProblem::Kind::NoEndCode:
            return tr("%1: the string at %2 has no end code before the file's end or the next "
                      "pointers.")
                .arg(where, Hex(problem.target));
        case DumpProblem::Kind::UnreadableBytes:
            return tr("%1: the string at %2 holds bytes the table has no entry for.")
                .arg(where, Hex(problem.target));
        case DumpProblem::Kind::RangePastEnd:
            return tr("The range from %1: it begins past the file's end, so nothing was read there.")
                .arg(Hex(problem.target));
        case DumpProblem::Kind::NotWrittenBack:
            return tr("%1: the inserter would write another value for %2 than the game holds.")
                .arg(where, Hex(problem.target));
    }
    return {};
}

QString DumpMessages::MoreProblems(std::size_t more) {
    return tr("…and more problems: %1.").arg(more);
}

QString DumpMessages::Written(const QString& script, std::size_t strings, std::size_t pointers) {
    const QString stringCount =
        strings == 1 ? tr("1 string") : tr("%1 strings").arg(strings);
    const QString pointerCount =
        pointers == 1 ? tr("1 pointer") : tr("%1 pointers").arg(pointers);
    return tr("%1: %2, %3.").arg(script, stringCount, pointerCount);
}

QString DumpMessages::WrittenWithProblems(const QString& script, std::size_t problems) {
    return tr("%1 was written, but with problems: %2. Each is marked // ! in the script.")
        .arg(script)
        .arg(problems);
}

QString DumpMessages::Unread(const std::vector<std::pair<TableCode, std::size_t>>& codes) {
    QStringList parts;
    for (const auto& [code, count] : codes) {
        parts << QStringLiteral("%1 ×%2").arg(QString::fromStdString(code.Hex())).arg(count);
    }
    return tr("Codes read without an entry, most frequent first: %1").arg(parts.join(QStringLiteral(", ")));
}

}  // namespace glyphwright

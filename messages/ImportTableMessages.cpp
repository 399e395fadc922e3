#include "ImportTableMessages.h"

#include "MessageText.h"
#include "tablefile/ImportTable.h"

namespace glyphwright {

QString ImportTableMessages::ImportAction(const QString& fileName) {
    return tr("Import %1").arg(fileName);
}

QStringList ImportTableMessages::ImportTableFilters() {
    return {tr("Detect format (*)"), tr("Classic (*)"), tr("UTF-8 (*)"), tr("Shift-JIS (*)")};
}

QString ImportTableMessages::ImportTableMenu() {
    return tr("&Import Table\u2026");
}

QString ImportTableMessages::ImportTableTitle() {
    return tr("Import Table");
}

QString ImportTableMessages::ImportProblems(const QString& file,
                                            const std::vector<ImportProblem>& problems) {
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
            case ImportProblem::Kind::BadTableId:
                why = tr("names no table (an id is letters, digits, _, - and .); the lines up to "
                         "the next table are not taken");
                break;
            case ImportProblem::Kind::DuplicateTable:
                why = tr("begins a table an earlier line began already; its lines are not taken");
                break;
            case ImportProblem::Kind::UnknownTable:
                why = tr("switches to a table the file does not hold");
                break;
            case ImportProblem::Kind::OwnTable:
                why = tr("switches to the table it is in, which would never end");
                break;
            case ImportProblem::Kind::BadCount:
                why = tr("gives a count out of range (parameter bytes 1 to 255, characters 0 to "
                         "65535)");
                break;
        }
        lines << tr("line %1: \"%2\" %3").arg(QString::number(problem.line), text, why);
    }
    return tr("These lines of %1 cannot be taken:\n%2").arg(file, lines.join(QLatin1Char('\n')));
}

QString ImportTableMessages::SwitchLoops(const QString& file,
                                         const std::vector<SwitchLoop>& loops) {
    QStringList lines;
    for (const SwitchLoop& loop : loops) {
        QStringList tables;
        for (const std::string& id : loop.tables) tables << QString::fromStdString(id);
        QStringList numbers;
        for (const int line : loop.lines) numbers << QString::number(line);
        lines << tr("lines %1 switch round through the tables %2, each until a code the next "
                    "table lacks")
                     .arg(numbers.join(QStringLiteral(", ")), tables.join(QStringLiteral(", ")));
    }
    return tr("In %1, %2. Such a switch goes back to a table already being read rather than "
              "deeper, so reading still ends; give a switch a count if it should come back by "
              "itself.")
        .arg(file, lines.join(QStringLiteral("; ")));
}

QString ImportTableMessages::ImportTheRest(qsizetype entries) {
    return entries == 1 ? tr("Import the other entry? No imports nothing.")
                        : tr("Import the other %1 entries? No imports nothing.").arg(entries);
}

}  // namespace glyphwright

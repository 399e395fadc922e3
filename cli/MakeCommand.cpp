// glyphwright make: a table from set names and entries on the command line, a project, imported
// tables, or all of them.

#include <QFile>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "CommandOptions.h"
#include "CommandOutput.h"
#include "UserSets.h"
#include "Commands.h"
#include "MakeTableFile.h"
#include "OpenProject.h"
#include "CommandLineNotices.h"
#include "ImportTableMessages.h"
#include "MakeTableMessages.h"
#include "ProjectMessages.h"
#include "SetsMessages.h"
#include "TableOrderMessages.h"
#include "core/sets/SetCatalogue.h"
#include "core/table/CodeOrder.h"
#include "core/table/HeldAndLaid.h"
#include "core/table/TableCode.h"
#include "core/text/EucJp.h"
#include "tablefile/ImportTable.h"
#include "tablefile/WritesCode.h"

namespace glyphwright {

namespace {

using Words = CommandLineMessages;

struct SetLine {
    const CharacterSet* set = nullptr;
    std::optional<std::string> start;  // the own start as typed after '@'
};
struct EntryLine {
    std::string code;  // as typed before '='
    std::string text;  // UTF-8
};
using OrderLine = std::variant<SetLine, EntryLine>;

// What a LINE argument asks for, by its shape alone: a set name exactly as the catalogue has it,
// a set name and '@', or anything with '='. The values are read when the order is built.
std::optional<OrderLine> ReadOrderLine(const SetCatalogue& sets, const QString& line) {
    const std::string text = line.toStdString();
    if (const CharacterSet* set = sets.Find(text)) return SetLine{set, std::nullopt};
    if (const auto at = text.rfind('@'); at != std::string::npos) {
        if (const CharacterSet* set = sets.Find(std::string_view(text).substr(0, at))) {
            return SetLine{set, text.substr(at + 1)};
        }
    }
    if (const auto equals = text.find('='); equals != std::string::npos) {
        return EntryLine{text.substr(0, equals), text.substr(equals + 1)};
    }
    return std::nullopt;
}

QString SetNames(const SetCatalogue& sets) {
    QStringList names;
    for (const CharacterSet& set : sets.Sets()) {
        names << QString::fromUtf8(set.name.data(), static_cast<qsizetype>(set.name.size()));
    }
    return names.join(QStringLiteral(", "));
}

// Builds the Table Order as the windows do from the same lines: a single entry goes into its
// code at once, a set is recorded with its own start. The failure is worded as there. A code of
// three or four digits is two bytes as stored ("@0080" is not "@80").
std::optional<QString> BuildOrder(const std::vector<OrderLine>& lines, Workspace& workspace,
                                  TableOrder& order) {
    for (const OrderLine& line : lines) {
        if (order.IsFull()) return Words::TooManyLines();
        if (const auto* setLine = std::get_if<SetLine>(&line)) {
            std::optional<TableCode> start;
            if (setLine->start) {
                const auto read = ReadTypedCode(*setLine->start);
                if (!read) return TableOrderMessages::BadTableCode(*setLine->start, read.error());
                start = read.value();
            }
            (void)order.AppendSetLine(std::string(setLine->set->name));
            order.SetStartCode(order.LineCount() - 1, start);
            continue;
        }
        const auto& entry = std::get<EntryLine>(line);
        const auto code = ReadTypedCode(entry.code);
        if (!code) return TableOrderMessages::BadTableCode(entry.code, code.error());
        // An empty text on a two-byte code takes the code away: an empty ordinary entry is no
        // entry.
        workspace.TableText.Put(code.value(), {entry.text, EntryKind::Ordinary});
        (void)order.AppendEntryLine(entry.text);
    }
    return std::nullopt;
}

QString ProjectNotOpened(const ProjectOpenFailure& failure) {
    if (const auto* unreadable = std::get_if<ProjectUnreadable>(&failure)) {
        return ProjectMessages::ProjectUnreadable(unreadable->path, unreadable->reason);
    }
    return ProjectMessages::Failure(std::get<ProjectError>(failure));
}

// A script's answers to MAKE TABLE's questions: the target its options name. A start code is
// asked for only when a text format has nothing to write without one (a missing --start is
// refused before, where a set is laid): no answer, so nothing is made.
class ScriptAnswers final : public UserQueries {
public:
    ScriptAnswers(SaveTarget target, std::optional<std::string> start)
        : target_(std::move(target)), start_(std::move(start)) {}
    std::optional<std::string> AskStartCode() override { return start_; }
    std::optional<SaveTarget> AskSaveTarget() override { return target_; }

private:
    SaveTarget target_;
    std::optional<std::string> start_;  // as given, "" included
};

// Writes the table to `out` (standard output) instead of a file; a failure as the errno.
TableWriter WriteToStream(std::FILE* out) {
    return [out](const Workspace& workspace,
                 const SaveTarget& target) -> Result<Success, TableFailure> {
        const auto file = FormatTable(workspace, target.format);
        if (!file) return TableFailure{file.error()};
        if (const int error = WriteAll(out, file.value())) {
            return TableFailure{FileError{FileError::Kind::System, "-", error}};
        }
        return Success{};
    };
}

}  // namespace

int RunMake(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("make");
    CommandOptions options({{QStringLiteral("start"), QStringLiteral("s")},
                            {QStringLiteral("output"), QStringLiteral("o")},
                            {QStringLiteral("format"), QStringLiteral("f")},
                            {QStringLiteral("project"), QStringLiteral("p")},
                            {QStringLiteral("sets")},
                            {QStringLiteral("import"), QStringLiteral("i")},
                            {QStringLiteral("import-format")},
                            {QStringLiteral("code-order")}});
    if (const auto problem =
            options.Read(arguments, {QStringLiteral("import"), QStringLiteral("import-format")})) {
        return BadUsage(err, command, *problem);
    }
    // --import, repeatable, in the order given, each with the --import-format before it ("" for
    // none: the format is found from the file).
    std::vector<std::pair<QString, QString>> imports;
    QString lastImportFormat;
    for (const auto& [name, value] :
         options.InOrder({QStringLiteral("import"), QStringLiteral("import-format")})) {
        if (name == QLatin1String("import")) {
            imports.emplace_back(value, lastImportFormat);
        } else if (QStringList{"auto", "classic", "utf8", "sjis"}.contains(value)) {
            lastImportFormat = value;
        } else {
            return BadUsage(err, command, Words::UnknownImportFormat(value));
        }
    }
    const std::optional<QString> project = options.Value(QStringLiteral("project"));
    const std::optional<QString> output = options.Value(QStringLiteral("output"));
    // The sets come first: a project's lines are read against them.
    const auto userSets = ReadUserSets(options.Value(QStringLiteral("sets")));
    if (!userSets) return TableProblem(err, SetsMessages::Failure(userSets.error()));
    SetCatalogue sets(userSets.value());
    DocumentContents contents;
    contents.order.UseCatalogue(sets);
    if (project) {
        auto read = ReadProjectAt(*project, sets);
        if (!read) return TableProblem(err, ProjectNotOpened(read.error()));
        ReadProjectFile opened = std::move(read).value();
        // A project lays the sets it keeps, the user's own of the same name left as they are,
        // for this run only: the set file is not changed.
        const auto fitted = FitProjectSets(opened, sets);
        if (!fitted) return TableProblem(err, SetsMessages::Failure(fitted.error()));
        contents = std::move(opened.contents);
        if (!fitted.value().renamed.empty()) {
            Say(err, CommandLineNotices::KeptSetsLaidForThisRun(fitted.value().renamed));
        }
    }
    // The window asks for a missing start code; a script cannot answer.
    std::optional<QString> start = options.Value(QStringLiteral("start"));
    if (!start && project && !contents.startCode.empty()) {
        start = QString::fromStdString(contents.startCode);
    }
    if (!output) return BadUsage(err, command, Words::MissingOutput());
    TableFormat format = FormatNamed(contents.tableFormat).value_or(TableFormat::Classic);
    if (const auto name = options.Value(QStringLiteral("format"))) {
        const auto chosen = FormatNamed(name->toStdString());
        if (!chosen) return BadUsage(err, command, Words::UnknownFormat(*name));
        format = *chosen;
    }
    CodeOrder codeOrder = contents.codeOrder;
    if (const auto name = options.Value(QStringLiteral("code-order"))) {
        const auto chosen = CodeOrderNamed(name->toStdString());
        if (!chosen) return BadUsage(err, command, Words::UnknownCodeOrder(*name));
        codeOrder = *chosen;
    }
    std::vector<OrderLine> lines;
    for (const QString& line : options.Others()) {
        auto orderLine = ReadOrderLine(sets, line);
        if (!orderLine) return BadUsage(err, command, Words::UnknownLine(line, SetNames(sets)));
        lines.push_back(std::move(*orderLine));
    }
    // A text format writes the whole table: with no set to lay it needs no start code.
    const bool laysASet = LaysASet(contents.order) ||
                          std::any_of(lines.begin(), lines.end(), [](const OrderLine& line) {
                              return std::holds_alternative<SetLine>(line);
                          });
    if (!start && (laysASet || !WritesWithNothingLaid(format))) {
        return BadUsage(err, command, Words::MissingStart());
    }

    // Imported tables come before the LINEs, each entry put on its code as a single entry is.
    for (const auto& [path, formatName] : imports) {
        // Read when given; "auto" or none: found from the file.
        const std::optional<TableFormat> importFormat = FormatNamed(formatName.toStdString());
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return TableProblem(err, Words::ImportUnreadable(path, file.errorString()));
        }
        const QByteArray bytes = file.readAll();
        const ImportedTable imported =
            ImportTable(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        importFormat);
        if (!imported.problems.empty()) {
            return TableProblem(err, ImportTableMessages::ImportProblems(path, imported.problems));
        }
        if (!imported.loops.empty())
            Say(err, ImportTableMessages::SwitchLoops(path, imported.loops));
        for (const auto& [code, entry] : imported.entries) contents.table.TableText.Put(code, entry);
        contents.table.PutTables(imported.id, imported.further);
    }
    Workspace workspace = contents.table;
    TableOrder order = contents.order;
    if (const auto failure = BuildOrder(lines, workspace, order)) {
        return TableProblem(err, *failure);
    }
    const bool toStandardOutput = *output == QLatin1String("-");
    ScriptAnswers answers(SaveTarget{QFile::encodeName(*output).toStdString(), format},
                          start ? std::optional<std::string>(start->toStdString()) : std::nullopt);
    const auto made = MakeTableFile(
        workspace, order, start ? start->toStdString() : std::string(), answers, codeOrder,
        toStandardOutput ? TableWriter(WriteToStream(out)) : TableWriter());
    if (!made) {
        // The windows' words tell the user to type the code; here it is an option's value.
        if (const auto* bad = std::get_if<StartCodeError>(&made.error())) {
            return TableProblem(err, Words::BadStart(QString::fromStdString(bad->typed), bad->error));
        }
        // A text format writes every entry the table holds, so the set is not what it lacks.
        if (const auto* assembly = std::get_if<AssemblyError>(&made.error());
            assembly != nullptr && assembly->kind == AssemblyError::Kind::NothingToLay &&
            WritesWithNothingLaid(format)) {
            return TableProblem(err, CommandLineNotices::NothingToWrite(
                                         QString::fromStdString(FormatName(format))));
        }
        const auto* file = std::get_if<FileError>(&made.error());
        if (toStandardOutput && file != nullptr) {
            return TableProblem(err, Words::StandardOutputFailed(
                                         QString::fromLocal8Bit(std::strerror(file->error))));
        }
        return TableProblem(err, MakeTableMessages::Failure(made.error()));
    }
    if (made.value().outcome != MakeTableOutcome::Written) {
        if (!WritesWithNothingLaid(format)) return BadUsage(err, command, Words::MissingStart());
        return TableProblem(err, CommandLineNotices::NothingToWrite(
                                     QString::fromStdString(FormatName(format))));
    }
    // Inserters disagree about which code of the same text they write, and abcde refuses < and >:
    // said, and still written.
    if (made.value().HasWarnings()) {
        Say(err, MakeTableMessages::WrittenWarnings(made.value().duplicates,
                                                    made.value().angleBrackets));
    }
    return kExitSuccess;
}

}  // namespace glyphwright

#include "CommandLine.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "CommandLineMessages.h"
#include "MakeTable.h"
#include "Messages.h"
#include "Version.h"
#include "core/BuiltInSets.h"
#include "core/EucJp.h"
#include "project/ProjectFile.h"
#include "tablefile/ImportTable.h"

namespace glyphwright {

namespace {

using Words = CommandLineMessages;

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// Writes `bytes` and makes sure they left the program: a full disk or a pipe nobody reads any
// more must not pass for success. Returns the errno, or 0.
int Emit(std::FILE* out, std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
        return errno != 0 ? errno : EIO;
    }
    return 0;
}

int BadUsage(std::FILE* err, const QString& command, const QString& problem) {
    Print(err, QStringLiteral("glyphwright: %1\n%2\n").arg(problem, Words::TryHelp(command)));
    return kExitBadUsage;
}

int TableProblem(std::FILE* err, const QString& message) {
    Print(err, QStringLiteral("glyphwright: %1\n").arg(message));
    return kExitTableProblem;
}

int Show(std::FILE* out, std::FILE* err, std::string_view bytes) {
    if (const int error = Emit(out, bytes)) {
        return TableProblem(
            err, Words::StandardOutputFailed(QString::fromLocal8Bit(std::strerror(error))));
    }
    return kExitSuccess;
}

int Show(std::FILE* out, std::FILE* err, const QString& text) {
    return Show(out, err, text.toLocal8Bit().toStdString());
}

int ShowVersion(std::FILE* out, std::FILE* err) {
    return Show(out, err, std::string(kProductName) + ' ' + kVersionText + '\n');
}

enum class Asked { Nothing, Help, Version };

// --help or --version anywhere before "--" wins over everything else on the line, so that a
// half-written command can still ask for help.
Asked AskedFor(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--")) break;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            return Asked::Help;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            return Asked::Version;
        }
    }
    return Asked::Nothing;
}

struct MakeArguments {
    std::optional<QString> start;
    std::optional<QString> output;
    std::optional<QString> format;
    std::optional<QString> project;
    QStringList imports;  // --import, repeatable, in the order given
    QStringList lines;
};

std::optional<QString>* OptionValue(MakeArguments& arguments, const QString& name) {
    if (name == QLatin1String("--start") || name == QLatin1String("-s")) return &arguments.start;
    if (name == QLatin1String("--output") || name == QLatin1String("-o")) return &arguments.output;
    if (name == QLatin1String("--format") || name == QLatin1String("-f")) return &arguments.format;
    if (name == QLatin1String("--project") || name == QLatin1String("-p"))
        return &arguments.project;
    return nullptr;
}

// Sorts make's arguments into options and Table Order lines: "--start 10", "--start=10" and
// "-s10" alike; "-" alone and everything after "--" are lines. A complaint on bad usage.
Result<MakeArguments, QString> ReadMakeArguments(const QStringList& arguments) {
    MakeArguments read;
    bool linesOnly = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (linesOnly || !argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            read.lines << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            linesOnly = true;
            continue;
        }
        QString name = argument;
        std::optional<QString> value;
        if (argument.startsWith(QLatin1String("--"))) {
            if (const qsizetype equals = argument.indexOf(QLatin1Char('=')); equals > 0) {
                name = argument.left(equals);
                value = argument.mid(equals + 1);
            }
        } else if (argument.size() > 2) {
            name = argument.left(2);
            value = argument.mid(2);
        }
        if (name == QLatin1String("--import") || name == QLatin1String("-i")) {
            if (!value) {
                if (i + 1 >= arguments.size()) return Words::MissingValue(name);
                value = arguments[++i];
            }
            read.imports << *value;
            continue;
        }
        std::optional<QString>* slot = OptionValue(read, name);
        if (slot == nullptr) return Words::UnknownOption(name);
        if (slot->has_value()) return Words::RepeatedOption(name);
        if (!value) {
            if (i + 1 >= arguments.size()) return Words::MissingValue(name);
            value = arguments[++i];
        }
        *slot = std::move(value);
    }
    return read;
}

std::optional<TableFormat> ReadFormat(const QString& name) {
    if (name == QLatin1String("classic")) return TableFormat::Classic;
    if (name == QLatin1String("utf8")) return TableFormat::Utf8;
    if (name == QLatin1String("sjis")) return TableFormat::ShiftJis;
    return std::nullopt;
}

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
std::optional<OrderLine> ReadOrderLine(const QString& line) {
    const std::string text = line.toStdString();
    if (const CharacterSet* set = FindBuiltInSet(text)) return SetLine{set, std::nullopt};
    if (const auto at = text.find('@'); at != std::string::npos) {
        if (const CharacterSet* set = FindBuiltInSet(std::string_view(text).substr(0, at))) {
            return SetLine{set, text.substr(at + 1)};
        }
    }
    if (const auto equals = text.find('='); equals != std::string::npos) {
        return EntryLine{text.substr(0, equals), text.substr(equals + 1)};
    }
    return std::nullopt;
}

QString SetNames() {
    QStringList names;
    for (const CharacterSet& set : BuiltInSets()) {
        names << QString::fromUtf8(set.name.data(), static_cast<qsizetype>(set.name.size()));
    }
    return names.join(QStringLiteral(", "));
}

// Builds the Table Order as the windows do from the same lines: a single entry goes into its
// code at once, a set is recorded with its own start. The failure is worded as there.
std::optional<QString> BuildOrder(const std::vector<OrderLine>& lines, Workspace& workspace,
                                  TableOrder& order) {
    for (const OrderLine& line : lines) {
        if (order.IsFull()) return Messages::OrderFull();
        if (const auto* setLine = std::get_if<SetLine>(&line)) {
            ByteCode start = 0;
            if (setLine->start) {
                const auto read = ReadHexByte(*setLine->start);
                if (!read) return Messages::BadCode(*setLine->start, read.error());
                start = read.value();
            }
            (void)order.AppendSetLine(std::string(setLine->set->name));
            order.SetStart(order.LineCount() - 1, start);
            continue;
        }
        const auto& entry = std::get<EntryLine>(line);
        const auto code = ReadHexByte(entry.code);
        if (!code) return Messages::BadCode(entry.code, code.error());
        const auto bytes = EncodeEucJp(entry.text);
        if (!bytes) return Messages::NotEucJp(QString::fromStdString(bytes.error().character));
        workspace.TableText[code.value()] = bytes.value();
        (void)order.AppendEntryLine(entry.text);
    }
    return std::nullopt;
}

int RunMake(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("make");
    const auto read = ReadMakeArguments(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const MakeArguments& options = read.value();
    DocumentContents contents;
    if (options.project) {
        QFile file(*options.project);
        if (!file.open(QIODevice::ReadOnly)) {
            return TableProblem(err,
                                Messages::ProjectUnreadable(*options.project, file.errorString()));
        }
        auto project = ReadProject(file.readAll(), *options.project);
        if (!project) return TableProblem(err, Messages::Failure(project.error()));
        contents = std::move(project.value());
    }
    // The window asks for a missing start code; a script cannot answer.
    const std::optional<QString> start =
        options.start ? options.start
        : options.project && !contents.startCode.empty()
            ? std::optional<QString>(QString::fromStdString(contents.startCode))
            : std::nullopt;
    if (!start) return BadUsage(err, command, Words::MissingStart());
    if (!options.output) return BadUsage(err, command, Words::MissingOutput());
    TableFormat format = FormatNamed(contents.tableFormat).value_or(TableFormat::Classic);
    if (options.format) {
        const auto chosen = ReadFormat(*options.format);
        if (!chosen) return BadUsage(err, command, Words::UnknownFormat(*options.format));
        format = *chosen;
    }
    std::vector<OrderLine> lines;
    for (const QString& line : options.lines) {
        auto orderLine = ReadOrderLine(line);
        if (!orderLine) return BadUsage(err, command, Words::UnknownLine(line, SetNames()));
        lines.push_back(std::move(*orderLine));
    }

    // Imported tables come before the LINEs, each entry put on its code as a single entry is.
    for (const QString& path : options.imports) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return TableProblem(err, Words::ImportUnreadable(path, file.errorString()));
        }
        const QByteArray bytes = file.readAll();
        const ImportedTable imported = ImportTable(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!imported.problems.empty()) {
            return TableProblem(err, Messages::ImportProblems(path, imported.problems));
        }
        for (const auto& [code, entry] : imported.entries) {
            contents.table.TableText[code] = entry.bytes;
            contents.kinds[code] = entry.kind;
        }
    }
    Workspace workspace = contents.table;
    TableOrder order = contents.order;
    if (const auto failure = BuildOrder(lines, workspace, order)) {
        return TableProblem(err, *failure);
    }
    if (const auto composed = ComposeTable(workspace, order, start->toStdString()); !composed) {
        return TableProblem(err, Messages::Failure(composed.error()));
    }
    const EntryKinds kinds =
        KindsAfter(contents.table.TableText, workspace.TableText, contents.kinds);
    // Inserters disagree about which code of the same text they write: said, and still written.
    const auto warnDuplicates = [&] {
        if (format == TableFormat::Classic) return;
        const auto duplicates =
            DuplicateEntries(workspace.TableText, workspace.CurrentCode, workspace.LastCode, kinds);
        if (!duplicates.empty()) {
            Print(err,
                  QStringLiteral("glyphwright: %1\n").arg(Messages::DuplicateWarning(duplicates)));
        }
    };
    if (*options.output == QLatin1String("-")) {
        const auto file = FormatTable(workspace.TableText, workspace.CurrentCode,
                                      workspace.LastCode, format, kinds);
        if (!file) return TableProblem(err, Messages::Failure(file.error()));
        const int shown = Show(out, err, file.value());
        if (shown == kExitSuccess) warnDuplicates();
        return shown;
    }
    const SaveTarget target{QFile::encodeName(*options.output).toStdString(), format};
    if (const auto saved = SaveTable(workspace, target, kinds); !saved) {
        return TableProblem(err, Messages::Failure(saved.error()));
    }
    warnDuplicates();
    return kExitSuccess;
}

int RunSets(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("sets");
    if (!arguments.isEmpty()) {
        const QString& first = arguments.front();
        return BadUsage(err, command,
                        first.startsWith(QLatin1Char('-')) && first.size() > 1
                            ? Words::UnknownOption(first)
                            : Words::NoArgumentsTaken(command, first));
    }
    std::string listing;
    for (const CharacterSet& set : BuiltInSets()) {
        listing.append(set.name).append(1, '\t').append(std::to_string(set.size())).append(1, '\n');
    }
    return Show(out, err, listing);
}

}  // namespace

int RunCommandLine(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    if (arguments.isEmpty()) return BadUsage(err, {}, Words::NoCommand());
    const QString& command = arguments.front();
    const QStringList rest = arguments.mid(1);
    const bool make = command == QLatin1String("make");
    if (make || command == QLatin1String("sets")) {
        switch (AskedFor(rest)) {
            case Asked::Help:
                return Show(out, err, make ? Words::MakeHelp() : Words::SetsHelp());
            case Asked::Version:
                return ShowVersion(out, err);
            case Asked::Nothing:
                break;
        }
        return make ? RunMake(rest, out, err) : RunSets(rest, out, err);
    }
    switch (AskedFor({command})) {
        case Asked::Help:
            return Show(out, err, Words::Help());
        case Asked::Version:
            return ShowVersion(out, err);
        case Asked::Nothing:
            break;
    }
    if (command.startsWith(QLatin1Char('-'))) {
        return BadUsage(err, {}, Words::UnknownOption(command));
    }
    return BadUsage(err, {}, Words::UnknownCommand(command));
}

}  // namespace glyphwright

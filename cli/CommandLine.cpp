#include "CommandLine.h"

#include <QFile>

#include <atomic>

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
#include "SetFileStore.h"
#include "UserSetsPath.h"
#include "Version.h"
#include "core/BuiltInSets.h"
#include "core/EucJp.h"
#include "core/GameFile.h"
#include "core/RelativeSearch.h"
#include "core/SetCatalogue.h"
#include "project/ProjectFile.h"

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
    std::optional<QString> sets;
    QStringList lines;

    std::optional<QString>* OptionValue(const QString& name) {
        if (name == QLatin1String("--start") || name == QLatin1String("-s")) return &start;
        if (name == QLatin1String("--output") || name == QLatin1String("-o")) return &output;
        if (name == QLatin1String("--format") || name == QLatin1String("-f")) return &format;
        if (name == QLatin1String("--project") || name == QLatin1String("-p")) return &project;
        if (name == QLatin1String("--sets")) return &sets;
        return nullptr;
    }
};

struct SearchArguments {
    std::optional<QString> game;
    std::optional<QString> word;
    std::optional<QString> width;
    std::optional<QString> sets;
    QStringList lines;  // none are taken

    std::optional<QString>* OptionValue(const QString& name) {
        if (name == QLatin1String("--game") || name == QLatin1String("-g")) return &game;
        if (name == QLatin1String("--word") || name == QLatin1String("-w")) return &word;
        if (name == QLatin1String("--width")) return &width;
        if (name == QLatin1String("--sets")) return &sets;
        return nullptr;
    }
};

// Sorts a command's arguments into options and the rest: "--start 10", "--start=10" and
// "-s10" alike; "-" alone and everything after "--" are lines. A complaint on bad usage.
template <class Arguments>
Result<Arguments, QString> ReadArguments(const QStringList& arguments) {
    Arguments read;
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
        std::optional<QString>* slot = read.OptionValue(name);
        // "-hx" is no -h with a value: the whole of it is what was not understood.
        if (slot == nullptr)
            return Words::UnknownOption(
                value && !argument.startsWith(QLatin1String("--")) ? argument : name);
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
// code at once, a set is recorded with its own start. The failure is worded as there.
std::optional<QString> BuildOrder(const std::vector<OrderLine>& lines, Workspace& workspace,
                                  TableOrder& order) {
    for (const OrderLine& line : lines) {
        if (order.IsFull()) return Words::TooManyLines();
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

// The user's sets: those of the set file a script names, or else the user's own, checked.
Result<std::vector<UserSet>, SetFileReadError> UserSets(const std::optional<QString>& file) {
    if (file) return ReadSetFileAt(QFile::encodeName(*file).toStdString());
    return ReadSetFileAt(QFile::encodeName(UserSetsPath()).toStdString(), true);
}

int RunMake(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("make");
    const auto read = ReadArguments<MakeArguments>(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const MakeArguments& options = read.value();
    // The sets come first: a project's lines are read against them.
    const auto userSets = UserSets(options.sets);
    if (!userSets) return TableProblem(err, Messages::Failure(userSets.error()));
    const SetCatalogue sets(userSets.value());
    DocumentContents contents;
    contents.order.UseCatalogue(sets);
    if (options.project) {
        QFile file(*options.project);
        if (!file.open(QIODevice::ReadOnly)) {
            return TableProblem(err,
                                Messages::ProjectUnreadable(*options.project, file.errorString()));
        }
        auto project = ReadProject(file.readAll(), *options.project, sets);
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
        auto orderLine = ReadOrderLine(sets, line);
        if (!orderLine) return BadUsage(err, command, Words::UnknownLine(line, SetNames(sets)));
        lines.push_back(std::move(*orderLine));
    }

    Workspace workspace = contents.table;
    TableOrder order = contents.order;
    if (const auto failure = BuildOrder(lines, workspace, order)) {
        return TableProblem(err, *failure);
    }
    if (const auto composed = ComposeTable(workspace, order, start->toStdString()); !composed) {
        // The windows' words tell the user to type the code; here it is an option's value.
        if (const auto* bad = std::get_if<StartCodeError>(&composed.error())) {
            return TableProblem(err, Words::BadStart(*start, bad->error));
        }
        return TableProblem(err, Messages::Failure(composed.error()));
    }
    if (*options.output == QLatin1String("-")) {
        const auto file =
            FormatTable(workspace.TableText, workspace.CurrentCode, workspace.LastCode, format);
        if (!file) return TableProblem(err, Messages::Failure(file.error()));
        return Show(out, err, file.value());
    }
    const SaveTarget target{QFile::encodeName(*options.output).toStdString(), format};
    if (const auto saved = SaveTable(workspace, target); !saved) {
        return TableProblem(err, Messages::Failure(saved.error()));
    }
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
    const auto userSets = UserSets(std::nullopt);
    if (!userSets) return TableProblem(err, Messages::Failure(userSets.error()));
    const SetCatalogue sets(userSets.value());
    std::string listing;
    for (const CharacterSet& set : sets.Sets()) {
        listing.append(set.name).append(1, '\t').append(std::to_string(set.size())).append(1, '\n');
    }
    return Show(out, err, listing);
}

std::size_t SpanUnit(LetterWidth width) {
    return width == LetterWidth::OneByte ? 1 : 2;
}

std::optional<LetterWidth> ReadWidth(const QString& name) {
    if (name == QLatin1String("1")) return LetterWidth::OneByte;
    if (name == QLatin1String("2le")) return LetterWidth::TwoBytesLittleEndian;
    if (name == QLatin1String("2be")) return LetterWidth::TwoBytesBigEndian;
    return std::nullopt;
}

// A code as the rows show it: two hex digits, four for two bytes a letter, a minus sign for a
// start below zero.
std::string HexCode(std::int64_t code, LetterWidth width) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    auto value = static_cast<std::uint64_t>(code < 0 ? -code : code);
    const std::size_t digits = width == LetterWidth::OneByte && value <= 0xFF ? 2 : 4;
    for (std::size_t d = 0; d < digits || value != 0; ++d, value >>= 4) {
        text.insert(text.begin(), kDigits[value & 0xF]);
    }
    return code < 0 ? '-' + text : text;
}

// The text around a hit as its set reads it: members as UTF-8, a code the set does not cover
// as <HH>.
std::string ReadAround(const HitContext& context, LetterWidth width) {
    std::string text;
    EucJpDecoder decoder;
    for (const ContextCell& cell : context.cells) {
        const auto member = cell.member.empty() ? Result<std::string, InvalidEucJp>(InvalidEucJp{})
                                                : decoder.Decode(cell.member);
        text += member ? member.value() : '<' + HexCode(cell.code, width) + '>';
    }
    return text;
}

int RunSearch(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("search");
    const auto read = ReadArguments<SearchArguments>(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const SearchArguments& options = read.value();
    if (!options.lines.isEmpty()) {
        return BadUsage(err, command, Words::NoArgumentsTaken(command, options.lines.front()));
    }
    if (!options.game) return BadUsage(err, command, Words::MissingGame());
    if (!options.word) return BadUsage(err, command, Words::MissingWord());
    LetterWidth width = LetterWidth::OneByte;
    if (options.width) {
        const auto chosen = ReadWidth(*options.width);
        if (!chosen) return BadUsage(err, command, Words::UnknownWidth(*options.width));
        width = *chosen;
    }
    const auto userSets = UserSets(options.sets);
    if (!userSets) return BadUsage(err, command, Messages::Failure(userSets.error()));
    const SetCatalogue sets(userSets.value());
    const auto search = RelativeSearch::Prepare(options.word->toStdString(), width, sets.Sets());
    if (!search) return BadUsage(err, command, Messages::Failure(search.error()));
    const auto file = GameFile::Open(QFile::encodeName(*options.game).toStdString());
    if (!file) return BadUsage(err, command, Messages::Failure(file.error()));
    const std::atomic<bool> never{false};
    const auto run = search.value().Run(file.value(), never);
    if (!run) {
        const auto* failed = std::get_if<GameFileError>(&run.error());
        return BadUsage(
            err, command,
            failed != nullptr ? Messages::Failure(*failed) : Messages::SearchCancelled());
    }
    const SearchResults& results = run.value();
    std::string rows;
    for (const HitGroup& group : results.groups) {
        const Hit first{group.firstOffset, group.set, group.start, group.fits};
        const auto context = search.value().Context(file.value(), first, 0, 16 * SpanUnit(width));
        rows.append(search.value().Sets()[group.set].name)
            .append(1, '\t')
            .append(HexCode(group.start, width))
            .append(1, '\t')
            .append(std::to_string(group.hitCount))
            .append(1, '\t')
            .append(context ? ReadAround(context.value(), width) : std::string())
            .append(1, '\n');
    }
    if (const int status = Show(out, err, rows); status != kExitSuccess) return status;
    return results.groups.empty() ? kExitNothingFound : kExitSuccess;
}

}  // namespace

int RunCommandLine(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    if (arguments.isEmpty()) return BadUsage(err, {}, Words::NoCommand());
    const QString& command = arguments.front();
    const QStringList rest = arguments.mid(1);
    const bool make = command == QLatin1String("make");
    const bool search = command == QLatin1String("search");
    if (make || search || command == QLatin1String("sets")) {
        switch (AskedFor(rest)) {
            case Asked::Help:
                return Show(out, err,
                            make     ? Words::MakeHelp()
                            : search ? Words::SearchHelp()
                                     : Words::SetsHelp());
            case Asked::Version:
                return ShowVersion(out, err);
            case Asked::Nothing:
                break;
        }
        if (search) return RunSearch(rest, out, err);
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

int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView bytes(argv[i]);
        if (!bytes.isValidUtf8()) {
            return BadUsage(err, {}, Words::NotUtf8(QString::fromUtf8(bytes)));
        }
        arguments << QString::fromUtf8(bytes);
    }
    return RunCommandLine(arguments, out, err);
}

}  // namespace glyphwright

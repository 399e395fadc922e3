#include "DumpCommand.h"

#include <QFile>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "DumpMessages.h"
#include "FileMessages.h"
#include "GameFileMessages.h"
#include "ImportTableMessages.h"
#include "ScriptEntries.h"
#include "core/game/GameFile.h"
#include "core/script/ScriptDump.h"
#include "storage/SaveFileAtomically.h"

namespace glyphwright {

namespace {

// The problems told one by one on stderr; the script marks every one.
constexpr std::size_t kProblemsTold = 20;

void Say(std::FILE* err, const QString& text) {
    const QByteArray bytes = QStringLiteral("glyphwright: %1\n").arg(text).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), err);
    std::fflush(err);
}

int BadUsage(std::FILE* err, const QString& problem) {
    Say(err, problem);
    const QByteArray more = (CommandLineMessages::TryHelp(QStringLiteral("dump")) + '\n').toLocal8Bit();
    std::fwrite(more.constData(), 1, static_cast<std::size_t>(more.size()), err);
    return kExitBadUsage;
}

struct DumpArguments {
    std::optional<QString> game;
    std::optional<QString> output;
    std::optional<QString> range;
    std::optional<QString> inserter;
    QStringList imports;
    QStringList pointers;
};

// "--name value" and "--name=value" alike; --import and --pointers may come again.
std::optional<QString> Read(const QStringList& arguments, DumpArguments& read) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        if (const qsizetype equals = name.indexOf(QLatin1Char('='));
            name.startsWith(QLatin1String("--")) && equals > 0) {
            value = name.mid(equals + 1);
            name = name.left(equals);
        } else if (!name.startsWith(QLatin1String("--")) && name.size() > 2 &&
                   name.startsWith(QLatin1Char('-'))) {
            value = name.mid(2);
            name = name.left(2);
        }
        const auto take = [&]() -> std::optional<QString> {
            if (value) return value;
            if (i + 1 >= arguments.size()) return std::nullopt;
            return arguments[++i];
        };
        std::optional<QString>* single = nullptr;
        QStringList* repeated = nullptr;
        if (name == QLatin1String("--game") || name == QLatin1String("-g")) single = &read.game;
        if (name == QLatin1String("--output") || name == QLatin1String("-o")) single = &read.output;
        if (name == QLatin1String("--range")) single = &read.range;
        if (name == QLatin1String("--inserter")) single = &read.inserter;
        if (name == QLatin1String("--import") || name == QLatin1String("-i")) repeated = &read.imports;
        if (name == QLatin1String("--pointers")) repeated = &read.pointers;
        if (single == nullptr && repeated == nullptr) {
            return name.startsWith(QLatin1Char('-'))
                       ? CommandLineMessages::UnknownOption(name)
                       : CommandLineMessages::NoArgumentsTaken(QStringLiteral("dump"), name);
        }
        const auto given = take();
        if (!given) return CommandLineMessages::MissingValue(name);
        if (repeated != nullptr) {
            *repeated << *given;
            continue;
        }
        if (single->has_value()) return CommandLineMessages::RepeatedOption(name);
        *single = *given;
    }
    return std::nullopt;
}

}  // namespace

int RunDump(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    (void)out;
    DumpArguments options;
    if (const auto problem = Read(arguments, options)) return BadUsage(err, *problem);
    if (!options.game) return BadUsage(err, CommandLineMessages::MissingGame());
    if (options.imports.isEmpty()) return BadUsage(err, DumpMessages::MissingTable());
    if (!options.output) return BadUsage(err, CommandLineMessages::MissingOutput());
    DumpRequest request;
    for (const QString& plan : options.pointers) {
        const auto block = ReadPointerBlock(plan.toStdString());
        if (!block) return BadUsage(err, DumpMessages::BadPointers(plan, block.error()));
        request.blocks.push_back(block.value());
    }
    if (options.range) {
        const auto range = ReadByteRange(options.range->toStdString());
        if (!range) return BadUsage(err, DumpMessages::BadRange(*options.range, range.error()));
        request.range = range.value();
    }
    if (request.blocks.empty() && !request.range) {
        return BadUsage(err, DumpMessages::NothingToDump());
    }
    Inserter inserter = Inserter::Atlas;
    if (options.inserter) {
        if (*options.inserter == QLatin1String("abcde")) {
            inserter = Inserter::Abcde;
        } else if (*options.inserter != QLatin1String("atlas")) {
            return BadUsage(err, DumpMessages::UnknownInserter(*options.inserter));
        }
    }

    // The tables, each as the inserter will read it; a later one's code takes the earlier one's
    // place, in the first table and in each further table of the same id.
    std::vector<ScriptEntry> entries;
    std::vector<ScriptSection> further;
    std::string home;
    const auto put = [](std::vector<ScriptEntry>& into, std::vector<ScriptEntry> from) {
        for (ScriptEntry& entry : from) {
            std::erase_if(into, [&](const ScriptEntry& held) { return held.code == entry.code; });
            into.push_back(std::move(entry));
        }
    };
    for (const QString& path : options.imports) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            Say(err, CommandLineMessages::ImportUnreadable(path, file.errorString()));
            return kExitBadUsage;
        }
        const QByteArray bytes = file.readAll();
        auto read = ReadScriptTables(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!read) {
            Say(err, ImportTableMessages::ImportProblems(path, read.error().problems));
            return kExitBadUsage;
        }
        ScriptTables tables = std::move(read).value();
        if (home.empty()) home = tables.id;
        put(entries, std::move(tables.entries));
        for (ScriptSection& section : tables.further) {
            const auto held =
                std::find_if(further.begin(), further.end(),
                             [&](const ScriptSection& s) { return s.id == section.id; });
            if (held == further.end()) {
                further.push_back(std::move(section));
            } else {
                put(held->entries, std::move(section.entries));
            }
        }
    }
    // Several tables are one to the inserter only as one file: written beside the script. The
    // tables switches read through are files of their own to it, beside the script too, and the
    // first then holds its own lines alone.
    std::vector<std::pair<std::string, std::string>> written;
    request.tablePath = options.imports.front().toStdString();
    const std::string output = QFile::encodeName(*options.output).toStdString();
    if (options.imports.size() > 1 || !further.empty()) {
        request.tablePath = output + ".tbl";
        written.emplace_back(request.tablePath, InserterTableFile(entries));
    }
    for (const ScriptSection& section : further) {
        const std::string path = output + "." + section.id + ".tbl";
        request.furtherTablePaths.emplace(section.id, path);
        written.emplace_back(path, InserterTableFile(section.entries));
    }
    const ScriptTable table(std::move(entries), std::move(further), std::move(home), inserter);

    const auto game = GameFile::Open(QFile::encodeName(*options.game).toStdString());
    if (!game) {
        Say(err, GameFileMessages::Failure(game.error()));
        return kExitBadUsage;
    }
    const auto bytes = game.value().ReadWindow(0, static_cast<std::size_t>(game.value().Size()));
    if (!bytes) {
        Say(err, GameFileMessages::Failure(bytes.error()));
        return kExitBadUsage;
    }
    const DumpResult dump = DumpScript(bytes.value(), table, request);
    for (const auto& [path, contents] : written) {
        if (const auto saved = SaveFileAtomically(path, contents); !saved) {
            Say(err, FileMessages::Failure(saved.error()));
            return kExitBadUsage;
        }
    }
    if (const auto saved =
            SaveFileAtomically(QFile::encodeName(*options.output).toStdString(), dump.script);
        !saved) {
        Say(err, FileMessages::Failure(saved.error()));
        return kExitBadUsage;
    }
    Say(err, DumpMessages::Written(*options.output, dump.strings, dump.pointers));
    if (!dump.unread.empty()) Say(err, DumpMessages::Unread(dump.unread));
    if (dump.problems.empty()) return kExitSuccess;
    for (std::size_t i = 0; i < dump.problems.size() && i < kProblemsTold; ++i) {
        Say(err, DumpMessages::Problem(dump.problems[i]));
    }
    if (dump.problems.size() > kProblemsTold) {
        Say(err, DumpMessages::MoreProblems(dump.problems.size() - kProblemsTold));
    }
    Say(err, DumpMessages::WrittenWithProblems(*options.output, dump.problems.size()));
    return kExitTableProblem;
}

}  // namespace glyphwright

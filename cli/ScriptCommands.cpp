#include "ScriptCommands.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "DictionaryMessages.h"
#include "GameFileMessages.h"
#include "ImportTableMessages.h"
#include "Version.h"
#include "core/table/DocumentCommand.h"
#include "tablefile/ImportTable.h"

namespace glyphwright::script_commands {

void Say(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int BadUsage(std::FILE* err, const QString& command, const QString& problem) {
    Say(err, QStringLiteral("glyphwright: %1\n%2\n")
                 .arg(problem, CommandLineMessages::TryHelp(command)));
    return kExitBadUsage;
}

int Problem(std::FILE* err, const QString& problem) {
    Say(err, QStringLiteral("glyphwright: %1\n").arg(problem));
    return kExitTableProblem;
}

int Emit(std::FILE* out, std::FILE* err, std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
        const int error = errno != 0 ? errno : EIO;
        return Problem(err, CommandLineMessages::StandardOutputFailed(
                                QString::fromLocal8Bit(std::strerror(error))));
    }
    return kExitSuccess;
}

int Parse(QCommandLineParser& parser, const QString& command, const QString& help,
          const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // The parser reads the program's name first.
    const bool read = parser.parse(QStringList{QStringLiteral("glyphwright")} + arguments);
    // Help wins over everything else on the line, so that a half-written command can ask for it.
    if (parser.isSet(helpOption) || arguments.contains(QStringLiteral("--help")) ||
        arguments.contains(QStringLiteral("-h"))) {
        return Emit(out, err, help.toLocal8Bit().toStdString());
    }
    if (parser.isSet(versionOption)) {
        return Emit(out, err, std::string(kProductName) + ' ' + kVersionText + '\n');
    }
    if (!read) return BadUsage(err, command, parser.errorText());
    if (!parser.positionalArguments().isEmpty()) {
        return BadUsage(err, command,
                        CommandLineMessages::NoArgumentsTaken(command,
                                                              parser.positionalArguments().front()));
    }
    return -1;
}

Result<DocumentContents, QString> ImportTables(const QStringList& paths) {
    Document document;
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return CommandLineMessages::ImportUnreadable(path, file.errorString());
        }
        const QByteArray bytes = file.readAll();
        const ImportedTable imported = ImportTable(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!imported.problems.empty()) return ImportTableMessages::ImportProblems(path, imported.problems);
        DocumentCommand::PutEntries(document, imported.entries, imported.id, imported.further)
            .Do(document);
    }
    return document.Contents();
}

void AddGameAndTables(QCommandLineParser& parser) {
    parser.addOptions(
        {{{QStringLiteral("g"), QStringLiteral("game")}, {}, QStringLiteral("FILE")},
         {{QStringLiteral("i"), QStringLiteral("import")}, {}, QStringLiteral("TABLE")}});
}

int CheckGameAndTables(const QCommandLineParser& parser, const QString& command, std::FILE* err) {
    if (!parser.isSet(QStringLiteral("game"))) {
        return BadUsage(err, command, CommandLineMessages::MissingOption(
                                          QStringLiteral("--game"), QStringLiteral("game.bin")));
    }
    if (!parser.isSet(QStringLiteral("import"))) {
        return BadUsage(err, command, CommandLineMessages::MissingOption(
                                          QStringLiteral("--import"), QStringLiteral("font.tbl")));
    }
    return -1;
}

Result<GameAndTables, int> OpenGameAndTables(const QCommandLineParser& parser, std::FILE* err) {
    auto tables = ImportTables(parser.values(QStringLiteral("import")));
    if (!tables) return Problem(err, tables.error());
    auto opened =
        GameFile::Open(QFile::encodeName(parser.value(QStringLiteral("game"))).toStdString());
    if (!opened) return Problem(err, GameFileMessages::Failure(opened.error()));
    return GameAndTables{std::move(opened).value(), std::move(tables).value()};
}

}  // namespace glyphwright::script_commands

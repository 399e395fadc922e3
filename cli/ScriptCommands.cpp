#include "ScriptCommands.h"

#include <QFile>

#include <string>
#include <utility>

#include "CommandLineMessages.h"
#include "GameFileMessages.h"
#include "ImportTableMessages.h"
#include "core/table/DocumentCommand.h"
#include "tablefile/ImportTable.h"

namespace glyphwright::script_commands {

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
        return Show(out, err, help);
    }
    if (parser.isSet(versionOption)) {
        return ShowVersion(out, err);
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
    if (!tables) return TableProblem(err, tables.error());
    auto opened =
        GameFile::Open(QFile::encodeName(parser.value(QStringLiteral("game"))).toStdString());
    if (!opened) return TableProblem(err, GameFileMessages::Failure(opened.error()));
    return GameAndTables{std::move(opened).value(), std::move(tables).value()};
}

}  // namespace glyphwright::script_commands

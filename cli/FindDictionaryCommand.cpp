#include "FindDictionaryCommand.h"

#include <QFile>

#include <atomic>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "DictionaryMessages.h"
#include "HexText.h"
#include "MakeTable.h"
#include "GameFileMessages.h"
#include "MakeTableMessages.h"
#include "ScriptCommands.h"
#include "core/dictionary/FindDictionary.h"
#include "core/dictionary/LetterTable.h"
#include "core/game/GameFile.h"
#include "core/table/Workspace.h"
#include "tablefile/TableFormat.h"

namespace glyphwright {

namespace {

using namespace script_commands;

// Writes the tables with the entries added, through the table writer and the safe save: the file
// is replaced only once the new one is whole.
int WriteTable(Workspace workspace, const std::vector<DictionaryEntry>& entries,
               const QString& path, TableFormat format, std::FILE* err) {
    // The table holds the entries' Unicode text; a classic file refuses what EUC-JP lacks.
    for (const DictionaryEntry& entry : entries) workspace.TableText.Put(entry.code, {entry.text});
    // The one-byte codes from the lowest held to the highest: what a classic file covers.
    int low = kCodeCount;
    int high = -1;
    for (int code = 0; code < kCodeCount; ++code) {
        if (workspace.TableText.At(static_cast<ByteCode>(code)).Holds()) {
            low = std::min(low, code);
            high = std::max(high, code);
        }
    }
    if (high >= 0) {
        workspace.CurrentCode = static_cast<ByteCode>(low);
        workspace.LastCode = static_cast<ByteCode>(high);
    }
    const SaveTarget target{QFile::encodeName(path).toStdString(), format};
    if (const auto saved = SaveTable(workspace, target); !saved) {
        return TableProblem(err, MakeTableMessages::Failure(saved.error()));
    }
    return kExitSuccess;
}

}  // namespace

int RunFindDictionary(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("find-dictionary");
    QCommandLineParser parser;
    AddGameAndTables(parser);
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("TABLE"));
    const QCommandLineOption formatOption({QStringLiteral("f"), QStringLiteral("format")}, {},
                                          QStringLiteral("FORMAT"));
    parser.addOptions({output, formatOption});
    if (const int done = Parse(parser, command, DictionaryMessages::FindDictionaryHelp(),
                               arguments, out, err);
        done >= 0) {
        return done;
    }
    if (const int missing = CheckGameAndTables(parser, command, err); missing >= 0) return missing;
    TableFormat format = TableFormat::Utf8;
    if (parser.isSet(formatOption)) {
        const auto named = FormatNamed(parser.value(formatOption).toStdString());
        if (!named) {
            return BadUsage(err, command,
                            CommandLineMessages::UnknownFormat(parser.value(formatOption)));
        }
        format = *named;
    }
    const auto opened = OpenGameAndTables(parser, err);
    if (!opened) return opened.error();
    // The whole game, for the dictionary may lie anywhere in it.
    const GameFile& game = opened.value().game;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(game.Size()));
    if (const auto read = game.Read(0, bytes); !read) {
        return TableProblem(err, GameFileMessages::Failure(read.error()));
    }

    const Workspace& tables = opened.value().tables.table;
    const TableEntries& held = tables.TableText;
    const LetterTable letters = LetterTableOf(held.Texts(), held.Kinds());
    const std::atomic<bool> never{false};
    const auto findings = FindDictionary(bytes, letters, never);
    if (!findings) return TableProblem(err, DictionaryMessages::Stopped());
    if (findings.value().missing.empty()) return TableProblem(err, DictionaryMessages::NothingMissing());
    if (findings.value().found.empty()) {
        return TableProblem(err, DictionaryMessages::NothingFound(findings.value().missing));
    }
    const FoundDictionary& best = findings.value().found.front();
    std::string lines;
    for (const DictionaryEntry& entry : best.entries) {
        lines += HexNumber(entry.code).toStdString() + '=' + entry.text + '\n';
    }
    if (const int shown = Show(out, err, lines); shown != kExitSuccess) return shown;
    Print(err, QStringLiteral("glyphwright: %1\nglyphwright: %2\n")
                 .arg(DictionaryMessages::Found(best), DictionaryMessages::KnownText(best)));
    if (parser.isSet(output)) {
        return WriteTable(tables, best.entries, parser.value(output), format, err);
    }
    return kExitSuccess;
}

}  // namespace glyphwright

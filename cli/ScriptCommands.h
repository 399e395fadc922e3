#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

#include "CommandOutput.h"
#include "core/game/GameFile.h"
#include "core/table/Document.h"
#include "core/table/Result.h"

namespace glyphwright {

// What the commands that read a game's script through the user's tables share: their options
// read with QCommandLineParser and the tables imported. They speak through CommandOutput.
namespace script_commands {

// Reads `arguments` (after the command's name) with `parser`, which holds the command's
// options; --help and --version are added here. Returns the exit status when the command is done
// with (help shown, bad usage told), or -1 to go on.
[[nodiscard]] int Parse(QCommandLineParser& parser, const QString& command, const QString& help,
                        const QStringList& arguments, std::FILE* out, std::FILE* err);

// The entries of the table files at `paths`, in order, each put on its code as an import puts it:
// a later file's entry wins on its code. The complaint names the file and its lines.
[[nodiscard]] Result<DocumentContents, QString> ImportTables(const QStringList& paths);

// What these commands read: the game, and the tables its codes are read through.
struct GameAndTables {
    GameFile game;
    DocumentContents tables;
};

// Adds --game FILE and --import TABLE (again for more), which every one of these commands needs.
void AddGameAndTables(QCommandLineParser& parser);
// After Parse: the bad-usage status when either is missing, told on `err`; else -1.
[[nodiscard]] int CheckGameAndTables(const QCommandLineParser& parser, const QString& command,
                                     std::FILE* err);
// The tables imported and the game opened; otherwise the exit status, the problem told on `err`.
[[nodiscard]] Result<GameAndTables, int> OpenGameAndTables(const QCommandLineParser& parser,
                                                           std::FILE* err);

}  // namespace script_commands

}  // namespace glyphwright

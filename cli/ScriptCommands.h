#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <string_view>

#include "core/table/Document.h"
#include "core/table/Result.h"

namespace glyphwright {

// What the commands that read a game's script through the user's tables share: their options
// read with QCommandLineParser, the tables imported, and what they print.
namespace script_commands {

// Writes `text` to `stream` in the locale's encoding.
void Say(std::FILE* stream, const QString& text);
// "glyphwright: `problem`" and where the command's help is; the bad-usage exit status.
[[nodiscard]] int BadUsage(std::FILE* err, const QString& command, const QString& problem);
// "glyphwright: `problem`"; the exit status of a file that could not be read or written.
[[nodiscard]] int Problem(std::FILE* err, const QString& problem);
// Writes `bytes` to `out` and makes sure they left; a problem on `err` when they did not.
[[nodiscard]] int Emit(std::FILE* out, std::FILE* err, std::string_view bytes);

// Reads `arguments` (after the command's name) with `parser`, which holds the command's
// options; --help and --version are added here. Returns the exit status when the command is done
// with (help shown, bad usage told), or -1 to go on.
[[nodiscard]] int Parse(QCommandLineParser& parser, const QString& command, const QString& help,
                        const QStringList& arguments, std::FILE* out, std::FILE* err);

// The entries of the table files at `paths`, in order, each put on its code as an import puts it:
// a later file's entry wins on its code. The complaint names the file and its lines.
[[nodiscard]] Result<DocumentContents, QString> ImportTables(const QStringList& paths);

}  // namespace script_commands

}  // namespace glyphwright

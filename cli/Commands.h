#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

namespace glyphwright {

// A command of the command line: its name, its help, and what runs it. Each command lives in a
// file of its own (cli/NAMECommand.cpp) and has one line in the table of commands
// (cli/CommandLine.cpp). Help and version are answered before `run` is called; `run` gets the
// arguments after the command's name, writes its result to `out` and every message to `err`, and
// returns the exit status.
struct Command {
    const char* name;
    QString (*help)();
    int (*run)(const QStringList& arguments, std::FILE* out, std::FILE* err);
};

[[nodiscard]] int RunMake(const QStringList& arguments, std::FILE* out, std::FILE* err);
[[nodiscard]] int RunSets(const QStringList& arguments, std::FILE* out, std::FILE* err);
[[nodiscard]] int RunGlyphs(const QStringList& arguments, std::FILE* out, std::FILE* err);
[[nodiscard]] int RunFontTable(const QStringList& arguments, std::FILE* out, std::FILE* err);
[[nodiscard]] int RunSearch(const QStringList& arguments, std::FILE* out, std::FILE* err);

}  // namespace glyphwright

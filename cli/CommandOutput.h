#pragma once

#include <QString>

#include <cstdio>
#include <string_view>

namespace glyphwright {

// How every command speaks: what it was asked for on `out`, every message on `err`, each line of
// a message led by the program's name so that a script's log says who spoke.

// Writes `bytes` and flushes them. Returns the errno, or 0.
[[nodiscard]] int WriteAll(std::FILE* out, std::string_view bytes);

// Writes `text` as it is, for a message that is no complaint (help, a warning beside a result).
void Print(std::FILE* stream, const QString& text);

// "glyphwright: MESSAGE" on its own line.
void Say(std::FILE* err, const QString& message);

// A usage complaint and where to read more (the help of `command`, "" for the general one).
// Returns the bad-usage exit status.
[[nodiscard]] int BadUsage(std::FILE* err, const QString& command, const QString& problem);

// A table problem: said, and the exit status for it returned.
[[nodiscard]] int TableProblem(std::FILE* err, const QString& message);

// Writes a result to standard output and makes sure it left the program: a full disk or a
// closed descriptor must not pass for success. A reader that went away is a failure too: a table
// sent nowhere is lost. The exit status.
[[nodiscard]] int Show(std::FILE* out, std::FILE* err, std::string_view bytes);
[[nodiscard]] int Show(std::FILE* out, std::FILE* err, const QString& text);

// The same for a listing a person reads (search rows, sets): when its reader went away (the
// `| head` at the end of a pipeline) the command stops quietly, as other command-line tools do.
[[nodiscard]] int ShowListing(std::FILE* out, std::FILE* err, std::string_view bytes);

[[nodiscard]] int ShowVersion(std::FILE* out, std::FILE* err);

}  // namespace glyphwright

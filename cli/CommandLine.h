#pragma once

#include <QStringList>

#include <cstdio>

namespace glyphwright {

// Exit statuses of the command line, which scripts and make files test.
enum ExitStatus : int {
    kExitSuccess = 0,
    kExitTableProblem = 1,  // the table could not be made or written; no file was written
    kExitBadUsage = 2,      // the arguments make no sense; nothing was tried
    kExitNothingFound = 1,  // search: the word is nowhere in the game file
};

// Runs `glyphwright ARGUMENTS...` (the arguments after the program name) without a window: the
// table or the listing goes to `out`, every message to `err`. Returns the exit status.
[[nodiscard]] int RunCommandLine(const QStringList& arguments, std::FILE* out, std::FILE* err);

// The same from main()'s own arguments. Every argument is read as UTF-8; one that is not is
// refused, since its bytes would turn into other characters, and a file name into another name.
[[nodiscard]] int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace glyphwright

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

}  // namespace glyphwright

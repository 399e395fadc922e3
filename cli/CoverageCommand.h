#pragma once

#include <QStringList>

#include <cstdio>

namespace glyphwright {

// `glyphwright coverage`: the codes a game's script uses that the tables hold no entry for.
[[nodiscard]] int RunCoverage(const QStringList& arguments, std::FILE* out, std::FILE* err);

}  // namespace glyphwright

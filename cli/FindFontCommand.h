#pragma once

#include <QStringList>

#include <cstdio>

namespace glyphwright {

// The most candidates --limit may ask for.
inline constexpr int kMostFindFontCandidates = 1000;

// `glyphwright find-font`: the candidates for a game's font, or with --streams its packed
// streams, on `out`; messages on `err`. Returns the exit status.
[[nodiscard]] int RunFindFont(const QStringList& arguments, std::FILE* out, std::FILE* err);

}  // namespace glyphwright

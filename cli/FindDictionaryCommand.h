#pragma once

#include <QStringList>

#include <cstdio>

namespace glyphwright {

// `glyphwright find-dictionary`: where the game spells out the codes its script uses that the
// tables lack, as table lines.
[[nodiscard]] int RunFindDictionary(const QStringList& arguments, std::FILE* out, std::FILE* err);

}  // namespace glyphwright

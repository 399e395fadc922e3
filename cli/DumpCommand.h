#pragma once

#include <QStringList>

#include <cstdio>

namespace glyphwright {

// `glyphwright dump …`: the game's strings through the table, written as an Atlas script.
[[nodiscard]] int RunDump(const QStringList& arguments, std::FILE* out, std::FILE* err);

}  // namespace glyphwright

#pragma once

#include <QString>

#include <cstdio>
#include <functional>
#include <optional>
#include <string_view>

#include "storage/SaveFileAtomically.h"

namespace glyphwright {

// Puts a file the command line made (a picture, a report) at `path` as tables are saved: whole or
// not at all, through links, into devices, pipes with a reader and open descriptors as streams;
// "-" is standard output (`out`). What went wrong, for the user, or nothing; a failed save is
// worded by `failed`.
[[nodiscard]] std::optional<QString> WriteOutputFile(
    const QString& path, std::string_view bytes, std::FILE* out,
    const std::function<QString(const FileError&)>& failed);

// Whether `a` and `b` name the same file: the same words, the same file through symbolic or hard
// links, or both standard output. Files not there yet are compared by the place they would take.
[[nodiscard]] bool SameOutputFile(const QString& a, const QString& b);

}  // namespace glyphwright

#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "SetFileStore.h"
#include "TableFormat.h"
#include "core/table/Result.h"

namespace glyphwright {

// Option values more than one command reads.

// "classic", "utf8" or "sjis".
[[nodiscard]] std::optional<TableFormat> ReadFormat(const QString& name);

// The user's sets: those of the set file a script names, or else the user's own, checked.
[[nodiscard]] Result<std::vector<UserSet>, SetFileReadError> UserSets(
    const std::optional<QString>& file);

}  // namespace glyphwright

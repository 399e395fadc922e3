#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "core/table/Result.h"
#include "storage/SetFileStore.h"

namespace glyphwright {

class SetCatalogue;

// Where the user's own character sets are kept: a set file in the user's configuration folder
// ($XDG_CONFIG_HOME/glyphwright/character-sets.txt on Linux), the same for the windows and the
// command line.
[[nodiscard]] QString UserSetsPath();

// Reads the user's sets from `path` into the catalogue; a missing file holds none. On failure the
// catalogue keeps none and the words for the user come back, naming the line of a damaged file.
[[nodiscard]] std::optional<QString> LoadUserSets(SetCatalogue& sets, const std::string& path);

// The sets of the set file a script names, or else the user's own; nothing is moved aside.
[[nodiscard]] Result<std::vector<UserSet>, SetFileReadError> ReadUserSets(
    const std::optional<QString>& file);

}  // namespace glyphwright

#pragma once

#include <QString>

#include <optional>
#include <string>

namespace glyphwright {

// Where the user's own character sets are kept: a set file in the user's configuration folder
// ($XDG_CONFIG_HOME/glyphwright/character-sets.txt on Linux), the same for the windows and the
// command line.
[[nodiscard]] QString UserSetsPath();

class SetCatalogue;

// Reads the user's sets from `path` into the catalogue; a missing file holds none. On failure the
// catalogue keeps none and the words for the user come back, naming the line of a damaged file.
[[nodiscard]] std::optional<QString> LoadUserSets(SetCatalogue& sets, const std::string& path);

}  // namespace glyphwright

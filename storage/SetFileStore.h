#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/sets/SetFile.h"
#include "core/sets/UserSet.h"
#include "core/table/Result.h"
#include "storage/SaveFileAtomically.h"

namespace glyphwright {

// Why a set file could not be read: the system refused it (`error` holds the errno), or its
// text is damaged.
struct SetFileReadError {
    std::string path;
    int error = 0;  // errno, when the file could not be read at all
    SetFileError damage;
};

// The sets in the set file at `path`. A file that is not there holds no sets, when `missingIsEmpty`
// (the user's own file before their first set).
[[nodiscard]] Result<std::vector<UserSet>, SetFileReadError> ReadSetFileAt(
    const std::string& path, bool missingIsEmpty = false);

// Writes the sets to `path` as a set file, whole or not at all; the folder is made if need be.
[[nodiscard]] Result<Success, FileError> SaveSetFileAt(const std::string& path,
                                                       const std::vector<UserSet>& sets);

}  // namespace glyphwright

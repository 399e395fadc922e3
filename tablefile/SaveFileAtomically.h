#pragma once

#include <string>
#include <string_view>

#include "core/Result.h"

namespace glyphwright {

// Why a file could not be saved; the windows layer words it.
struct FileError {
    enum class Kind {
        System,        // the system refused: `error` holds its errno
        NoPipeReader,  // the path is a named pipe that no program is reading
        NoFileName,    // the path was empty
    };
    Kind kind = Kind::System;
    std::string path;
    int error = 0;  // errno for System
};

// Puts `bytes` at `path` whole or not at all: a regular file is written beside the target and
// renamed over it only when complete, so a failed write leaves an existing file untouched and
// leaves no partial file behind. A device or pipe (there is nothing to rename) is written
// directly.
[[nodiscard]] Result<Success, FileError> SaveFileAtomically(const std::string& path,
                                                            std::string_view bytes);

}  // namespace glyphwright

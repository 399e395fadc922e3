#pragma once

#include <string>
#include <string_view>

#include "core/Result.h"

namespace glyphwright {

struct FileError {
    std::string path;
    std::string reason;  // the system's words, e.g. "No space left on device"
};

// Puts `bytes` at `path` whole or not at all: a regular file is written beside the target and
// renamed over it only when complete, so a failed write leaves an existing file untouched and
// leaves no partial file behind. A device or pipe (there is nothing to rename) is written
// directly.
[[nodiscard]] Result<Success, FileError> SaveFileAtomically(const std::string& path,
                                                            std::string_view bytes);

}  // namespace glyphwright

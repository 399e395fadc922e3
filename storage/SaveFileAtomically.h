#pragma once

#include <string>
#include <string_view>

#include "core/table/Result.h"

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

// Puts `bytes` at `path`, following symbolic links (a dangling one gets its target created). A new
// file, or a regular file the user could replace without changing it, is written beside the
// target and renamed over it only when complete: a failed write leaves the old file untouched and
// no partial file behind. Where a rename would change the file's owner, group, mode or cut its
// hard links, or the folder takes no new file, the file is written in place instead, so a file the
// user may write can always be saved. A device or pipe is written directly; a pipe that nobody
// reads is refused at once instead of waiting. A path to an open descriptor (/dev/stdout,
// /dev/fd/N, /proc/self/fd/N, or a link to one) is written into that descriptor as a stream, and
// the file behind it is never replaced.
[[nodiscard]] Result<Success, FileError> SaveFileAtomically(const std::string& path,
                                                            std::string_view bytes);

}  // namespace glyphwright

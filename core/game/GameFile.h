#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/table/Result.h"

namespace glyphwright {

enum class GameFileProblem {
    CannotOpen,   // open() or fstat() refused; `error` holds errno
    NotAFile,     // the path names a folder, a device, a pipe or the like
    CannotRead,   // the system refused a read; `error` holds errno
    SizeChanged,  // the file is no longer as long as it was when opened, or ended early
    Vanished,     // the path no longer names the file that was opened (deleted or replaced)
};

struct GameFileError {
    GameFileProblem kind = GameFileProblem::CannotOpen;
    std::string path;
    int error = 0;  // errno where the system gave one, else 0

    friend bool operator==(const GameFileError&, const GameFileError&) = default;
};

// A file opened for reading in pieces, whatever its size: it is never read whole and never
// mapped (a mapped file that shrinks kills the reader with SIGBUS). Every read first checks that
// the file is still the one opened, with the size recorded at open, so a search over a file that
// changes under it ends in a failure value instead of in wrong offsets.
//
// Copies share one open descriptor. Reads use pread, which has no shared file position, so
// copies may read from different threads at once.
class GameFile {
public:
    [[nodiscard]] static Result<GameFile, GameFileError> Open(const std::string& path);

    [[nodiscard]] const std::string& Path() const;
    // The size recorded at open.
    [[nodiscard]] std::uint64_t Size() const;

    // Fills `into` from `offset` on, as far as the recorded size allows; returns how many bytes
    // that was (0 at or past the end).
    [[nodiscard]] Result<std::size_t, GameFileError> Read(std::uint64_t offset,
                                                          std::span<std::uint8_t> into) const;
    // Up to `length` bytes from `offset`, fewer where the file ends: for showing bytes around an
    // offset.
    [[nodiscard]] Result<std::vector<std::uint8_t>, GameFileError> ReadWindow(
        std::uint64_t offset, std::size_t length) const;
    // Whether the path still names the file opened, with the size recorded at open.
    [[nodiscard]] Result<Success, GameFileError> CheckUnchanged() const;

private:
    struct Descriptor;
    explicit GameFile(std::shared_ptr<const Descriptor> file);

    std::shared_ptr<const Descriptor> file_;
};

}  // namespace glyphwright

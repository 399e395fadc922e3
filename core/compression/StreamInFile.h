#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "core/compression/Compression.h"
#include "core/game/GameFile.h"
#include "core/table/Result.h"

namespace glyphwright {

// Why the stream at an offset could not be unpacked: the file failed, or the bytes there are no
// stream of that compression.
using StreamReadFailure = std::variant<GameFileError, StreamProblem>;

// Unpacks the stream of `compression` that starts at `offset` in the file. Only as much of the
// file is read as the stream needs: a small piece first, larger ones while the stream runs past
// it, never more than the largest stream takes.
[[nodiscard]] Result<std::vector<std::uint8_t>, StreamReadFailure> UnpackInFile(
    const GameFile& file, std::uint64_t offset, Compression compression);

}  // namespace glyphwright

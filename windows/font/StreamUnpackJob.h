#pragma once

#include <QThreadPool>

#include <cstdint>
#include <memory>
#include <vector>

#include "BackgroundJob.h"
#include "core/compression/StreamInFile.h"
#include "core/game/GameFile.h"

namespace glyphwright {

// What a packed stream of the file unpacked to, or why it did not.
struct UnpackedStream {
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;  // none when it did not unpack
    StreamReadFailure failure;                               // why, when it did not
};

// One stream unpacked away from the window's thread: a stream may state up to 16 MiB, and
// unpacking that takes longer than a frame. Its one result is the outcome. Started on a pool of
// one thread, a stream asked for waits for the one before it to end; the one before, no longer
// wanted, has had its job destroyed and is not heard.
using StreamUnpackJob = BackgroundJob<UnpackedStream>;

[[nodiscard]] std::unique_ptr<StreamUnpackJob> StartUnpack(QThreadPool& pool, GameFile file,
                                                           std::uint64_t offset,
                                                           Compression compression);

}  // namespace glyphwright

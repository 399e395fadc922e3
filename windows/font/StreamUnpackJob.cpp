#include "StreamUnpackJob.h"

#include <utility>

namespace glyphwright {

std::unique_ptr<StreamUnpackJob> StartUnpack(QThreadPool& pool, GameFile file, std::uint64_t offset,
                                             Compression compression) {
    return std::make_unique<StreamUnpackJob>(
        pool, [file = std::move(file), offset, compression](QPromise<UnpackedStream>& promise,
                                                            const StreamUnpackJob::StopFlag&) {
            auto unpacked = UnpackInFile(file, offset, compression);
            UnpackedStream outcome;
            if (unpacked) {
                outcome.bytes =
                    std::make_shared<const std::vector<std::uint8_t>>(std::move(unpacked).value());
            } else {
                outcome.failure = unpacked.error();
            }
            promise.addResult(std::move(outcome));
        });
}

}  // namespace glyphwright

#include "DictionaryJob.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace glyphwright {

namespace {

constexpr std::size_t kPiece = 1 << 20;

}  // namespace

std::unique_ptr<DictionaryJob> StartFindDictionary(GameFile file, LetterTable table) {
    return std::make_unique<DictionaryJob>(
        [file = std::move(file), table = std::move(table)](QPromise<DictionaryOutcome>& promise,
                                                           const DictionaryJob::StopFlag& stop) {
            promise.setProgressRange(0, 100);
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
            // Reading is the first tenth of the way.
            for (std::size_t at = 0; at < bytes.size();) {
                if (stop.load(std::memory_order_relaxed)) {
                    promise.addResult(DictionaryCancelled{});
                    return;
                }
                const std::size_t wanted = std::min(kPiece, bytes.size() - at);
                const auto got = file.Read(at, std::span(bytes).subspan(at, wanted));
                if (!got || got.value() == 0) {
                    promise.addResult(got ? GameFileError{GameFileProblem::SizeChanged,
                                                          file.Path(), 0}
                                          : got.error());
                    return;
                }
                at += got.value();
                promise.setProgressValue(static_cast<int>(10 * at / bytes.size()));
            }
            auto findings = FindDictionary(bytes, table, stop, [&](int percent) {
                promise.setProgressValue(10 + percent * 9 / 10);
            });
            if (findings) {
                promise.addResult(std::move(findings).value());
            } else {
                promise.addResult(DictionaryCancelled{});
            }
        });
}

}  // namespace glyphwright

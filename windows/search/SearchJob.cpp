#include "SearchJob.h"

#include <utility>

namespace glyphwright {

std::unique_ptr<SearchJob> StartSearch(RelativeSearch search, GameFile file,
                                       SearchOptions options, SearchBlockHook hook) {
    return std::make_unique<SearchJob>(
        [search = std::move(search), file = std::move(file), options, hook = std::move(hook)](
            QPromise<SearchOutcome>& promise, const SearchJob::StopFlag& stop) {
            promise.setProgressRange(0, kSearchProgressEnd);
            // The promise itself keeps the bar from being told more than a few times a second.
            const auto progress = [&](std::uint64_t done, std::uint64_t total) {
                if (hook) hook(done);
                if (total > 0) {
                    promise.setProgressValue(
                        static_cast<int>(done * kSearchProgressEnd / total));
                }
            };
            promise.addResult(search.Run(file, stop, progress, options));
        });
}

}  // namespace glyphwright

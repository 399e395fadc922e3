#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "BackgroundJob.h"
#include "core/game/GameFile.h"
#include "core/search/RelativeSearch.h"

namespace glyphwright {

// One relative search as a background job, so that the windows stay responsive while it reads a
// file of any size. Its progress runs from 0 to 1000 (thousandths of the file read); its one
// result is what the search ended with. Destroying the job cancels the search and waits for it:
// it stops before its next block.
using SearchOutcome = Result<SearchResults, SearchStop>;
using SearchJob = BackgroundJob<SearchOutcome>;
// Called on the search's thread after each block, with the bytes read so far: for tests that
// change the file, or hold the search, between two blocks.
using SearchBlockHook = std::function<void(std::uint64_t done)>;

constexpr int kSearchProgressEnd = 1000;

[[nodiscard]] std::unique_ptr<SearchJob> StartSearch(RelativeSearch search, GameFile file,
                                                     SearchOptions options,
                                                     SearchBlockHook hook = {});

}  // namespace glyphwright

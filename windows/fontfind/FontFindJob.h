#pragma once

#include <memory>
#include <variant>
#include <vector>

#include "BackgroundJob.h"
#include "core/compression/StreamScan.h"
#include "core/fontfind/FontFinder.h"
#include "core/game/GameFile.h"
#include "core/glyphs/GlyphImage.h"

namespace glyphwright {

// What Find Font found in a file: the candidates, best first, each with its first glyphs drawn,
// and every packed stream.
struct FontFindings {
    std::vector<FontCandidate> candidates;
    std::vector<std::vector<GlyphImage>> firstGlyphs;  // one strip a candidate
    std::vector<FoundStream> streams;
};

struct FontFindCancelled {};

using FontFindOutcome = std::variant<FontFindings, GameFileError, FontFindCancelled>;
// One look for fonts as a background job, then the stream scan, then each candidate's first
// glyphs read; the windows stay responsive throughout. Its progress runs from 0 to 100; its one
// result is the outcome. Destroying the job stops the look and waits for it, which ends within a
// piece of the file.
using FontFindJob = BackgroundJob<FontFindOutcome>;

inline constexpr std::size_t kFirstGlyphsDrawn = 16;

[[nodiscard]] std::unique_ptr<FontFindJob> StartFindFonts(GameFile file, FontSearch search);

}  // namespace glyphwright

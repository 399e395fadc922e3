#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/compression/Compression.h"
#include "core/compression/StreamScan.h"
#include "core/game/GameFile.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/GlyphImage.h"
#include "core/table/Result.h"

namespace glyphwright {

// A place in a file that reads as a font: where, in which format, how many glyphs, how sure.
struct FontCandidate {
    double score = 0;  // 0 to 1, higher is more glyph-like
    Compression compression = Compression::None;
    // The first glyph's offset in the file, or with a compression the stream's start (the
    // glyphs are then read from the start of what it unpacks).
    std::uint64_t offset = 0;
    GlyphFormat format;
    std::uint64_t count = 0;
};

// What to look for; the defaults are every tile format the program reads, in the glyph sizes
// games use most.
struct FontSearch {
    std::vector<TileFormat> tiles;  // empty: all
    std::vector<GlyphSize> sizes;   // empty: kDefaultSizes
    std::size_t limit = 10;         // candidates kept, best first
    bool inStreams = true;          // look inside the packed streams found too
};

// The largest file looked through: the largest DS cartridges. Past it a look would take many
// minutes; the user is told instead.
inline constexpr std::uint64_t kMaxFontSearchSize = 512ull << 20;

// 8x8, 8x16, 16x16 and 12x12.
[[nodiscard]] std::vector<GlyphSize> DefaultFontSizes();

// Rates a few glyphs of a candidate, 0 to 1: how sure a reader of glyphs is of them. Optional.
using SampleRating = std::function<double(const std::vector<GlyphImage>& sample)>;

// How glyph-like one decoded cell looks, 0 to 1 (0 for a blank cell): little ink, in few colours,
// in strokes that hold together, off the cell's edges.
[[nodiscard]] double CellScore(const GlyphImage& cell);

// Looks through the whole file, raw and (with `inStreams`) inside every packed stream the stream
// scan finds, for runs of glyph-like cells in each format and size asked for, best first.
// The file is read 1 MiB at a time, one stream is unpacked at a time and only the best few
// candidates are held, so the memory held stays under about 34 MiB whatever the file's size (the
// stream scan's 32 MiB window, or a stream packed and unpacked, being the most).
// `progress` is told how far it came (in parts of 1000) and may stop it.
[[nodiscard]] Result<std::vector<FontCandidate>, ScanFailure> FindFonts(
    const GameFile& file, const FontSearch& search, const ScanProgress& progress = {},
    const SampleRating& rating = {});

// The same over bytes in memory, read raw: for the tests and for a stream's unpacked bytes.
[[nodiscard]] std::vector<FontCandidate> FindFontsInMemory(std::span<const std::uint8_t> bytes,
                                                           const FontSearch& search);

}  // namespace glyphwright

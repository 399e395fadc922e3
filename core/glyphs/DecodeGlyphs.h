#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/game/GameFile.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/GlyphImage.h"
#include "core/table/Result.h"

namespace glyphwright {

// One glyph from its bytes. Bytes missing at the end (a glyph the file cuts short) read as 0, so
// the part the file holds is still shown.
[[nodiscard]] GlyphImage DecodeGlyph(std::span<const std::uint8_t> bytes,
                                     const GlyphFormat& format);

// How many glyphs, counted from `offset`, start inside a file of `fileSize` bytes; the last may
// run past the end.
[[nodiscard]] std::uint64_t GlyphsInFile(std::uint64_t fileSize, std::uint64_t offset,
                                         const GlyphFormat& format);
// The same into `glyph`, reusing its memory: for looking through many cells one after another.
void DecodeGlyphInto(std::span<const std::uint8_t> bytes, const GlyphFormat& format,
                     GlyphImage& glyph);

// Glyphs `first` to `first + count - 1` of the font that starts at `offset` in the file: glyph i
// is read from offset + i * BytesPerGlyph(). The offset need not fall on a whole tile. Glyphs
// that start at or past the end are left out, so fewer than `count` may come back. The file is
// read in pieces of bounded size, whatever `count` is.
[[nodiscard]] Result<std::vector<GlyphImage>, GameFileError> DecodeGlyphs(const GameFile& file,
                                                                          std::uint64_t offset,
                                                                          const GlyphFormat& format,
                                                                          std::uint64_t first,
                                                                          std::size_t count);

// The same over bytes in memory, such as what a packed stream unpacks to.
[[nodiscard]] std::vector<GlyphImage> DecodeGlyphsInMemory(std::span<const std::uint8_t> bytes,
                                                           std::uint64_t offset,
                                                           const GlyphFormat& format,
                                                           std::uint64_t first, std::size_t count);

}  // namespace glyphwright

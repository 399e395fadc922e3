#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glyphwright {

// One decoded glyph: width x height pixels, row by row from the top, each an ink level from 0
// (ground) to 255 (full ink). Decoders spread their palette indices evenly over this ramp, so a
// view and the matcher read every tile format the same way.
struct GlyphImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;  // width * height levels

    [[nodiscard]] std::uint8_t at(int x, int y) const {
        return ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)];
    }
};

}  // namespace glyphwright

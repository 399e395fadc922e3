#pragma once

#include <QImage>

#include <cstdint>

#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/GlyphImage.h"

namespace glyphwright {

// The glyphs command's picture: glyphs 16 to a row in index order, left to right and top to
// bottom, with no gap between them; ink levels as greys, full ink white, ground black.
class GlyphSheet final {
public:
    static constexpr int kGlyphsPerRow = 16;
    static constexpr int kMaxZoom = 8;
    static constexpr int kMaxGlyphs = 65536;

    // A black sheet with room for `count` glyphs of `format` at `zoom`.
    GlyphSheet(int count, const GlyphFormat& format, int zoom);

    void Draw(int index, const GlyphImage& glyph);
    [[nodiscard]] const QImage& Picture() const { return picture_; }

private:
    QImage picture_;
    int glyphWidth_ = 0;
    int glyphHeight_ = 0;
    int zoom_ = 1;
};

}  // namespace glyphwright

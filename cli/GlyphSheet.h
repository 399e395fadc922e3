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

    // The widest and tallest picture drawn: PNG holds more, but beyond this many programs that
    // show pictures give up, and the sheet in memory stays under 128 MiB (4096 pixels across at
    // most: 16 glyphs of 32 pixels at zoom 8).
    static constexpr std::int64_t kMaxSide = 32767;

    struct Size {
        std::int64_t width = 0;
        std::int64_t height = 0;
    };
    // The picture's size for `count` glyphs of `format` at `zoom`, counted without overflow.
    [[nodiscard]] static Size SizeFor(int count, const GlyphFormat& format, int zoom);
    [[nodiscard]] static bool Fits(Size size) {
        return size.width <= kMaxSide && size.height <= kMaxSide;
    }

    // A black sheet with room for `count` glyphs of `format` at `zoom`; check Fits(SizeFor(...))
    // first. Where the memory cannot be had the sheet is empty (IsNull) rather than a crash.
    GlyphSheet(int count, const GlyphFormat& format, int zoom);

    [[nodiscard]] bool IsNull() const { return picture_.isNull(); }

    void Draw(int index, const GlyphImage& glyph);
    [[nodiscard]] const QImage& Picture() const { return picture_; }

private:
    QImage picture_;
    int glyphWidth_ = 0;
    int glyphHeight_ = 0;
    int zoom_ = 1;
};

}  // namespace glyphwright

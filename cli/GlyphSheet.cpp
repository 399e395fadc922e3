#include "GlyphSheet.h"

#include <algorithm>
#include <cstring>

namespace glyphwright {

GlyphSheet::Size GlyphSheet::SizeFor(int count, const GlyphFormat& format, int zoom) {
    const std::int64_t across = std::min(count, kGlyphsPerRow);
    const std::int64_t down = (std::int64_t{count} + kGlyphsPerRow - 1) / kGlyphsPerRow;
    return {across * format.Width() * zoom, down * format.Height() * zoom};
}

GlyphSheet::GlyphSheet(int count, const GlyphFormat& format, int zoom)
    : glyphWidth_(format.Width()), glyphHeight_(format.Height()), zoom_(zoom) {
    const Size size = SizeFor(count, format, zoom);
    if (!Fits(size)) return;
    picture_ = QImage(static_cast<int>(size.width), static_cast<int>(size.height),
                      QImage::Format_Grayscale8);
    if (!picture_.isNull()) picture_.fill(0);
}

void GlyphSheet::Draw(int index, const GlyphImage& glyph) {
    if (picture_.isNull()) return;
    const int left = index % kGlyphsPerRow * glyphWidth_ * zoom_;
    const int top = index / kGlyphsPerRow * glyphHeight_ * zoom_;
    for (int y = 0; y < glyph.height; ++y) {
        for (int copy = 0; copy < zoom_; ++copy) {
            uchar* line = picture_.scanLine(top + y * zoom_ + copy) + left;
            for (int x = 0; x < glyph.width; ++x) {
                std::memset(line + x * zoom_, glyph.at(x, y), static_cast<std::size_t>(zoom_));
            }
        }
    }
}

}  // namespace glyphwright

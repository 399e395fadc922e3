#include "GlyphSheet.h"

#include <algorithm>
#include <cstring>

namespace glyphwright {

GlyphSheet::GlyphSheet(int count, const GlyphFormat& format, int zoom)
    : glyphWidth_(format.Width()), glyphHeight_(format.Height()), zoom_(zoom) {
    const int across = std::min(count, kGlyphsPerRow);
    const int down = (count + kGlyphsPerRow - 1) / kGlyphsPerRow;
    picture_ =
        QImage(across * glyphWidth_ * zoom, down * glyphHeight_ * zoom, QImage::Format_Grayscale8);
    picture_.fill(0);
}

void GlyphSheet::Draw(int index, const GlyphImage& glyph) {
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

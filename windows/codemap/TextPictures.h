#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPair>
#include <QPixmap>
#include <QString>

#include <deque>

namespace glyphwright {

// Texts drawn once into pictures on a clear ground and copied from then on: the raster engine
// blends each glyph it draws pixel by pixel through a gamma table, and a copy costs a fraction of
// that. The code map draws the same few hundred texts again and again.
class TextPictures {
public:
    // At most this many pictures are kept: 16 pages of 256 different texts.
    static constexpr qsizetype kKept = 4096;

    // `text` in `font` and `colour`, for a device of pixel ratio `ratio`. The picture stays valid
    // until the next call.
    [[nodiscard]] const QPixmap& Get(const QString& text, const QFont& font, const QColor& colour,
                                     qreal ratio);
    [[nodiscard]] qsizetype Size() const { return pictures_.size(); }

private:
    using Key = QPair<QString, QRgb>;
    QHash<Key, QPixmap> pictures_;
    std::deque<Key> drawn_;  // the pictures' keys, oldest first
    QFont font_;             // the font and
    qreal ratio_ = 0;        // the pixel ratio the pictures are drawn for
};

}  // namespace glyphwright

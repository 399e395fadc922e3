#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPair>
#include <QPixmap>
#include <QString>

namespace glyphwright {

// Texts drawn once into pictures on a clear ground and copied from then on: the raster engine
// blends each glyph it draws pixel by pixel through a gamma table, and a copy costs a fraction of
// that. The code map draws the same few hundred texts again and again.
class TextPictures {
public:
    // `text` in `font` and `colour`, for a device of pixel ratio `ratio`.
    [[nodiscard]] const QPixmap& Get(const QString& text, const QFont& font, const QColor& colour,
                                     qreal ratio);

private:
    QHash<QPair<QString, QRgb>, QPixmap> pictures_;
    QFont font_;       // the font and
    qreal ratio_ = 0;  // the pixel ratio the pictures are drawn for
};

}  // namespace glyphwright

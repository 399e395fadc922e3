#include "TextPictures.h"

#include <QPainter>
#include <QStaticText>

#include <cmath>

namespace glyphwright {

const QPixmap& TextPictures::Get(const QString& text, const QFont& font, const QColor& colour,
                                 qreal ratio) {
    if (ratio != ratio_ || font != font_ || pictures_.size() > 4096) {
        pictures_.clear();
        font_ = font;
        ratio_ = ratio;
    }
    QPixmap& picture = pictures_[{text, colour.rgba()}];
    if (picture.isNull()) {
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), font);
        const QSizeF size = laidOut.size();
        // A pixel to spare for the edge of a glyph that reaches past its advance.
        picture = QPixmap(static_cast<int>(std::ceil(size.width() * ratio)) + 1,
                          static_cast<int>(std::ceil(size.height() * ratio)) + 1);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawStaticText(QPointF(0, 0), laidOut);
    }
    return picture;
}

}  // namespace glyphwright

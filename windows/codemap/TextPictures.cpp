#include "TextPictures.h"

#include <QPainter>
#include <QStaticText>

#include <cmath>

namespace glyphwright {

namespace {

QPixmap Drawn(const QString& text, const QFont& font, const QColor& colour, qreal ratio) {
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font);
    const QSizeF size = laidOut.size();
    // A pixel to spare for the edge of a glyph that reaches past its advance.
    QPixmap picture(static_cast<int>(std::ceil(size.width() * ratio)) + 1,
                    static_cast<int>(std::ceil(size.height() * ratio)) + 1);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawStaticText(QPointF(0, 0), laidOut);
    painter.end();
    return picture;
}

}  // namespace

const QPixmap& TextPictures::Get(const QString& text, const QFont& font, const QColor& colour,
                                 qreal ratio) {
    if (ratio != ratio_ || font != font_) {
        pictures_.clear();
        drawn_.clear();
        font_ = font;
        ratio_ = ratio;
    }
    const Key key{text, colour.rgba()};
    if (const auto found = pictures_.constFind(key); found != pictures_.cend()) return *found;
    // Once full, each new picture takes the place of the oldest, so a page of new texts costs a
    // page of removals. (Dropping them all at once took half a frame by itself: thousands of
    // pixmaps destroyed in one go.)
    if (pictures_.size() >= kKept) {
        pictures_.remove(drawn_.front());
        drawn_.pop_front();
    }
    drawn_.push_back(key);
    return *pictures_.insert(key, Drawn(text, font, colour, ratio));
}

}  // namespace glyphwright

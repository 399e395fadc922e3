#include "ApplicationIcon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace glyphwright {

QIcon ApplicationIcon() {
    // One file per size: the pixel art is drawn for 16 and 32, and scaling it would blur it.
    // Read as the PNGs they are: left to guess the format, Qt would load every image-format
    // plugin to ask it.
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QImageReader reader(QStringLiteral(":/icons/glyphwright-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}  // namespace glyphwright

#include "ApplicationIcon.h"

#include <QSize>
#include <QString>

namespace glyphwright {

QIcon ApplicationIcon() {
    // One file per size: the pixel art is drawn for 16 and 32, and scaling it would blur it.
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        icon.addFile(QStringLiteral(":/icons/glyphwright-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace glyphwright

#pragma once

#include <QProxyStyle>

namespace glyphwright {

// The style the program was started with, unchanged but for one icon made on first use: the
// menu bar's overflow button, shown only when the menu titles do not fit, asks for its icon
// when the menu bar is made, and reading that picture then makes Qt load every image-format
// plugin to recognise it, before the main window first appears.
class ProgramStyle final : public QProxyStyle {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgramStyle)

public:
    explicit ProgramStyle(QStyle* base);  // takes `base` over, as QProxyStyle does
    ~ProgramStyle() override;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

}  // namespace glyphwright

#include "WindowFrame.h"

#include <QFont>
#include <QMainWindow>
#include <QPushButton>
#include <QWidget>

#include "EnterPressesFocusedButton.h"

namespace glyphwright {

void InstallFontFallbacks() {
    // Where "MS Sans Serif" is missing, a condensed sans-serif comes closest to its widths, so
    // captions fit the boxes the definitions give them.
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans Condensed")});
}

void ApplyWindowFrame(QWidget& window) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);  // where that face is missing, the nearest sans-serif
    window.setFont(font);

    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // A main window is as large as its menu bar over its client area, in the font just set.
    if (qobject_cast<QMainWindow*>(&window) != nullptr) window.adjustSize();
    window.setFixedSize(window.size());

    auto* enter = new EnterPressesFocusedButton(&window);
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        button->installEventFilter(enter);
    }
}

}  // namespace glyphwright

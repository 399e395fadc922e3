#include "EnterPressesFocusedButton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace glyphwright {

EnterPressesFocusedButton::EnterPressesFocusedButton(QObject* parent) : QObject(parent) {}

bool EnterPressesFocusedButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key->isAutoRepeat())
        return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button == nullptr || !button->isEnabled()) return false;
    button->click();
    return true;
}

}  // namespace glyphwright

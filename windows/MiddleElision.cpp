#include "MiddleElision.h"

#include <QEvent>
#include <QLabel>

namespace glyphwright {

MiddleElision::MiddleElision(QLabel& label) : QObject(&label), label_(label) {
    label.installEventFilter(this);
    // The label's text no longer decides its width: the window's layout does.
    label.setMinimumWidth(1);
}

void MiddleElision::Show(QLabel& label, const QString& text) {
    auto* elision = label.findChild<MiddleElision*>(QString(), Qt::FindDirectChildrenOnly);
    if (elision == nullptr) elision = new MiddleElision(label);
    elision->text_ = text;
    label.setToolTip(text);
    elision->Elide();
}

bool MiddleElision::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &label_ && event->type() == QEvent::Resize) Elide();
    return QObject::eventFilter(watched, event);
}

void MiddleElision::Elide() {
    label_.setText(
        label_.fontMetrics().elidedText(text_, Qt::ElideMiddle, label_.contentsRect().width()));
}

}  // namespace glyphwright

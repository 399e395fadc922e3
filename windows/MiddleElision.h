#pragma once

#include <QObject>
#include <QString>

class QLabel;

namespace glyphwright {

// Shows a text too long for its label, such as a long path, with its middle left out, and the
// whole of it as the label's tooltip. The label is elided again whenever its width changes.
class MiddleElision final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MiddleElision)

public:
    // Shows `text` in `label`, eliding it there from now on.
    static void Show(QLabel& label, const QString& text);
    ~MiddleElision() override = default;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit MiddleElision(QLabel& label);
    void Elide();

    QLabel& label_;
    QString text_;
};

}  // namespace glyphwright

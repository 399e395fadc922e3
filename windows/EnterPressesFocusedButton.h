#pragma once

#include <QObject>

namespace glyphwright {

// Lets Enter press the push button that has the focus, as the space bar does. Buttons are
// neither default nor auto-default, so Enter typed into a text box still presses nothing.
class EnterPressesFocusedButton final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EnterPressesFocusedButton)

public:
    explicit EnterPressesFocusedButton(QObject* parent);
    ~EnterPressesFocusedButton() override = default;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace glyphwright

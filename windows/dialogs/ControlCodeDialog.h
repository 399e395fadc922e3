#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace glyphwright {

class DocumentHistory;
class WindowQueries;

// Edit > Control Code…: puts an end code or a line break on one code, with the text the table
// shows for it, as one undoable step with a single entry's checks. Enter presses OK, Escape
// Cancel; each box has its mnemonic.
class ControlCodeDialog final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ControlCodeDialog)

public:
    ControlCodeDialog(DocumentHistory& history, WindowQueries& user);
    ~ControlCodeDialog() override;

signals:
    void closeBoxPressed();  // the close box, "Cancel" or Escape

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Put();

    DocumentHistory& history_;
    WindowQueries& user_;
    QLineEdit* code_;
    QComboBox* kind_;
    QLineEdit* label_;
};

}  // namespace glyphwright

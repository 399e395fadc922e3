#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace glyphwright {

class DocumentHistory;
class WindowQueries;

// Edit > Control Code…: puts a control code on one code, with the text the table shows for it,
// as one undoable step with a single entry's checks: an end code, a line break, a linked entry
// with the count of parameter bytes after it, or a table switch with the table it names and for
// how many codes. The boxes a kind does not use are disabled. Enter presses OK, Escape Cancel;
// each box has its mnemonic.
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
    // Enables the boxes the kind chosen uses.
    void KindChosen();

    DocumentHistory& history_;
    WindowQueries& user_;
    QLineEdit* code_;
    QComboBox* kind_;
    QLineEdit* label_;
    QSpinBox* parameters_;
    QLineEdit* table_;
    QSpinBox* count_;
};

}  // namespace glyphwright

#include "ControlCodeDialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ControlCodeMessages.h"
#include "OneLineBox.h"
#include "ProgramMessages.h"
#include "PutSingleEntry.h"
#include "RunAction.h"
#include "TableOrderMessages.h"
#include "WindowQueries.h"
#include "core/table/ParseHexByte.h"

namespace glyphwright {

ControlCodeDialog::ControlCodeDialog(DocumentHistory& history, WindowQueries& user)
    : history_(history),
      user_(user),
      code_(new QLineEdit(this)),
      kind_(new QComboBox(this)),
      label_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmControlCode"));
    setWindowTitle(ControlCodeMessages::ControlCodeTitle());
    code_->setObjectName(QStringLiteral("txtCode"));
    code_->setMaxLength(2);
    kind_->setObjectName(QStringLiteral("cmbKind"));
    kind_->addItems({ControlCodeMessages::EndCodeKind(), ControlCodeMessages::LineBreakKind()});
    label_->setObjectName(QStringLiteral("txtLabel"));
    OneLineBox::Keep(*code_);
    OneLineBox::Keep(*label_);

    auto* form = new QFormLayout;
    form->addRow(ControlCodeMessages::ControlCodeCodeLabel(), code_);
    form->addRow(ControlCodeMessages::ControlCodeKindLabel(), kind_);
    form->addRow(ControlCodeMessages::ControlCodeTextLabel(), label_);
    auto* help = new QLabel(ControlCodeMessages::ControlCodeHelp(), this);
    help->setObjectName(QStringLiteral("lblHelp"));
    help->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(help);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this,
            [this] { RunAction(user_, [this] { Put(); }); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    code_->setFocus();
}

ControlCodeDialog::~ControlCodeDialog() = default;

void ControlCodeDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeBoxPressed();
}

void ControlCodeDialog::keyPressEvent(QKeyEvent* event) {
    // A window, not a QDialog: Enter and Escape are taught here.
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            RunAction(user_, [this] { Put(); });
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            close();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void ControlCodeDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown again, the code is selected: a new code typed replaces the last one.
    code_->setFocus();
    code_->selectAll();
}

void ControlCodeDialog::Put() {
    const std::string code = code_->text().toStdString();
    const auto read = ReadHexByte(code);
    if (!read.ok()) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          TableOrderMessages::BadCode(code, read.error()).toStdString(),
                          MessageIcon::Exclamation);
        return;
    }
    const EntryKind kind = kind_->currentIndex() == 1 ? EntryKind::LineBreak : EntryKind::EndCode;
    if (!PutSingleEntry(history_, user_, read.value(), label_->text(), kind)) return;
    hide();
}

}  // namespace glyphwright

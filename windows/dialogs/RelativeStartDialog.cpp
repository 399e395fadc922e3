#include "RelativeStartDialog.h"

#include <QCloseEvent>

#include "DocumentHistory.h"
#include "OneLineBox.h"
#include "OrderSelection.h"
#include "ProgramMessages.h"
#include "RunAction.h"
#include "TableOrderMessages.h"
#include "WindowFrame.h"
#include "WindowQueries.h"
#include "core/table/ParseHexByte.h"
#include "core/table/TableCode.h"
#include "ui_frmEnterHexNum.h"

namespace glyphwright {

RelativeStartDialog::RelativeStartDialog(DocumentHistory& history, const OrderSelection& selection,
                                         WindowQueries& user)
    : history_(history),
      selection_(selection),
      user_(user),
      ui_(std::make_unique<Ui::frmEnterHexNum>()) {
    ui_->setupUi(this);
    ApplyWindowFrame(*this);
    connect(ui_->cmdOK, &QPushButton::clicked, this,
            [this] { RunAction(user_, [this] { Accept(); }); });
    connect(ui_->cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    OneLineBox::Keep(*ui_->Text1);
    ui_->Text1->setFocus();
}

RelativeStartDialog::~RelativeStartDialog() = default;

void RelativeStartDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown again for another line, the dialog still holds the last number: it is selected in the
    // box, so a new number typed replaces it and Enter cannot store the old one unseen.
    ui_->Text1->setFocus();
    ui_->Text1->selectAll();
}

void RelativeStartDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeBoxPressed();
}

void RelativeStartDialog::Accept() {
    const auto refuse = [this](const QString& text) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                          MessageIcon::Exclamation);
    };
    // The line selected now, which need not be the one whose click opened the dialog.
    const int line = selection_.SelectedLine();
    if (line < 0) {
        refuse(TableOrderMessages::NoLineSelected());
        return;
    }
    const std::string typed = ui_->Text1->text().toStdString();
    // One or two digits are a one-byte start, read as ever; three or four a two-byte one.
    const auto start = ReadTypedCode(typed);
    if (!start) {
        refuse(start.error() == HexError::OutOfRange ? TableOrderMessages::StartAboveFFFF(typed)
                                                     : TableOrderMessages::BadStart(typed));
        return;
    }
    const Document& document = history_.Doc();
    history_.Run(
        DocumentCommand::SetLineStart(document, line, std::optional<TableCode>(start.value())),
        TableOrderMessages::RelativeStartAction(
            QString::fromStdString(document.Order().LineText(line))));
    hide();
}

}  // namespace glyphwright

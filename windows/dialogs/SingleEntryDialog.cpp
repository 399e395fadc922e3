#include "SingleEntryDialog.h"

#include <QCloseEvent>

#include <utility>

#include "DocumentHistory.h"
#include "OneLineBox.h"
#include "ProgramMessages.h"
#include "PutSingleEntry.h"
#include "RunAction.h"
#include "TableOrderMessages.h"
#include "WindowFrame.h"
#include "WindowQueries.h"
#include "core/table/ParseHexByte.h"
#include "ui_frmInsertDTE.h"

namespace glyphwright {

SingleEntryDialog::SingleEntryDialog(DocumentHistory& history, WindowQueries& user)
    : history_(history), user_(user), ui_(std::make_unique<Ui::frmInsertDTE>()) {
    ui_->setupUi(this);
    ApplyWindowFrame(*this);
    connect(ui_->cmdInsert, &QPushButton::clicked, this,
            [this] { RunAction(user_, [this] { Insert(); }); });
    connect(ui_->cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    // The box opens holding one blank; a .ui file cannot hold a text that is all blanks.
    ui_->txtHexCode->setText(QStringLiteral(" "));
    // The caret stands before the blank, so digits typed at once make a valid code ("41 ").
    ui_->txtHexCode->setCursorPosition(0);
    ui_->txtHexCode->setFocus();
    OneLineBox::Keep(*ui_->txtHexCode);
    OneLineBox::Keep(*ui_->txtText);
}

void SingleEntryDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown again after Insert, the dialog holds the last entry: the code is selected, so a new
    // code typed replaces it, and Enter cannot insert the old entry a second time unseen.
    if (std::exchange(shownBefore_, true)) {
        ui_->txtHexCode->setFocus();
        ui_->txtHexCode->selectAll();
    }
}

SingleEntryDialog::~SingleEntryDialog() = default;

void SingleEntryDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeBoxPressed();
}

void SingleEntryDialog::Insert() {
    const auto refuse = [this](const QString& text) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                          MessageIcon::Exclamation);
    };

    // Everything is checked before anything is stored: a refused entry leaves no trace.
    const std::string code = ui_->txtHexCode->text().toStdString();
    const auto read = ReadHexByte(code);
    if (!read.ok()) {
        refuse(TableOrderMessages::BadCode(code, read.error()));
        return;
    }
    if (!PutSingleEntry(history_, user_, read.value(), ui_->txtText->text())) return;
    hide();
}

}  // namespace glyphwright

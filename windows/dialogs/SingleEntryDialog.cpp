#include "SingleEntryDialog.h"

#include <QCloseEvent>

#include "BadCodeMessage.h"
#include "MakeTable.h"
#include "RunAction.h"
#include "WindowFrame.h"
#include "WindowManager.h"
#include "core/EucJp.h"
#include "core/ParseHexByte.h"
#include "main/MainWindow.h"
#include "ui_frmInsertDTE.h"

namespace glyphwright {

SingleEntryDialog::SingleEntryDialog(WindowManager& windows)
    : windows_(windows), ui_(std::make_unique<Ui::frmInsertDTE>()) {
    ui_->setupUi(this);
    ApplyWindowFrame(*this);
    connect(ui_->cmdInsert, &QPushButton::clicked, this,
            [this] { RunAction(windows_.queries(), [this] { Insert(); }); });
    connect(ui_->cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    // The box opens holding one blank; a .ui file cannot hold a text that is all blanks.
    ui_->txtHexCode->setText(QStringLiteral(" "));
    // The caret stands before the blank, so digits typed at once make a valid code ("41 ").
    ui_->txtHexCode->setCursorPosition(0);
    ui_->txtHexCode->setFocus();
}

SingleEntryDialog::~SingleEntryDialog() = default;

void SingleEntryDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    windows_.Discard(*this);
}

void SingleEntryDialog::Insert() {
    WindowQueries& user = windows_.queries();
    const auto refuse = [&user](const std::string& text) {
        user.ShowMessage(std::string(kMessageTitle), text, MessageIcon::Exclamation);
    };

    // Everything is checked before anything is stored: a refused entry leaves no trace.
    const std::string code = ui_->txtHexCode->text().toStdString();
    if (const auto read = ReadHexByte(code); !read.ok()) {
        refuse(BadCodeMessage(code, read.error()));
        return;
    }
    const QString characters = ui_->txtText->text();
    const auto bytes = EncodeEucJp(characters.toStdString());
    if (!bytes.ok()) {
        refuse("The character \"" + bytes.error().character +
               "\" cannot be stored: table files hold EUC-JP text, and EUC-JP has no code for it.");
        return;
    }
    MainWindow& main = windows_.Main();
    if (main.IsOrderFull()) {
        refuse(std::string(kOrderFullMessage));
        return;
    }

    main.AppendOrderLine(characters);
    Workspace& workspace = windows_.workspace();
    workspace.CurrentCode = ParseHexByte(workspace, code).value();
    workspace.TableText[workspace.CurrentCode] = bytes.value();
    hide();
}

}  // namespace glyphwright

#include "RelativeStartDialog.h"

#include <QCloseEvent>

#include "BadCodeMessage.h"
#include "MakeTable.h"
#include "RunAction.h"
#include "WindowFrame.h"
#include "WindowManager.h"
#include "core/ParseHexByte.h"
#include "main/MainWindow.h"
#include "ui_frmEnterHexNum.h"

namespace glyphwright {

inline constexpr std::string_view kNoLineSelected =
    "No line of the Table Order is selected. Select the line that is to start at this code.";

RelativeStartDialog::RelativeStartDialog(WindowManager& windows)
    : windows_(windows), ui_(std::make_unique<Ui::frmEnterHexNum>()) {
    ui_->setupUi(this);
    ApplyWindowFrame(*this);
    connect(ui_->cmdOK, &QPushButton::clicked, this,
            [this] { RunAction(windows_.queries(), [this] { Accept(); }); });
    connect(ui_->cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    ui_->Text1->setFocus();
}

RelativeStartDialog::~RelativeStartDialog() = default;

void RelativeStartDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    windows_.Discard(*this);
}

void RelativeStartDialog::Accept() {
    WindowQueries& user = windows_.queries();
    // The line selected now, which need not be the one whose click opened the dialog.
    const int line = windows_.Main().SelectedOrderLine();
    if (line < 0) {
        user.ShowMessage(std::string(kMessageTitle), std::string(kNoLineSelected),
                         MessageIcon::Exclamation);
        return;
    }
    const std::string typed = ui_->Text1->text().toStdString();
    if (const auto read = ReadHexByte(typed); !read.ok()) {
        user.ShowMessage(std::string(kMessageTitle), BadCodeMessage(typed, read.error()),
                         MessageIcon::Exclamation);
        return;
    }
    Workspace& workspace = windows_.workspace();
    workspace.OrderStarts.at(static_cast<std::size_t>(line)) =
        ParseHexByte(workspace, typed).value();
    hide();
}

}  // namespace glyphwright

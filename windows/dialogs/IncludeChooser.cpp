#include "IncludeChooser.h"

#include <QCloseEvent>

#include "MakeTable.h"
#include "RunAction.h"
#include "SingleEntryDialog.h"
#include "WindowFrame.h"
#include "WindowManager.h"
#include "core/BuiltInSets.h"
#include "main/MainWindow.h"
#include "ui_frmPick.h"

namespace glyphwright {

IncludeChooser::IncludeChooser(WindowManager& windows)
    : windows_(windows), ui_(std::make_unique<Ui::frmPick>()) {
    ui_->setupUi(this);
    ApplyWindowFrame(*this);
    connect(ui_->cmdRelText, &QPushButton::clicked, this,
            [this] { RunAction(windows_.queries(), [this] { IncludeRelativeEntry(); }); });
    connect(ui_->cmdSpecChar, &QPushButton::clicked, this,
            [this] { RunAction(windows_.queries(), [this] { IncludeSingleEntry(); }); });
    ui_->cmdSpecChar->setFocus();
}

IncludeChooser::~IncludeChooser() = default;

void IncludeChooser::closeEvent(QCloseEvent* event) {
    event->accept();
    windows_.Discard(*this);
}

void IncludeChooser::IncludeRelativeEntry() {
    MainWindow& main = windows_.Main();
    if (main.OrderLineCount() == 0) main.EnableRemove();

    const QString text = main.SelectionText();
    if (text.isEmpty()) {
        hide();
        return;
    }
    if (main.IsOrderFull()) {
        windows_.queries().ShowMessage(std::string(kMessageTitle), std::string(kOrderFullMessage),
                                       MessageIcon::Exclamation);
        return;
    }
    main.AppendOrderLine(text);
    hide();

    // A typed text that names no set is listed all the same, but records nothing.
    const std::string name = text.toStdString();
    if (FindBuiltInSet(name) != nullptr) {
        windows_.workspace().OrderNames.at(static_cast<std::size_t>(main.OrderLineCount())) = name;
    }
    main.EnableMakeTable();
}

void IncludeChooser::IncludeSingleEntry() {
    WindowManager::Show(windows_.InsertDte());
    hide();
}

}  // namespace glyphwright

#include "IncludeChooser.h"

#include <QCloseEvent>

#include "IncludeTarget.h"
#include "Messages.h"
#include "RunAction.h"
#include "WindowFrame.h"
#include "WindowQueries.h"
#include "core/TableOrder.h"
#include "ui_frmPick.h"

namespace glyphwright {

IncludeChooser::IncludeChooser(TableOrder& order, IncludeTarget& target, WindowQueries& user)
    : order_(order), target_(target), user_(user), ui_(std::make_unique<Ui::frmPick>()) {
    ui_->setupUi(this);
    ApplyWindowFrame(*this);
    connect(ui_->cmdRelText, &QPushButton::clicked, this,
            [this] { RunAction(user_, [this] { IncludeRelativeEntry(); }); });
    connect(ui_->cmdSpecChar, &QPushButton::clicked, this,
            [this] { RunAction(user_, [this] { IncludeSingleEntry(); }); });
    ui_->cmdSpecChar->setFocus();
}

IncludeChooser::~IncludeChooser() = default;

void IncludeChooser::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeBoxPressed();
}

void IncludeChooser::IncludeRelativeEntry() {
    if (order_.LineCount() == 0) target_.EnableRemove();

    const QString text = target_.SelectionText();
    if (text.isEmpty()) {
        hide();
        return;
    }
    if (order_.IsFull()) {
        user_.ShowMessage(Messages::Title().toStdString(), Messages::OrderFull().toStdString(),
                          MessageIcon::Exclamation);
        return;
    }
    // A typed text that names no set is listed all the same, but records nothing.
    (void)order_.AppendSetLine(text.toStdString());
    hide();
    target_.EnableMakeTable();
}

void IncludeChooser::IncludeSingleEntry() {
    emit singleEntryRequested();
    hide();
}

}  // namespace glyphwright

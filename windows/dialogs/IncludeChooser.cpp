#include "IncludeChooser.h"

#include <QCloseEvent>

#include "CommandRules.h"
#include "DocumentHistory.h"
#include "IncludeTarget.h"
#include "ProgramMessages.h"
#include "RunAction.h"
#include "TableOrderMessages.h"
#include "WindowFrame.h"
#include "WindowQueries.h"
#include "ui_frmPick.h"

namespace glyphwright {

IncludeChooser::IncludeChooser(DocumentHistory& history, IncludeTarget& target, CommandRules& rules,
                               WindowQueries& user)
    : history_(history),
      target_(target),
      rules_(rules),
      user_(user),
      ui_(std::make_unique<Ui::frmPick>()) {
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
    const TableOrder& order = history_.Doc().Order();
    rules_.RelativeEntryPressed();

    const QString text = target_.SelectionText();
    if (text.isEmpty()) {
        hide();
        return;
    }
    if (order.IsFull()) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          TableOrderMessages::OrderFull().toStdString(), MessageIcon::Exclamation);
        return;
    }
    // A typed text that names no set is listed all the same, but records nothing.
    const std::string line = text.toStdString();
    history_.Run(DocumentCommand::IncludeSet(history_.Doc(), line),
                 TableOrderMessages::IncludeAction(text));
    hide();
    rules_.SetIncluded();
}

void IncludeChooser::IncludeSingleEntry() {
    emit singleEntryRequested();
    hide();
}

}  // namespace glyphwright

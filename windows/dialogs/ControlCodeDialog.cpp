#include "ControlCodeDialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

#include "ControlCodeMessages.h"
#include "OneLineBox.h"
#include "ProgramMessages.h"
#include "PutSingleEntry.h"
#include "RunAction.h"
#include "TableOrderMessages.h"
#include "WindowQueries.h"
#include "core/table/ParseHexByte.h"

namespace glyphwright {

namespace {

// The kinds in the order the kind box lists them.
constexpr std::array kKinds{EntryKind::EndCode, EntryKind::LineBreak, EntryKind::Linked,
                            EntryKind::TableSwitch};

}  // namespace

ControlCodeDialog::ControlCodeDialog(DocumentHistory& history, WindowQueries& user)
    : history_(history),
      user_(user),
      code_(new QLineEdit(this)),
      kind_(new QComboBox(this)),
      label_(new QLineEdit(this)),
      parameters_(new QSpinBox(this)),
      table_(new QLineEdit(this)),
      count_(new QSpinBox(this)) {
    setObjectName(QStringLiteral("frmControlCode"));
    setWindowTitle(ControlCodeMessages::ControlCodeTitle());
    code_->setObjectName(QStringLiteral("txtCode"));
    code_->setMaxLength(2);
    kind_->setObjectName(QStringLiteral("cmbKind"));
    // In the order of kKinds.
    kind_->addItems({ControlCodeMessages::EndCodeKind(), ControlCodeMessages::LineBreakKind(),
                     ControlCodeMessages::LinkedKind(), ControlCodeMessages::SwitchKind()});
    label_->setObjectName(QStringLiteral("txtLabel"));
    parameters_->setObjectName(QStringLiteral("spnParameters"));
    parameters_->setRange(1, kMaxParameters);
    parameters_->setValue(1);
    table_->setObjectName(QStringLiteral("txtTable"));
    count_->setObjectName(QStringLiteral("spnCount"));
    count_->setRange(0, kMaxSwitchCount);
    count_->setSpecialValueText(ControlCodeMessages::UntilLacked());
    OneLineBox::Keep(*code_);
    OneLineBox::Keep(*label_);
    OneLineBox::Keep(*table_);

    auto* form = new QFormLayout;
    form->addRow(ControlCodeMessages::ControlCodeCodeLabel(), code_);
    form->addRow(ControlCodeMessages::ControlCodeKindLabel(), kind_);
    form->addRow(ControlCodeMessages::ControlCodeTextLabel(), label_);
    form->addRow(ControlCodeMessages::ParametersLabel(), parameters_);
    form->addRow(ControlCodeMessages::TableLabel(), table_);
    form->addRow(ControlCodeMessages::CountLabel(), count_);
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
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] { KindChosen(); });
    KindChosen();
    code_->setFocus();
}

void ControlCodeDialog::KindChosen() {
    const EntryKind kind = kKinds[static_cast<std::size_t>(std::max(0, kind_->currentIndex()))];
    parameters_->setEnabled(kind == EntryKind::Linked);
    table_->setEnabled(kind == EntryKind::TableSwitch);
    count_->setEnabled(kind == EntryKind::TableSwitch);
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
    TableEntry entry{label_->text().toStdString(),
                     kKinds[static_cast<std::size_t>(std::max(0, kind_->currentIndex()))]};
    if (entry.kind == EntryKind::Linked) entry.parameters = parameters_->value();
    if (entry.kind == EntryKind::TableSwitch) {
        entry.table = table_->text().trimmed().toStdString();
        entry.count = count_->value();
        if (entry.table.empty()) {
            user_.ShowMessage(ProgramMessages::Title().toStdString(),
                              ControlCodeMessages::NoTable().toStdString(),
                              MessageIcon::Exclamation);
            table_->setFocus();
            return;
        }
    }
    if (!PutControlCode(history_, user_, read.value(), std::move(entry))) return;
    hide();
}

}  // namespace glyphwright

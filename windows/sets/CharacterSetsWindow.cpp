#include "CharacterSetsWindow.h"

#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "FileMessages.h"
#include "ProgramMessages.h"
#include "RunAction.h"
#include "SetsMessages.h"
#include "WindowQueries.h"
#include "core/sets/SetCatalogue.h"
#include "core/sets/SetFile.h"
#include "core/table/Document.h"
#include "storage/SetFileStore.h"

namespace glyphwright {
namespace {

QString Text(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

CharacterSetsWindow::CharacterSetsWindow(SetCatalogue& sets, Document& document,
                                         std::string setsPath, WindowQueries& user)
    : sets_(sets),
      document_(document),
      setsPath_(std::move(setsPath)),
      user_(user),
      list_(new QListWidget(this)),
      name_(new QLineEdit(this)),
      members_(new QPlainTextEdit(this)),
      perLine_(new QCheckBox(tr("One member per line"), this)),
      status_(new QLabel(this)),
      save_(Button(tr("&Save Set"), "cmdSave", this)),
      delete_(Button(tr("&Delete"), "cmdDelete", this)) {
    setObjectName(QStringLiteral("frmCharacterSets"));
    setWindowTitle(SetsMessages::CharacterSetsTitle());
    list_->setObjectName(QStringLiteral("lstSets"));
    name_->setObjectName(QStringLiteral("txtName"));
    members_->setObjectName(QStringLiteral("txtMembers"));
    perLine_->setObjectName(QStringLiteral("chkPerLine"));
    status_->setObjectName(QStringLiteral("lblStatus"));
    status_->setWordWrap(true);
    auto* help = new QLabel(SetsMessages::CharacterSetsHelp(), this);
    help->setObjectName(QStringLiteral("lblHelp"));
    help->setWordWrap(true);
    auto* newSet = Button(tr("&New"), "cmdNew", this);
    auto* duplicate = Button(tr("D&uplicate"), "cmdDuplicate", this);
    auto* import = Button(tr("&Import…"), "cmdImport", this);
    auto* exportSets = Button(tr("&Export…"), "cmdExport", this);
    auto* close = Button(tr("&Close"), "cmdClose", this);

    auto* nameLabel = new QLabel(tr("&Name:"), this);
    nameLabel->setBuddy(name_);
    auto* membersLabel = new QLabel(tr("&Members:"), this);
    membersLabel->setBuddy(members_);

    auto* listButtons = new QHBoxLayout;
    for (QPushButton* button : {newSet, duplicate, delete_}) listButtons->addWidget(button);
    auto* left = new QVBoxLayout;
    left->addWidget(list_);
    left->addLayout(listButtons);

    auto* right = new QVBoxLayout;
    right->addWidget(nameLabel);
    right->addWidget(name_);
    right->addWidget(membersLabel);
    right->addWidget(members_, 1);
    right->addWidget(perLine_);
    right->addWidget(help);
    right->addWidget(status_);
    auto* editButtons = new QHBoxLayout;
    editButtons->addWidget(save_);
    editButtons->addStretch(1);
    for (QPushButton* button : {import, exportSets, close}) editButtons->addWidget(button);
    right->addLayout(editButtons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(right, 3);

    const auto guarded = [this](void (CharacterSetsWindow::*action)()) {
        return [this, action] { RunAction(user_, [this, action] { (this->*action)(); }); };
    };
    connect(list_, &QListWidget::currentRowChanged, this, &CharacterSetsWindow::Show);
    connect(newSet, &QPushButton::clicked, this, guarded(&CharacterSetsWindow::NewSet));
    connect(duplicate, &QPushButton::clicked, this, guarded(&CharacterSetsWindow::Duplicate));
    connect(save_, &QPushButton::clicked, this, guarded(&CharacterSetsWindow::Save));
    connect(delete_, &QPushButton::clicked, this, guarded(&CharacterSetsWindow::Delete));
    connect(import, &QPushButton::clicked, this, guarded(&CharacterSetsWindow::Import));
    connect(exportSets, &QPushButton::clicked, this, guarded(&CharacterSetsWindow::Export));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    Fill(0);
    resize(720, 420);
    document_.AddObserver(*this);
}

CharacterSetsWindow::~CharacterSetsWindow() {
    document_.RemoveObserver(*this);
}

void CharacterSetsWindow::DocumentChanged(const DocumentChange& change) {
    // The window's own changes have filled the list already.
    if (!change.sets || std::cmp_equal(list_->count(), sets_.Sets().size())) return;
    const QSignalBlocker quiet(list_);
    const int row = list_->currentRow();
    list_->clear();
    for (const CharacterSet& set : sets_.Sets()) list_->addItem(Text(set.name));
    list_->setCurrentRow(row);
}

void CharacterSetsWindow::Fill(int current) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const CharacterSet& set : sets_.Sets()) list_->addItem(Text(set.name));
    list_->setCurrentRow(std::clamp(current, 0, list_->count() - 1));
    Show(list_->currentRow());
}

std::optional<std::size_t> CharacterSetsWindow::UserIndex(int row) const {
    if (row < 0 || !std::cmp_less(row, sets_.Sets().size())) return std::nullopt;
    const auto index = static_cast<std::size_t>(row);
    if (sets_.IsBuiltIn(index)) return std::nullopt;
    return index - sets_.BuiltInCount();
}

void CharacterSetsWindow::Show(int row) {
    drafting_ = false;
    if (row < 0 || !std::cmp_less(row, sets_.Sets().size())) return;
    const CharacterSet& set = sets_.Sets()[static_cast<std::size_t>(row)];
    const bool own = UserIndex(row).has_value();
    const bool perLine = NeedsOnePerLine(set);
    name_->setText(Text(set.name));
    perLine_->setChecked(perLine);
    members_->setPlainText(Text(TypedMembers(set, perLine)));
    for (QWidget* editor : std::initializer_list<QWidget*>{name_, members_}) {
        editor->setProperty("readOnly", !own);
    }
    perLine_->setEnabled(own);
    save_->setEnabled(own);
    delete_->setEnabled(own);
    status_->setText(own ? SetsMessages::SetMemberCount(static_cast<qsizetype>(set.size()))
                         : SetsMessages::BuiltInSetShown());
}

void CharacterSetsWindow::NewSet() {
    list_->clearSelection();
    drafting_ = true;
    QString name = SetsMessages::NewSetName();
    for (int n = 2; sets_.Find(name.toStdString()) != nullptr; ++n) {
        name = SetsMessages::NewSetName() + QLatin1Char(' ') + QString::number(n);
    }
    name_->setText(name);
    members_->clear();
    perLine_->setChecked(false);
    for (QWidget* editor : std::initializer_list<QWidget*>{name_, members_}) {
        editor->setProperty("readOnly", false);
    }
    perLine_->setEnabled(true);
    save_->setEnabled(true);
    delete_->setEnabled(false);
    status_->clear();
    name_->setFocus();
    name_->selectAll();
}

void CharacterSetsWindow::Duplicate() {
    const int row = list_->currentRow();
    if (drafting_ || row < 0 || !std::cmp_less(row, sets_.Sets().size())) return;
    const CharacterSet& set = sets_.Sets()[static_cast<std::size_t>(row)];
    QString name = SetsMessages::CopyOfSet(Text(set.name));
    for (int n = 2; sets_.Find(name.toStdString()) != nullptr; ++n) {
        name = SetsMessages::CopyOfSet(Text(set.name)) + QLatin1Char(' ') + QString::number(n);
    }
    std::vector<UserSet> sets = sets_.UserSets();
    sets.push_back({name.toStdString(), {set.members.begin(), set.members.end()}});
    Replace(std::move(sets), static_cast<int>(sets_.Sets().size()));
}

void CharacterSetsWindow::Save() {
    const auto made = MakeUserSet(name_->text().toStdString(),
                                  members_->toPlainText().toStdString(), perLine_->isChecked());
    if (!made) {
        Tell(SetsMessages::Failure(made.error()));
        return;
    }
    std::vector<UserSet> sets = sets_.UserSets();
    const int row = list_->currentRow();
    const auto index = drafting_ ? std::nullopt : UserIndex(row);
    if (!drafting_ && !index) return;  // a built-in set is shown: nothing of the user's to save
    if (index) {
        const std::string& old = sets[*index].name;
        if (old != made.value().name && InUse(old)) {
            Tell(SetsMessages::SetInUse(Text(old)));
            return;
        }
        sets[*index] = made.value();
        Replace(std::move(sets), row);
        return;
    }
    sets.push_back(made.value());
    Replace(std::move(sets), static_cast<int>(sets_.Sets().size()));
}

void CharacterSetsWindow::Delete() {
    const auto index = drafting_ ? std::nullopt : UserIndex(list_->currentRow());
    if (!index) return;
    std::vector<UserSet> sets = sets_.UserSets();
    const QString name = Text(sets[*index].name);
    if (InUse(sets[*index].name)) {
        Tell(SetsMessages::SetInUse(name));
        return;
    }
    if (!user_.AskYesNo(ProgramMessages::Title().toStdString(),
                        SetsMessages::DeleteSetQuestion(name).toStdString(), MessageIcon::None)) {
        return;
    }
    sets.erase(sets.begin() + static_cast<std::ptrdiff_t>(*index));
    Replace(std::move(sets), list_->currentRow() - 1);
}

void CharacterSetsWindow::Import() {
    const auto path = user_.AskOpenPath(tr("Import Character Sets").toStdString());
    if (!path) return;
    const auto read = ReadSetFileAt(QFile::encodeName(QString::fromStdString(*path)).toStdString());
    if (!read) {
        Tell(SetsMessages::Failure(read.error()));
        return;
    }
    // An imported set takes the place of the user's set of its name, unless a line uses that one.
    std::vector<UserSet> sets = sets_.UserSets();
    for (const UserSet& set : read.value()) {
        const auto same = std::find_if(sets.begin(), sets.end(),
                                       [&](const UserSet& s) { return s.name == set.name; });
        if (same == sets.end()) {
            sets.push_back(set);
        } else if (*same != set && InUse(set.name)) {
            Tell(SetsMessages::SetInUse(Text(set.name)));
            return;
        } else {
            *same = set;
        }
    }
    if (Replace(std::move(sets), list_->currentRow())) {
        status_->setText(SetsMessages::SetsImported(static_cast<qsizetype>(read.value().size()),
                                                    QString::fromStdString(*path)));
    }
}

void CharacterSetsWindow::Export() {
    const auto answer = user_.AskSavePath({SetsMessages::SetFileFilter().toStdString()}, {});
    if (!answer) return;
    const auto saved = SaveSetFileAt(
        QFile::encodeName(QString::fromStdString(answer->path)).toStdString(), sets_.UserSets());
    if (!saved) {
        Tell(FileMessages::Failure(saved.error()));
        return;
    }
    status_->setText(SetsMessages::SetsExported(static_cast<qsizetype>(sets_.UserSets().size()),
                                                QString::fromStdString(answer->path)));
}

bool CharacterSetsWindow::Replace(std::vector<UserSet> sets, int current) {
    // The order looks its sets up by name: one it uses must not go.
    for (const UserSet& old : sets_.UserSets()) {
        const bool kept = std::any_of(sets.begin(), sets.end(),
                                      [&](const UserSet& s) { return s.name == old.name; });
        if (!kept && InUse(old.name)) {
            Tell(SetsMessages::SetInUse(Text(old.name)));
            return false;
        }
    }
    if (!setsPath_.empty()) {
        if (const auto checked = CheckUserSets(sets); !checked) {
            Tell(SetsMessages::Failure(checked.error()));
            return false;
        }
        if (const auto saved = SaveSetFileAt(setsPath_, sets); !saved) {
            Tell(FileMessages::Failure(saved.error()));
            return false;
        }
    }
    if (const auto set = sets_.SetUserSets(std::move(sets)); !set) {
        Tell(SetsMessages::Failure(set.error()));
        return false;
    }
    Fill(current);
    document_.SetsChanged();
    return true;
}

bool CharacterSetsWindow::InUse(const std::string& name) const {
    return document_.Order().Uses(name);
}

void CharacterSetsWindow::Tell(const QString& text) {
    user_.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                      MessageIcon::Exclamation);
}

}  // namespace glyphwright

#include "MainWindow.h"

#include <functional>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>
#include <vector>

#include "CommandRules.h"
#include "ControlCodeMessages.h"
#include "DocumentHistory.h"
#include "ImportTableMessages.h"
#include "MakeTableMessages.h"
#include "DictionaryMessages.h"
#include "FindFontMessages.h"
#include "MakeTableFile.h"
#include "OneLineBox.h"
#include "OrderListModel.h"
#include "OrderSelection.h"
#include "ProgramMessages.h"
#include "ProjectMessages.h"
#include "ProjectSession.h"
#include "RunAction.h"
#include "TableOrderMessages.h"
#include "WindowFrame.h"
#include "WindowQueries.h"
#include "core/sets/BuiltInSets.h"
#include "core/sets/SetCatalogue.h"
#include "tablefile/ImportTable.h"
#include "ui_frmGlyphwright.h"

namespace glyphwright {

namespace {

// The table command's questions, put to the user in the windows' boxes and words.
class TableQueries final : public UserQueries {
public:
    explicit TableQueries(WindowQueries& user) : user_(user) {}

    std::optional<std::string> AskStartCode() override {
        return user_.AskText(MakeTableMessages::StartCodePrompt().toStdString(),
                             MakeTableMessages::StartCodeTitle().toStdString());
    }
    std::optional<SaveTarget> AskSaveTarget() override {
        static constexpr TableFormat kFormats[] = {TableFormat::Classic, TableFormat::Utf8,
                                                   TableFormat::ShiftJis, TableFormat::Abcde};
        const QStringList names = MakeTableMessages::TableFileFilters();
        std::vector<std::string> filters;
        for (const QString& filter : names) filters.push_back(filter.toStdString());
        const auto answer = user_.AskSavePath(filters, {});
        if (!answer) return std::nullopt;
        // The format is the file type chosen; the classic one where the dialog named none.
        const auto chosen = names.indexOf(QString::fromStdString(answer->filter));
        target = SaveTarget{answer->path, chosen > 0 && chosen < std::ssize(kFormats)
                                              ? kFormats[static_cast<std::size_t>(chosen)]
                                              : TableFormat::Classic};
        return target;
    }

    std::optional<SaveTarget> target;  // the file the user chose, once chosen

private:
    WindowQueries& user_;
};

}  // namespace

MainWindow::MainWindow(DocumentHistory& history, ProjectSession& project, OrderListModel& lines,
                       OrderSelection& selection, CommandRules& rules, WindowQueries& user)
    : history_(history),
      document_(history.Doc()),
      project_(project),
      selection_(selection),
      rules_(rules),
      user_(user),
      ui_(std::make_unique<Ui::frmGlyphwright>()) {
    ui_->setupUi(this);
    ui_->lstTblInfo->setModel(&lines);
    ui_->lstTblInfo->setSelectionModel(&selection);
    // Typed text is read as it stands: no completion, and Enter adds nothing to the list.
    ui_->cmbSelection->setCompleter(nullptr);
    OneLineBox::Keep(*ui_->cmbSelection->lineEdit());
    OneLineBox::Keep(*ui_->txtTblStartCode);
    ui_->actionMakeTable->setShortcuts(QKeySequence::Save);
    ui_->actionExit->setShortcuts(QKeySequence::Quit);
    ui_->actionOpenGameFile->setShortcuts(QKeySequence::Open);
    ui_->actionRelativeSearch->setShortcuts(QKeySequence::Find);
    // The client area keeps its defined size; the menu bar stands above it.
    ui_->centralWidget->setFixedSize(ui_->centralWidget->size());
    ApplyWindowFrame(*this);

    const auto guarded = [this](auto action) { return Guarded(user_, this, action); };
    connect(ui_->cmdInclude, &QPushButton::clicked, this, &MainWindow::includeRequested);
    connect(ui_->cmdRemove, &QPushButton::clicked, this, guarded(&MainWindow::Remove));
    connect(ui_->cmdSave, &QPushButton::clicked, this, guarded(&MainWindow::MakeTableFromWindow));
    connect(ui_->actionMakeTable, &QAction::triggered, ui_->cmdSave, &QPushButton::click);
    // The exit sequence destroys this window, so it runs from the event loop, not from here.
    connect(ui_->cmdExit, &QPushButton::clicked, this, &MainWindow::exitRequested,
            Qt::QueuedConnection);
    connect(ui_->actionExit, &QAction::triggered, this, &MainWindow::exitRequested,
            Qt::QueuedConnection);
    connect(ui_->actionAbout, &QAction::triggered, this, guarded(&MainWindow::About));
    connect(ui_->actionOpenGameFile, &QAction::triggered, this, &MainWindow::openGameFileRequested);
    connect(ui_->actionCodeMap, &QAction::triggered, this, &MainWindow::codeMapRequested);
    connect(ui_->actionGameText, &QAction::triggered, this, &MainWindow::gameTextRequested);
    connect(ui_->actionFont, &QAction::triggered, this, &MainWindow::fontRequested);
    connect(ui_->actionRelativeSearch, &QAction::triggered, this,
            &MainWindow::relativeSearchRequested);
    connect(ui_->actionCharacterSets, &QAction::triggered, this,
            &MainWindow::characterSetsRequested);
    auto* findDictionary = ui_->menuTools->addAction(DictionaryMessages::MenuItem());
    findDictionary->setObjectName(QStringLiteral("actionFindDictionary"));
    connect(findDictionary, &QAction::triggered, this, &MainWindow::findDictionaryRequested);
    auto* findFont = ui_->menuTools->addAction(FindFontMessages::MenuItem());
    findFont->setObjectName(QStringLiteral("actionFindFont"));
    connect(findFont, &QAction::triggered, this, &MainWindow::findFontRequested);
    ShowStartCode();
    connect(ui_->txtTblStartCode, &QLineEdit::textChanged, this, &MainWindow::StartCodeTyped);
    connect(&rules_, &CommandRules::changed, this, &MainWindow::FollowRules);
    FollowRules();
    AddEditMenu();
    AddProjectActions();
    document_.AddObserver(*this);

    // A line chosen by mouse or arrow keys, or a click on the line already chosen; once per
    // choice.
    connect(&selection_, &QItemSelectionModel::selectionChanged, this,
            guarded(&MainWindow::SelectionChanged));
    ui_->lstTblInfo->viewport()->installEventFilter(this);
    ui_->lstTblInfo->installEventFilter(this);
    connect(ui_->lstTblInfo, &QAbstractItemView::pressed, this, &MainWindow::LinePressed);
    connect(ui_->lstTblInfo, &QAbstractItemView::clicked, this, guarded(&MainWindow::LineClicked));

    ui_->lstTblInfo->setFocus();
    Load();
}

MainWindow::~MainWindow() {
    document_.RemoveObserver(*this);
}

void MainWindow::AddEditMenu() {
    QUndoStack& stack = history_.Stack();
    auto* edit = new QMenu(ProgramMessages::EditMenu(), this);
    edit->setObjectName(QStringLiteral("menuEdit"));
    QAction* undo = stack.createUndoAction(edit, ProgramMessages::UndoPrefix());
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = stack.createRedoAction(edit, ProgramMessages::RedoPrefix());
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    auto* controlCode = new QAction(ControlCodeMessages::ControlCodeMenu(), this);
    controlCode->setObjectName(QStringLiteral("actionControlCode"));
    // Not Ctrl+E: a text box with the focus takes that as "to the end of the line" on X11.
    controlCode->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(controlCode, &QAction::triggered, this, &MainWindow::controlCodeRequested);
    edit->addAction(controlCode);
    // Beside File, where every program has it.
    const QList<QAction*> menus = menuBar()->actions();
    menuBar()->insertMenu(menus.size() > 1 ? menus[1] : nullptr, edit);
}

void MainWindow::AddProjectActions() {
    classicTitle_ = windowTitle();
    const auto run = [this](bool (ProjectSession::*action)(WindowQueries&)) {
        // Held as a function, not as the member pointer itself: GCC 12 warns falsely about a
        // member pointer copied into the inner lambda.
        std::function<bool(ProjectSession&, WindowQueries&)> call = action;
        return [this, call] { RunAction(user_, [this, &call] { (void)call(project_, user_); }); };
    };
    QMenu& file = *ui_->menuFile;
    QAction* first = file.actions().isEmpty() ? nullptr : file.actions().front();
    const auto add = [&](const QString& text, const char* name, const QKeySequence& keys,
                         bool (ProjectSession::*action)(WindowQueries&)) {
        auto* item = new QAction(text, this);
        item->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) item->setShortcut(keys);
        connect(item, &QAction::triggered, this, run(action));
        file.insertAction(first, item);
        return item;
    };
    add(ProjectMessages::NewProject(), "actionNewProject", QKeySequence::New, &ProjectSession::New);
    add(ProjectMessages::OpenProject(), "actionOpenProject",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), &ProjectSession::Open);
    auto* recent = new QMenu(ProjectMessages::OpenRecent(), this);
    recent->setObjectName(QStringLiteral("menuOpenRecent"));
    file.insertMenu(first, recent);
    // Read when shown, so that a run that never looks at it reads no settings at start-up.
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recent->clear();
        for (const QString& path : ProjectSession::RecentProjects()) {
            connect(recent->addAction(path), &QAction::triggered, this, [this, path] {
                RunAction(user_, [this, path] { (void)project_.OpenPath(path, user_); });
            });
        }
    });
    add(ProjectMessages::SaveProject(), "actionSaveProject",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &ProjectSession::Save);
    add(ProjectMessages::SaveProjectAs(), "actionSaveProjectAs", {}, &ProjectSession::SaveAs);
    auto* import = new QAction(ImportTableMessages::ImportTableMenu(), this);
    import->setObjectName(QStringLiteral("actionImportTable"));
    import->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(import, &QAction::triggered, this,
            [this] { RunAction(user_, [this] { ImportTableFromUser(); }); });
    file.insertAction(first, import);
    file.insertSeparator(first);
    connect(&project_, &ProjectSession::stateChanged, this, &MainWindow::ShowTitle);
}

void MainWindow::ImportTableFromUser() {
    // The file type chosen overrides the format found from the file; the first finds it.
    static constexpr std::optional<TableFormat> kFormats[] = {
        std::nullopt, TableFormat::Classic, TableFormat::Utf8, TableFormat::ShiftJis};
    const QStringList names = ImportTableMessages::ImportTableFilters();
    std::vector<std::string> filters;
    for (const QString& filter : names) filters.push_back(filter.toStdString());
    const auto chosen =
        user_.AskOpenPathOfType(ImportTableMessages::ImportTableTitle().toStdString(), filters);
    if (!chosen || chosen->path.empty()) return;
    const auto type = names.indexOf(QString::fromStdString(chosen->filter));
    const std::optional<TableFormat> format =
        type > 0 && type < std::ssize(kFormats) ? kFormats[type] : std::nullopt;
    const QString path = QFile::decodeName(QByteArray::fromStdString(chosen->path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        user_.ShowMessage(
            ProgramMessages::Title().toStdString(),
            ProjectMessages::ProjectUnreadable(path, file.errorString()).toStdString(),
            MessageIcon::Exclamation);
        return;
    }
    const QByteArray bytes = file.readAll();
    const ImportedTable imported = ImportTable(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), format);
    const QString name = QFileInfo(path).fileName();
    if (!imported.problems.empty()) {
        // One message lists every line that cannot be taken; the rest comes in whole or not at all.
        const QString problems = ImportTableMessages::ImportProblems(name, imported.problems);
        if (imported.entries.empty()) {
            user_.ShowMessage(ProgramMessages::Title().toStdString(), problems.toStdString(),
                              MessageIcon::Exclamation);
            return;
        }
        const QString question =
            problems + QStringLiteral("\n\n") +
            ImportTableMessages::ImportTheRest(static_cast<qsizetype>(imported.entries.size()));
        if (!user_.AskYesNo(ProgramMessages::Title().toStdString(), question.toStdString(),
                            MessageIcon::Exclamation)) {
            return;
        }
    }
    history_.Run(DocumentCommand::PutEntries(document_, imported.entries, imported.id,
                                             imported.further),
                 ImportTableMessages::ImportAction(name));
    if (!imported.entries.empty()) rules_.TableImported();
    // Taken, and told: the switches that lead round through the tables.
    if (!imported.loops.empty()) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          ImportTableMessages::SwitchLoops(name, imported.loops).toStdString(),
                          MessageIcon::None);
    }
}

void MainWindow::ShowTitle() {
    const QString part = project_.TitlePart();
    setWindowTitle(part.isEmpty() ? classicTitle_
                                  : part + QStringLiteral(" \u2014 ") + classicTitle_);
}

void MainWindow::DocumentChanged(const DocumentChange& change) {
    if (change.sets) SetsChanged();
    if (change.startCode) ShowStartCode();
}

void MainWindow::ShowStartCode() {
    // The text typed is the document's already: the box keeps its cursor and its own undo.
    const QString text = QString::fromStdString(document_.StartCode());
    if (ui_->txtTblStartCode->text() == text) return;
    const bool wasShowing = std::exchange(showing_, true);
    ui_->txtTblStartCode->setText(text);
    showing_ = wasShowing;
}

void MainWindow::StartCodeTyped(const QString& text) {
    if (showing_) return;
    // Keys typed one after another are one step to undo.
    history_.Run(DocumentCommand::SetStartCode(document_, text.toStdString()),
                 MakeTableMessages::StartCodeAction(text));
}

void MainWindow::FollowRules() {
    ui_->cmdRemove->setEnabled(rules_.RemoveUsable());
    ui_->cmdSave->setEnabled(rules_.MakeTableUsable());
    ui_->actionMakeTable->setEnabled(rules_.MakeTableUsable());
}

void MainWindow::Load() {
    FillSetSelector();
    // Filling the list picks its first entry; the selector starts with nothing picked.
    ui_->cmbSelection->setCurrentIndex(-1);
    ui_->cmbSelection->clearEditText();
}

void MainWindow::FillSetSelector() {
    const SetCatalogue& catalogue = document_.Catalogue();
    const auto sets = catalogue.Sets();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        // The classic seven alone, as ever; the further orders and the user's sets after a line.
        if (i == kClassicSetCount || (i == catalogue.BuiltInCount() && i < sets.size())) {
            ui_->cmbSelection->insertSeparator(ui_->cmbSelection->count());
        }
        ui_->cmbSelection->addItem(
            QString::fromUtf8(sets[i].name.data(), static_cast<qsizetype>(sets[i].name.size())));
    }
}

void MainWindow::SetsChanged() {
    // What is typed or picked stays; only the list below it is made anew.
    const QString text = ui_->cmbSelection->currentText();
    const QSignalBlocker quiet(ui_->cmbSelection);
    ui_->cmbSelection->clear();
    FillSetSelector();
    ui_->cmbSelection->setCurrentIndex(ui_->cmbSelection->findText(text));
    ui_->cmbSelection->setEditText(text);
}

QString MainWindow::SelectionText() const {
    return ui_->cmbSelection->currentText();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box ends the program at once, without the exit sequence's questions; only a
    // project with unsaved changes is offered to be saved first.
    bool mayClose = true;
    RunAction(user_, [this, &mayClose] { mayClose = project_.MayClose(user_); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    emit closeBoxPressed();
}

void MainWindow::Remove() {
    const int line = selection_.SelectedLine();
    if (line < 0) return;  // nothing selected, nothing to remove
    // Removing a line moves the current line; that is no choice of the user's, so it must not
    // open the relative start dialog. Afterwards no line is selected.
    selection_.SelectQuietly(-1);
    history_.Run(
        DocumentCommand::RemoveLine(document_, line),
        TableOrderMessages::RemoveAction(QString::fromStdString(document_.Order().LineText(line))));
}

void MainWindow::MakeTableFromWindow() {
    TableQueries queries(user_);
    // Laid on a copy, then stored as one step: what the run laid can be undone, the file not.
    Workspace table = document_.Table();
    const auto made = MakeTableFile(table, document_.Order(), document_.StartCode(), queries,
                                    document_.TwoByteOrder());
    // Assembly may have laid members even when the Save dialog was then cancelled.
    history_.Run(DocumentCommand::StoreTable(document_, table),
                 MakeTableMessages::MakeTableAction());
    if (!made) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          MakeTableMessages::Failure(made.error()).toStdString(),
                          MessageIcon::Exclamation);
        return;
    }
    if (made.value().target) {
        document_.SetTableFile(made.value().target->path,
                               FormatName(made.value().target->format));
    }
    if (made.value().HasWarnings()) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          MakeTableMessages::WrittenWarnings(made.value().duplicates,
                                                             made.value().angleBrackets)
                              .toStdString(),
                          MessageIcon::Exclamation);
    }
}

void MainWindow::About() {
    user_.ShowMessage(
        ProgramMessages::AboutTitle().toStdString(),
        ProgramMessages::AboutText(QCoreApplication::applicationVersion()).toStdString(),
        MessageIcon::None);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Seen before the list handles the press, so the press starts with a clean slate.
    if (watched == ui_->lstTblInfo->viewport() && event->type() == QEvent::MouseButtonPress) {
        selectionChangedSincePress_ = false;
    }
    if (watched == ui_->lstTblInfo && event->type() == QEvent::KeyPress) {
        return MoveKeyChoosesCurrentLine(*static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::MoveKeyChoosesCurrentLine(const QKeyEvent& key) {
    // With no line selected, a key that moves through the list first chooses the line that has
    // the focus frame: otherwise the only line, already current, could never be chosen by keys.
    static constexpr int kMoveKeys[] = {Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                                        Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
    if (std::find(std::begin(kMoveKeys), std::end(kMoveKeys), key.key()) == std::end(kMoveKeys) ||
        key.modifiers() != Qt::NoModifier || document_.Order().LineCount() == 0 ||
        selection_.SelectedLine() >= 0) {
        return false;
    }
    const QModelIndex current = selection_.currentIndex();
    selection_.setCurrentIndex(current.isValid() ? current : ui_->lstTblInfo->model()->index(0, 0),
                               QItemSelectionModel::ClearAndSelect);
    return true;
}

void MainWindow::SelectionChanged() {
    selectionChangedSincePress_ = true;
    if (selection_.IsQuiet() || selection_.SelectedLine() < 0) return;
    emit orderLineChosen();
    rules_.LineChosen();
}

void MainWindow::LinePressed() {
    pressChangedSelection_ = std::exchange(selectionChangedSincePress_, false);
}

void MainWindow::LineClicked() {
    // A click on the line already selected chooses it again; a click that selected a new line
    // was answered when the selection changed.
    if (std::exchange(pressChangedSelection_, false)) return;
    if (selection_.SelectedLine() < 0) return;
    emit orderLineChosen();
    rules_.LineChosen();
}

}  // namespace glyphwright

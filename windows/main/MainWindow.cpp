#include "MainWindow.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QSignalBlocker>

#include "ConfirmExit.h"
#include "MakeTable.h"
#include "RunAction.h"
#include "WindowFrame.h"
#include "WindowManager.h"
#include "core/BuiltInSets.h"
#include "dialogs/IncludeChooser.h"
#include "dialogs/RelativeStartDialog.h"
#include "ui_frmGlyphwright.h"

namespace glyphwright {

MainWindow::MainWindow(WindowManager& windows)
    : windows_(windows), ui_(std::make_unique<Ui::frmGlyphwright>()) {
    ui_->setupUi(this);
    ApplyWindowFrame(*this);
    // Every line is one line of text in one font; without this the list measures all of its
    // lines again whenever one is added or removed.
    ui_->lstTblInfo->setUniformItemSizes(true);
    // Typed text is read as it stands: no completion, and Enter adds nothing to the list.
    ui_->cmbSelection->setCompleter(nullptr);

    const auto guarded = [this](void (MainWindow::*action)()) {
        return [this, action] {
            RunAction(windows_.queries(), [this, action] { (this->*action)(); });
        };
    };
    connect(ui_->cmdInclude, &QPushButton::clicked, this, guarded(&MainWindow::Include));
    connect(ui_->cmdRemove, &QPushButton::clicked, this, guarded(&MainWindow::Remove));
    connect(ui_->cmdSave, &QPushButton::clicked, this, guarded(&MainWindow::MakeTableFromWindow));
    // The exit sequence destroys this window, so it runs from the event loop, not from here.
    connect(
        ui_->cmdExit, &QPushButton::clicked, &windows_,
        [&windows = windows_] {
            RunAction(windows.queries(), [&windows] { ConfirmExit(windows, windows.queries()); });
        },
        Qt::QueuedConnection);
    // A line chosen by mouse or arrow keys, or a click on the line already chosen.
    connect(ui_->lstTblInfo, &QListWidget::itemSelectionChanged, this,
            guarded(&MainWindow::OrderLineChosen));
    connect(ui_->lstTblInfo, &QListWidget::itemClicked, this,
            guarded(&MainWindow::OrderLineChosen));

    ui_->lstTblInfo->setFocus();
    Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::Load() {
    for (const CharacterSet& set : BuiltInSets()) {
        ui_->cmbSelection->addItem(
            QString::fromUtf8(set.name.data(), static_cast<qsizetype>(set.name.size())));
    }
    // Filling the list picks its first entry; the selector starts with nothing picked.
    ui_->cmbSelection->setCurrentIndex(-1);
    ui_->cmbSelection->clearEditText();
}

int MainWindow::OrderLineCount() const {
    return ui_->lstTblInfo->count();
}

int MainWindow::SelectedOrderLine() const {
    const QList<QListWidgetItem*> selected = ui_->lstTblInfo->selectedItems();
    return selected.isEmpty() ? -1 : ui_->lstTblInfo->row(selected.front());
}

bool MainWindow::IsOrderFull() const {
    return OrderLineCount() >= kMaxOrderLines;
}

void MainWindow::AppendOrderLine(const QString& text) {
    ui_->lstTblInfo->addItem(text);
}

QString MainWindow::SelectionText() const {
    return ui_->cmbSelection->currentText();
}

void MainWindow::EnableRemove() {
    ui_->cmdRemove->setEnabled(true);
}

void MainWindow::EnableMakeTable() {
    ui_->cmdSave->setEnabled(true);
}

QFileDialog& MainWindow::SaveDialog() {
    if (cdgSaveFile_ == nullptr) {
        cdgSaveFile_ = new QFileDialog(this);
        cdgSaveFile_->setObjectName(QStringLiteral("cdgSaveFile"));
        cdgSaveFile_->setAcceptMode(QFileDialog::AcceptSave);
        cdgSaveFile_->setFileMode(QFileDialog::AnyFile);
        cdgSaveFile_->setWindowModality(Qt::WindowModal);
    }
    return *cdgSaveFile_;
}

std::optional<std::string> MainWindow::AskSavePath(const std::string& filter) {
    QFileDialog& dialog = SaveDialog();
    dialog.setNameFilter(QString::fromStdString(filter));
    if (!lastSavePath_.isEmpty()) dialog.selectFile(lastSavePath_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    lastSavePath_ = chosen.front();
    return QFile::encodeName(lastSavePath_).toStdString();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box ends the program at once, without the exit sequence's questions.
    event->accept();
    QMetaObject::invokeMethod(&windows_, &WindowManager::End, Qt::QueuedConnection);
}

void MainWindow::Include() {
    WindowManager::Show(windows_.Pick());
}

void MainWindow::Remove() {
    const int line = SelectedOrderLine();
    if (line < 0) return;  // nothing selected, nothing to remove
    // The records move up with their lines, so the list shows what the next table lays.
    windows_.workspace().RemoveOrderLine(line);
    // Removing a line moves the list's current line; that is no choice of the user's, so it
    // must not open the relative start dialog. Afterwards no line is selected.
    const QSignalBlocker quiet(ui_->lstTblInfo);
    delete ui_->lstTblInfo->takeItem(line);
    ui_->lstTblInfo->clearSelection();
    ui_->lstTblInfo->setCurrentRow(-1);
}

void MainWindow::MakeTableFromWindow() {
    MakeTable(windows_.workspace(), ui_->txtTblStartCode->text().toStdString(),
              ui_->lstTblInfo->count(), windows_.queries());
}

void MainWindow::OrderLineChosen() {
    if (SelectedOrderLine() < 0) return;
    WindowManager::Show(windows_.EnterHexNum());
    EnableRemove();
}

}  // namespace glyphwright

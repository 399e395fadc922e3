#include "QtQueries.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include <algorithm>

namespace glyphwright {
namespace {

QMessageBox::Icon ToBoxIcon(MessageIcon icon) {
    return icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
}

}  // namespace

QtQueries::~QtQueries() = default;

std::optional<std::string> QtQueries::AskText(const std::string& prompt, const std::string& title) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(nullptr, QString::fromStdString(title),
                              QString::fromStdString(prompt), QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

QFileDialog* QtQueries::SaveDialog() {
    if (saveDialog_.isNull() && !owner_.isNull()) {
        saveDialog_ = new QFileDialog(owner_.data());
        saveDialog_->setObjectName(QStringLiteral("cdgSaveFile"));
        saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
        saveDialog_->setFileMode(QFileDialog::AnyFile);
        saveDialog_->setWindowModality(Qt::WindowModal);
        // What the dialog accepted, checked and (for a file that exists) asked about. Its
        // selectedFiles() reads the file list again, which can have moved on by the time exec()
        // returns.
        QObject::connect(saveDialog_.data(), &QFileDialog::fileSelected, saveDialog_.data(),
                [this](const QString& file) {
                    acceptedPath_ = file;
                    acceptedFilter_ = saveDialog_->selectedNameFilter();
                });
    }
    return saveDialog_.data();
}

std::optional<WindowQueries::SaveAnswer> QtQueries::AskSavePath(
    const std::vector<std::string>& filters) {
    QFileDialog* dialog = SaveDialog();
    if (dialog == nullptr) return std::nullopt;
    QStringList names;
    for (const std::string& filter : filters) names << QString::fromStdString(filter);
    dialog->setNameFilters(names);
    if (!lastFilter_.isEmpty()) dialog->selectNameFilter(lastFilter_);
    if (!lastSavePath_.isEmpty()) dialog->selectFile(lastSavePath_);
    acceptedPath_.clear();
    if (dialog->exec() != QDialog::Accepted || acceptedPath_.isEmpty()) return std::nullopt;
    lastSavePath_ = acceptedPath_;
    lastFilter_ = acceptedFilter_;
    return SaveAnswer{QFile::encodeName(lastSavePath_).toStdString(),
                      std::max(0, static_cast<int>(names.indexOf(lastFilter_)))};
}

std::optional<std::string> QtQueries::AskOpenPath(const std::string& title) {
    QFileDialog dialog(owner_.data(), QString::fromStdString(title), lastOpenFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // As with saving: the file the dialog accepted, not what its list shows afterwards.
    QString path;
    QObject::connect(&dialog, &QFileDialog::fileSelected, &dialog,
                     [&path](const QString& file) { path = file; });
    if (dialog.exec() != QDialog::Accepted || path.isEmpty()) return std::nullopt;
    lastOpenFolder_ = QFileInfo(path).absolutePath();
    return QFile::encodeName(path).toStdString();
}

void QtQueries::ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(ToBoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool QtQueries::AskYesNo(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(ToBoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace glyphwright

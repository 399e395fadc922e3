#include "QtQueries.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "GameTextMessages.h"
#include "ProgramMessages.h"

namespace glyphwright {
namespace {

QMessageBox::Icon ToBoxIcon(MessageIcon icon) {
    return icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
}

// Runs a file dialog; the file it accepted, or nothing. That is the file it checked (and, saving
// over one, asked about). Its selectedFiles() would read its file list again, which can have
// moved on by the time exec() returns.
QString RunForFile(QFileDialog& dialog) {
    QString accepted;
    const QMetaObject::Connection noting =
        QObject::connect(&dialog, &QFileDialog::fileSelected, &dialog,
                         [&accepted](const QString& file) { accepted = file; });
    const bool ok = dialog.exec() == QDialog::Accepted;
    QObject::disconnect(noting);
    return ok ? accepted : QString();
}

// The toolkit reads file names as UTF-8 and turns bytes that are none into U+FFFD: such a name
// would be written or read as another one. It is refused with a word why.
bool NameIsExact(const QString& path, QtQueries& queries) {
    if (!path.contains(QChar(QChar::ReplacementCharacter))) return true;
    queries.ShowMessage(ProgramMessages::Title().toStdString(),
                        GameTextMessages::FileNameNotUtf8(path).toStdString(),
                        MessageIcon::Exclamation);
    return false;
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
    }
    return saveDialog_.data();
}

std::optional<WindowQueries::SaveAnswer> QtQueries::AskSavePath(
    const std::vector<std::string>& filters, const std::string& offered) {
    QFileDialog* dialog = SaveDialog();
    if (dialog == nullptr) return std::nullopt;
    QStringList names;
    for (const std::string& filter : filters) names << QString::fromStdString(filter);
    dialog->setNameFilters(names);
    if (!lastFilter_.isEmpty()) dialog->selectNameFilter(lastFilter_);
    QString& last = lastSavePaths_[names];
    // Always selected, even when empty: the name of another kind of file, saved the last time,
    // is never offered.
    dialog->selectFile(offered.empty() ? last
                                       : QFile::decodeName(QByteArray::fromStdString(offered)));
    const QString accepted = RunForFile(*dialog);
    if (accepted.isEmpty() || !NameIsExact(accepted, *this)) return std::nullopt;
    last = accepted;
    lastFilter_ = dialog->selectedNameFilter();
    return SaveAnswer{QFile::encodeName(accepted).toStdString(), lastFilter_.toStdString()};
}

std::optional<std::string> QtQueries::AskOpenPath(const std::string& title) {
    const auto answer = AskOpenPathOfType(title, {});
    if (!answer) return std::nullopt;
    return answer->path;
}

std::optional<WindowQueries::OpenAnswer> QtQueries::AskOpenPathOfType(
    const std::string& title, const std::vector<std::string>& filters) {
    QFileDialog dialog(owner_.data(), QString::fromStdString(title), lastOpenFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!filters.empty()) {
        QStringList names;
        for (const std::string& filter : filters) names << QString::fromStdString(filter);
        dialog.setNameFilters(names);
    }
    const QString path = RunForFile(dialog);
    if (path.isEmpty() || !NameIsExact(path, *this)) return std::nullopt;
    lastOpenFolder_ = QFileInfo(path).absolutePath();
    return OpenAnswer{QFile::encodeName(path).toStdString(),
                      filters.empty() ? std::string() : dialog.selectedNameFilter().toStdString()};
}

void QtQueries::ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(ToBoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

WindowQueries::Choice QtQueries::AskSaveDiscardCancel(const std::string& title,
                                                      const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(title),
                    QString::fromStdString(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setWindowModality(Qt::ApplicationModal);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Choice::Save;
        case QMessageBox::Discard:
            return Choice::Discard;
        default:
            return Choice::Cancel;
    }
}

bool QtQueries::AskYesNo(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(ToBoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace glyphwright

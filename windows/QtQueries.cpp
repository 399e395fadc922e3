#include "QtQueries.h"

#include <QInputDialog>
#include <QMessageBox>

#include "WindowManager.h"
#include "main/MainWindow.h"

namespace glyphwright {
namespace {

QMessageBox::Icon ToBoxIcon(MessageIcon icon) {
    return icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
}

}  // namespace

std::optional<std::string> QtQueries::AskText(const std::string& prompt, const std::string& title) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(nullptr, QString::fromStdString(title),
                              QString::fromStdString(prompt), QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<std::string> QtQueries::AskSavePath(const std::string& filter) {
    if (windows_ == nullptr) return std::nullopt;
    return windows_->Main().AskSavePath(filter);
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

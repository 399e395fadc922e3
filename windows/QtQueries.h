#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

#include <map>

#include "WindowQueries.h"

class QFileDialog;
class QWidget;

namespace glyphwright {

// The real modal boxes: an input box and message boxes, modal to the whole program, and the main
// window's Save dialog cdgSaveFile and its open dialog, modal to that window.
class QtQueries final : public WindowQueries {
public:
    QtQueries() = default;
    ~QtQueries() override;
    QtQueries(const QtQueries&) = delete;
    QtQueries& operator=(const QtQueries&) = delete;

    // The window the Save dialog belongs to; the windows are made after this object.
    void SetSaveDialogOwner(QWidget& owner) { owner_ = &owner; }

    [[nodiscard]] std::optional<std::string> AskText(const std::string& prompt,
                                                     const std::string& title) override;
    [[nodiscard]] std::optional<SaveAnswer> AskSavePath(const std::vector<std::string>& filters,
                                                        const std::string& offered) override;
    [[nodiscard]] std::optional<std::string> AskOpenPath(const std::string& title) override;
    [[nodiscard]] std::optional<OpenAnswer> AskOpenPathOfType(
        const std::string& title, const std::vector<std::string>& filters) override;
    void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) override;
    [[nodiscard]] Choice AskSaveDiscardCancel(const std::string& title,
                                              const std::string& text) override;
    [[nodiscard]] bool AskYesNo(const std::string& title, const std::string& text,
                                MessageIcon icon) override;

    // The Save dialog, made the first time it is needed: Qt's file dialog builds a file system
    // model and views, which would cost every start-up its time and memory.
    [[nodiscard]] QFileDialog* SaveDialog();

private:
    QPointer<QWidget> owner_;
    QPointer<QFileDialog> saveDialog_;
    // The file last saved with each set of filters, offered again the next time with the filter
    // chosen with it: a project's Save As never offers the table's name.
    std::map<QStringList, QString> lastSavePaths_;
    QString lastFilter_;
    QString lastOpenFolder_;  // the open dialog starts where the last game file was
};

}  // namespace glyphwright

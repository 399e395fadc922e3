#pragma once

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

#include "ExportScriptJob.h"
#include "core/table/Document.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace glyphwright {

class DocumentHistory;
class OpenGameFile;
class WindowQueries;

// Export Script: the game's script as an Atlas script, read through the table as MAKE TABLE would
// make it now, from the pointer blocks and the range the project keeps. Adding, editing (F2 or a
// double click in the list) or removing a block and changing the range are document changes,
// undone like any other. The export runs on its thread with progress and Stop; after it the dialog
// tells what was written, every problem found at its place, and the codes read without an entry.
class ExportScriptDialog final : public QDialog, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExportScriptDialog)

public:
    ExportScriptDialog(DocumentHistory& history, OpenGameFile& game, WindowQueries& user,
                       QWidget* parent = nullptr);
    ~ExportScriptDialog() override;

private:
    void DocumentAboutToChange(const DocumentChange&) override {}
    void DocumentChanged(const DocumentChange& change) override;
    void ShowSettings();
    void AddBlock();
    void RemoveBlock();
    void BlockEdited(int row);
    // The block as the dump reads it back, so the project holds one spelling of each; none where
    // it reads as no block (the user is told why).
    std::optional<QString> Spelled(const QString& typed);
    void KeepRange();
    void KeepInserter();
    void Export();
    void Stop();
    void Finished();
    void Enable();
    void Refuse(const QString& text);

    DocumentHistory& history_;
    OpenGameFile& game_;
    WindowQueries& user_;
    QListWidget* blocks_;
    QLineEdit* newBlock_;
    QPushButton* add_;
    QPushButton* remove_;
    QLineEdit* range_;
    QComboBox* inserter_;  // Atlas first
    QPushButton* export_;
    QPushButton* stop_;
    QProgressBar* progress_;
    QPlainTextEdit* report_;
    std::unique_ptr<ExportScriptJob> job_;
    std::string scriptPath_;  // of the export running or last run
    bool showing_ = false;  // the list is being filled from the settings
};

}  // namespace glyphwright

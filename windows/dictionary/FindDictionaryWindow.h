#pragma once

#include <QWidget>

#include <memory>
#include <vector>

#include "DictionaryJob.h"
#include "core/dictionary/FindDictionary.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace glyphwright {

class DocumentHistory;
class OpenGameFile;

// frmFindDictionary, Tools > Find Dictionary…: looks through the open game for where it spells out
// the codes its script uses that the table lacks, on a thread with progress and Stop, lists the
// entries found with the text each gives, and Accept puts them all into the table as one step
// that Undo takes back.
class FindDictionaryWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindDictionaryWindow)

public:
    FindDictionaryWindow(DocumentHistory& history, OpenGameFile& game);
    ~FindDictionaryWindow() override;

    // The entries listed now.
    [[nodiscard]] const std::vector<DictionaryEntry>& Proposed() const { return proposed_; }

private:
    void Find();
    void Stop();
    void Finished();
    void Accept();
    void ShowEntries();
    void Enable();

    DocumentHistory& history_;
    OpenGameFile& game_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* find_;
    QPushButton* stop_;
    QPushButton* accept_;
    QTableWidget* entries_;
    std::unique_ptr<DictionaryJob> job_;
    std::vector<DictionaryEntry> proposed_;
};

}  // namespace glyphwright

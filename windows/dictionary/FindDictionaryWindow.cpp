#include "FindDictionaryWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <variant>

#include "DictionaryJob.h"
#include "DictionaryMessages.h"
#include "DocumentHistory.h"
#include "HexText.h"
#include "GameFileMessages.h"
#include "OpenGameFile.h"
#include "core/dictionary/LetterTable.h"
#include "core/table/DocumentCommand.h"
#include "core/text/EucJp.h"

namespace glyphwright {

FindDictionaryWindow::FindDictionaryWindow(DocumentHistory& history, OpenGameFile& game)
    : history_(history),
      game_(game),
      status_(new QLabel),
      progress_(new QProgressBar),
      find_(new QPushButton(DictionaryMessages::FindButton())),
      stop_(new QPushButton(DictionaryMessages::StopButton())),
      accept_(new QPushButton(DictionaryMessages::AcceptButton())),
      entries_(new QTableWidget(0, 3)) {
    setObjectName(QStringLiteral("frmFindDictionary"));
    setWindowTitle(DictionaryMessages::WindowTitle());
    status_->setObjectName(QStringLiteral("lblFound"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    progress_->setObjectName(QStringLiteral("barProgress"));
    progress_->setRange(0, 100);
    find_->setObjectName(QStringLiteral("cmdFind"));
    stop_->setObjectName(QStringLiteral("cmdStop"));
    accept_->setObjectName(QStringLiteral("cmdAccept"));
    entries_->setObjectName(QStringLiteral("tblEntries"));
    entries_->setHorizontalHeaderLabels({DictionaryMessages::CodeColumn(),
                                         DictionaryMessages::TextColumn(),
                                         DictionaryMessages::UsesColumn()});
    entries_->verticalHeader()->hide();
    entries_->horizontalHeader()->setStretchLastSection(true);
    entries_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    entries_->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(find_);
    buttons->addWidget(stop_);
    buttons->addWidget(progress_, 1);
    buttons->addWidget(accept_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(status_);
    layout->addWidget(entries_, 1);
    resize(520, 480);

    connect(find_, &QPushButton::clicked, this, &FindDictionaryWindow::Find);
    connect(stop_, &QPushButton::clicked, this, &FindDictionaryWindow::Stop);
    connect(accept_, &QPushButton::clicked, this, &FindDictionaryWindow::Accept);
    connect(&game_, &OpenGameFile::changed, this, [this] {
        // Entries found in another file say nothing of this one.
        job_.reset();
        proposed_.clear();
        ShowEntries();
        status_->clear();
        Enable();
    });
    Enable();
}

FindDictionaryWindow::~FindDictionaryWindow() = default;

void FindDictionaryWindow::Enable() {
    const bool running = job_ != nullptr;
    find_->setEnabled(!running && game_.File().has_value());
    stop_->setEnabled(running);
    accept_->setEnabled(!running && !proposed_.empty());
    if (!game_.File() && !running) status_->setText(GameFileMessages::NoGameFile());
}

void FindDictionaryWindow::Find() {
    if (!game_.File() || job_) return;
    const Document& document = history_.Doc();
    proposed_.clear();
    ShowEntries();
    progress_->setValue(0);
    status_->setText(DictionaryMessages::Searching(0));
    job_ = StartFindDictionary(
        *game_.File(), LetterTableOf(document.TableText().Texts(), document.TableText().Kinds()));
    connect(job_.get(), &DictionaryJob::progressValueChanged, this, [this](int percent) {
        progress_->setValue(percent);
        status_->setText(DictionaryMessages::Searching(percent));
    });
    connect(job_.get(), &DictionaryJob::finished, this, &FindDictionaryWindow::Finished);
    Enable();
}

void FindDictionaryWindow::Stop() {
    if (job_) job_->Cancel();
}

void FindDictionaryWindow::Finished() {
    const DictionaryOutcome outcome = TakeFinished(job_, DictionaryOutcome{DictionaryCancelled{}});
    if (const auto* findings = std::get_if<DictionaryFindings>(&outcome)) {
        progress_->setValue(100);
        if (findings->missing.empty()) {
            status_->setText(DictionaryMessages::NothingMissing());
        } else if (findings->found.empty()) {
            status_->setText(DictionaryMessages::NothingFound(findings->missing));
        } else {
            const FoundDictionary& best = findings->found.front();
            proposed_ = best.entries;
            status_->setText(DictionaryMessages::Found(best) + QLatin1Char('\n') +
                             DictionaryMessages::KnownText(best));
        }
    } else if (const auto* failed = std::get_if<GameFileError>(&outcome)) {
        status_->setText(GameFileMessages::Failure(*failed));
    } else {
        progress_->setValue(0);
        status_->setText(DictionaryMessages::Stopped());
    }
    ShowEntries();
    Enable();
}

void FindDictionaryWindow::ShowEntries() {
    entries_->setRowCount(static_cast<int>(proposed_.size()));
    for (int row = 0; row < entries_->rowCount(); ++row) {
        const DictionaryEntry& entry = proposed_[static_cast<std::size_t>(row)];
        entries_->setItem(row, 0, new QTableWidgetItem(HexNumber(entry.code)));
        entries_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(entry.text)));
        entries_->setItem(row, 2, new QTableWidgetItem(QString::number(entry.uses)));
    }
}

void FindDictionaryWindow::Accept() {
    std::vector<std::pair<TableCode, TableEntry>> put;
    for (const DictionaryEntry& entry : proposed_) {
        put.emplace_back(TableCode::OneByte(entry.code),
                         TableEntry{entry.text, EntryKind::Ordinary});
    }
    history_.Run(DocumentCommand::PutEntries(history_.Doc(), put),
                 DictionaryMessages::AcceptUndoText(static_cast<int>(put.size())));
    status_->setText(DictionaryMessages::Accepted(static_cast<int>(put.size())));
    proposed_.clear();
    ShowEntries();
    Enable();
}

}  // namespace glyphwright

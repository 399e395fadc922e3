#include "RelativeSearchWindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QProgressBar>
#include <QShortcut>
#include <QUndoStack>

#include <algorithm>
#include <optional>

#include <variant>

#include "CommandRules.h"
#include "DocumentHistory.h"
#include "GameFileMessages.h"
#include "MiddleElision.h"
#include "OpenGameFile.h"
#include "OrderSelection.h"
#include "ProgramMessages.h"
#include "RunAction.h"
#include "SearchMessages.h"
#include "SearchResultsModel.h"
#include "TableOrderMessages.h"
#include "WindowQueries.h"
#include "core/sets/SetCatalogue.h"
#include "ui_frmRelativeSearch.h"

namespace glyphwright {

namespace {
constexpr LetterWidth kWidths[] = {LetterWidth::OneByte, LetterWidth::TwoBytesLittleEndian,
                                   LetterWidth::TwoBytesBigEndian};
}  // namespace

RelativeSearchWindow::RelativeSearchWindow(DocumentHistory& history, OrderSelection& selection,
                                           OpenGameFile& game, CommandRules& rules,
                                           WindowQueries& user)
    : history_(history),
      selection_(selection),
      game_(game),
      rules_(rules),
      user_(user),
      ui_(std::make_unique<Ui::frmRelativeSearch>()),
      results_(new SearchResultsModel(this)) {
    ui_->setupUi(this);
    ui_->cmbWidth->addItems(SearchMessages::LetterWidths());
    ui_->tvwResults->setModel(results_);
    ui_->tvwResults->header()->setStretchLastSection(true);

    const auto guarded = [this](auto action) { return Guarded(user_, this, action); };
    connect(ui_->cmdOpen, &QPushButton::clicked, this, &RelativeSearchWindow::openRequested);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            &RelativeSearchWindow::openRequested);
    connect(ui_->cmdSearch, &QPushButton::clicked, this, guarded(&RelativeSearchWindow::Search));
    connect(ui_->txtWord, &QLineEdit::returnPressed, this, guarded(&RelativeSearchWindow::Search));
    connect(ui_->cmdCancel, &QPushButton::clicked, this, [this] {
        if (job_) job_->Cancel();
    });
    connect(ui_->cmdUseStart, &QPushButton::clicked, this,
            guarded(&RelativeSearchWindow::UseStartCode));
    connect(ui_->cmdShowText, &QPushButton::clicked, this, &RelativeSearchWindow::ShowText);
    connect(ui_->tvwResults, &QTreeView::doubleClicked, this, &RelativeSearchWindow::ShowText);
    connect(ui_->tvwResults->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &RelativeSearchWindow::CurrentResultChanged);
    connect(&game_, &OpenGameFile::changed, this, &RelativeSearchWindow::FileChanged);
    FileChanged();
    ui_->txtWord->setFocus();
}

RelativeSearchWindow::~RelativeSearchWindow() = default;

void RelativeSearchWindow::SetSearchOptions(const SearchOptions& options,
                                            SearchBlockHook hook) {
    options_ = options;
    hook_ = std::move(hook);
}

void RelativeSearchWindow::closeEvent(QCloseEvent* event) {
    StopSearch();
    event->accept();
}

void RelativeSearchWindow::Tell(const QString& text) {
    user_.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                      MessageIcon::Exclamation);
}

void RelativeSearchWindow::FileChanged() {
    // What was found belongs to the file searched.
    StopSearch();
    results_->Clear();
    const auto& file = game_.File();
    // A long path is cut in the middle, where it says least; the tooltip holds all of it.
    MiddleElision::Show(
        *ui_->lblFile,
        file ? GameFileMessages::GameFileShown(QString::fromLocal8Bit(file->Path()), file->Size())
             : GameFileMessages::NoGameFile());
    ui_->cmdSearch->setEnabled(file.has_value());
    ui_->lblStatus->clear();
    CurrentResultChanged();
}

void RelativeSearchWindow::SetSearching(bool searching) {
    ui_->cmdSearch->setEnabled(!searching && game_.File().has_value());
    ui_->cmdCancel->setEnabled(searching);
    ui_->prgSearch->setValue(0);
}

void RelativeSearchWindow::Search() {
    const auto& file = game_.File();
    if (!file || job_) return;
    const auto width = kWidths[std::clamp(ui_->cmbWidth->currentIndex(), 0, 2)];
    auto search = RelativeSearch::Prepare(ui_->txtWord->text().toStdString(), width,
                                          history_.Doc().Catalogue().Sets());
    if (!search) {
        Tell(SearchMessages::Failure(search.error()));
        return;
    }
    results_->Clear();
    running_ = search.value();
    job_ = StartSearch(search.value(), *file, options_, hook_);
    connect(job_.get(), &SearchJob::progressValueChanged, ui_->prgSearch, &QProgressBar::setValue);
    connect(job_.get(), &SearchJob::finished, this,
            [this] { RunAction(user_, [this] { Finished(); }); });
    SetSearching(true);
    ui_->lblStatus->setText(SearchMessages::Searching());
}

void RelativeSearchWindow::StopSearch() {
    if (!job_) return;
    job_.reset();  // cancels and waits: the search stops before its next block
    running_.reset();
    SetSearching(false);
    ui_->lblStatus->setText(SearchMessages::SearchCancelled());
}

void RelativeSearchWindow::Finished() {
    // Not TakeFinished(): building the stand-in outcome of a search cancelled before it began
    // (a variant inside a Result) makes GCC 12 in the sanitizer build warn falsely of an
    // uninitialized string, inline or not.
    SearchJob* job = job_.release();
    job->deleteLater();  // still sending this signal: it goes once back in the event loop
    if (job->future().resultCount() == 0) {
        running_.reset();
        SetSearching(false);
        ui_->lblStatus->setText(SearchMessages::SearchCancelled());
        return;
    }
    const SearchOutcome outcome = job->future().takeResult();
    const RelativeSearch search = *running_;
    running_.reset();
    SetSearching(false);
    if (!outcome.ok()) {
        if (std::holds_alternative<SearchCancelled>(outcome.error())) {
            ui_->lblStatus->setText(SearchMessages::SearchCancelled());
            return;
        }
        const QString why = GameFileMessages::Failure(std::get<GameFileError>(outcome.error()));
        ui_->lblStatus->setText(why);
        Tell(why);
        return;
    }
    const SearchResults& found = outcome.value();
    ui_->lblStatus->setText(found.hitCount == 0
                                ? SearchMessages::SearchFoundNothing()
                                : SearchMessages::SearchFound(
                                      found.hitCount, static_cast<qsizetype>(found.groups.size())));
    // A search ends before the file it read is replaced: FileChanged stops it.
    results_->Show(search, *game_.File(), found);
    if (results_->rowCount() > 0) {
        // The start code found most often, with the places it was found.
        ui_->tvwResults->setCurrentIndex(results_->index(0, 0));
        ui_->tvwResults->expand(results_->index(0, 0));
        for (int column = 0; column < SearchResultsModel::Text; ++column) {
            ui_->tvwResults->resizeColumnToContents(column);
        }
    }
}

void RelativeSearchWindow::CurrentResultChanged() {
    const bool chosen = results_->GroupAt(ui_->tvwResults->currentIndex()) != nullptr;
    ui_->cmdUseStart->setEnabled(chosen);
    ui_->cmdShowText->setEnabled(chosen);
}

void RelativeSearchWindow::ShowText() {
    if (const auto offset = results_->OffsetAt(ui_->tvwResults->currentIndex())) {
        emit showTextRequested(*offset);
    }
}

void RelativeSearchWindow::UseStartCode() {
    const HitGroup* group = results_->GroupAt(ui_->tvwResults->currentIndex());
    if (group == nullptr) {
        Tell(SearchMessages::NoResultSelected());
        return;
    }
    const QString setName = results_->SetName(group->set);
    const std::string name = setName.toStdString();
    const std::optional<TableCode> twoByte = results_->TwoByteStart(*group);
    if (!group->fits && !twoByte) {
        Tell(SearchMessages::GroupPastFF(setName, group->start));
        return;
    }
    if (group->start == 0) {
        Tell(SearchMessages::NoOwnStartZero(setName));
        return;
    }
    const TableCode start =
        twoByte ? *twoByte : TableCode::OneByte(static_cast<ByteCode>(group->start));
    const Document& document = history_.Doc();
    const TableOrder& order = document.Order();
    const int selected = selection_.SelectedLine();
    const bool toSelected = selected >= 0 && order.SetNameOf(selected) == name;
    if (!toSelected && order.IsFull()) {
        Tell(TableOrderMessages::OrderFull());
        return;
    }
    // The members of a two-byte start follow on in the byte order the game was found to use.
    // The Table Order counts in one order for all its lines: it takes the search's while no other
    // line has a two-byte start.
    std::optional<CodeOrder> newOrder;
    if (const auto searched = results_->SearchedOrder();
        twoByte && *searched != document.TwoByteOrder()) {
        for (int line = 0; line < order.LineCount(); ++line) {
            const auto other = order.StartCodeOf(line);
            if (line != (toSelected ? selected : -1) && other && other->IsTwoByte()) {
                Tell(SearchMessages::CodeOrderConflict(setName,
                                                       *searched == CodeOrder::LittleEndian));
                return;
            }
        }
        newOrder = searched;
    }
    // One step to undo, the byte order with the start.
    QUndoStack& steps = history_.Stack();
    steps.beginMacro(toSelected ? TableOrderMessages::RelativeStartAction(setName)
                                : TableOrderMessages::IncludeAction(setName));
    const struct EndStep {
        QUndoStack& steps;
        ~EndStep() { steps.endMacro(); }
    } endStep{steps};
    QString orderNote;
    if (newOrder) {
        history_.Run(DocumentCommand::SetCodeOrder(document, *newOrder), QString());
        orderNote = QLatin1Char(' ') +
                    SearchMessages::CodeOrderFollowsSearch(*newOrder == CodeOrder::LittleEndian);
    }
    if (toSelected) {
        history_.Run(DocumentCommand::SetLineStart(document, selected, start),
                     TableOrderMessages::RelativeStartAction(setName));
        ui_->lblStatus->setText(SearchMessages::StartApplied(selected + 1, setName, start) +
                                orderNote);
        return;
    }
    // As "Relative  Entry" adds a set.
    rules_.RelativeEntryPressed();
    history_.Run(DocumentCommand::IncludeSet(document, name, std::optional<TableCode>(start)),
                 TableOrderMessages::IncludeAction(setName));
    const int added = order.LineCount() - 1;
    rules_.SetIncluded();
    selection_.SelectQuietly(added);
    ui_->lblStatus->setText(SearchMessages::SetAdded(added + 1, setName, start) + orderNote);
}

}  // namespace glyphwright

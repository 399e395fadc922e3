#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

#include "SearchJob.h"

namespace Ui {
class frmRelativeSearch;
}

namespace glyphwright {

class CommandRules;
class OpenGameFile;
class OrderSelection;
class SearchResultsModel;
class DocumentHistory;
class WindowQueries;

// frmRelativeSearch: finds a known word in the open game file by the steps between its letters'
// codes, ranks the start codes the hits imply, and puts the chosen one into the Table Order.
// Closing the window stops its search and keeps what it found.
class RelativeSearchWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RelativeSearchWindow)

public:
    RelativeSearchWindow(DocumentHistory& history, OrderSelection& selection, OpenGameFile& game,
                         CommandRules& rules, WindowQueries& user);
    ~RelativeSearchWindow() override;

    [[nodiscard]] bool IsSearching() const { return job_ != nullptr; }
    // For tests: the block size and the like, and a call after each block on the search's thread.
    void SetSearchOptions(const SearchOptions& options, SearchBlockHook hook = {});

signals:
    void openRequested();                          // "Open…", or the platform's Open key
    void showTextRequested(std::uint64_t offset);  // "Show in Game Text", or a double click

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FileChanged();
    void Search();
    void Finished();
    void StopSearch();
    void UseStartCode();
    void ShowText();
    void CurrentResultChanged();
    void SetSearching(bool searching);
    void Tell(const QString& text);

    DocumentHistory& history_;
    OrderSelection& selection_;
    OpenGameFile& game_;
    CommandRules& rules_;
    WindowQueries& user_;
    std::unique_ptr<Ui::frmRelativeSearch> ui_;
    SearchResultsModel* results_;
    SearchOptions options_;
    SearchBlockHook hook_;
    std::unique_ptr<SearchJob> job_;
    std::optional<RelativeSearch> running_;  // the search the job runs
};

}  // namespace glyphwright

#pragma once

#include <QWidget>

#include <memory>
#include <vector>

#include "FontFindJob.h"
#include "core/fontfind/FontFinder.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace glyphwright {

class DocumentHistory;
class OpenGameFile;
class StreamListModel;
struct FoundStream;

// frmFindFont, Tools > Find Font…: looks through the open game for its font, raw and inside every
// packed stream, on a thread with progress and Stop. It lists the candidates best first, each
// with a strip of its first glyphs, and every packed stream found; Open in Font Window (or Enter,
// or a double-click) sets the Font window's format, size, compression and offset to the one
// chosen as one step that Undo takes back, and shows the Font window.
class FindFontWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindFontWindow)

public:
    static constexpr std::size_t kCandidates = 20;

    FindFontWindow(DocumentHistory& history, OpenGameFile& game);
    ~FindFontWindow() override;

    [[nodiscard]] bool Busy() const { return job_ != nullptr; }
    [[nodiscard]] const std::vector<FontCandidate>& Candidates() const { return candidates_; }
    [[nodiscard]] const std::vector<FoundStream>& Streams() const;

signals:
    // A font was opened: the Font window is to be shown.
    void fontOpened();

private:
    void Find();
    void Stop();
    void Finished();
    void Open();
    void OpenCandidate(const FontCandidate& candidate);
    void OpenStream(const FoundStream& stream);
    void Forget();
    void Enable();

    DocumentHistory& history_;
    OpenGameFile& game_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* find_;
    QPushButton* stop_;
    QPushButton* open_;
    QTabWidget* tabs_;
    QTableWidget* candidateTable_;
    QTableView* streamTable_;
    StreamListModel* streams_;
    std::unique_ptr<FontFindJob> job_;
    std::vector<FontCandidate> candidates_;
};

}  // namespace glyphwright

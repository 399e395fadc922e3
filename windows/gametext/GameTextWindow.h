#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;
class QLabel;

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/table/Document.h"
#include "core/game/GameFile.h"

namespace Ui {
class frmGameText;
}

namespace glyphwright {

class DocumentHistory;
class ExportScriptDialog;
class FontPictures;
class GameTextModel;
class OpenGameFile;
class WindowQueries;

// frmGameText: the open game file's bytes from an offset beside the text they read as through the
// table as the code map shows it now. It follows every change of the Table Order, of the start
// code and of the table at once, so the user sees whether the table is right. With the game's font
// anchored, the bytes can also be shown as the game draws them, above the table's reading. With
// pointer blocks kept for the script, the text steps from one pointer's string to the next, and
// Export Script… writes the script the blocks lead to.
class GameTextWindow final : public QWidget, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameTextWindow)

public:
    // Bytes shown at once, and moved by Previous and Next.
    static constexpr std::uint64_t kPageBytes = 4096;

    GameTextWindow(DocumentHistory& history, OpenGameFile& game, WindowQueries& user);
    ~GameTextWindow() override;

    // Shows the bytes from `offset` on.
    void ShowOffset(std::uint64_t offset);

signals:
    void openRequested();  // the platform's Open key

private:
    void DocumentAboutToChange(const DocumentChange&) override {}
    void DocumentChanged(const DocumentChange& change) override;
    void FileChanged();
    void ShowTyped();
    void Turn(bool forward);
    void ReadPage();
    void Decode();
    void ShowGlyphs();
    void StepPointer(bool forward);
    void ExportScript();

    DocumentHistory& history_;
    Document& document_;
    OpenGameFile& game_;
    WindowQueries& user_;
    std::unique_ptr<Ui::frmGameText> ui_;
    GameTextModel* text_;
    FontPictures* glyphs_;
    QCheckBox* glyphsBox_;
    QPushButton* previousPointer_;
    QPushButton* nextPointer_;
    QPushButton* exportScript_;
    ExportScriptDialog* exportDialog_ = nullptr;
    QLabel* missing_;  // the codes of the page the table holds nothing for
    int textHeight_ = 0;  // a row's height for its text alone
    std::uint64_t offset_ = 0;
    std::vector<std::uint8_t> page_;           // the bytes shown, as read at `offset_`
    std::optional<GameFileError> unreadable_;  // why they could not be read
};

}  // namespace glyphwright

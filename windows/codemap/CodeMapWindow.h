#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "core/table/CodeMap.h"
#include "tablefile/TableFormat.h"

class QLabel;

namespace Ui {
class frmCodeMap;
}

namespace glyphwright {

class CodeMapLegend;
class CodeMapModel;
class FontPictures;
class OpenGameFile;
class OrderSelection;
class Document;

// frmCodeMap: the 256 codes of a page (the one-byte codes, or the two-byte codes of one first
// byte) as MAKE TABLE would write them now, coloured by the Table Order line that lays each, with
// the range, the duplicates, or why no file would be made, under the grid.
// With the game's font anchored, each code's glyph stands beside its character.
// It only looks: it changes neither the table nor the order, and selects a line only quietly.
// The close box hides it; it keeps its place and is shown there again.
class CodeMapWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapWindow)

public:
    CodeMapWindow(Document& document, OrderSelection& selection, OpenGameFile& game);
    ~CodeMapWindow() override;

    // Shows the map where it was last, or brings it to the front when it is shown.
    void Present();

    [[nodiscard]] CodeMapModel& Model() { return *model_; }
    [[nodiscard]] const FontPictures& Glyphs() const { return *glyphs_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SizeGrid();
    void ShowWords();
    // The duplicates, as many as fit the two lines under the grid, the rest counted.
    void ShowDuplicates();
    // The pages of two-byte codes that hold something, for the user to go to.
    void ListPagesInUse();
    void ShowPageInUse();
    void SelectLine(int line);
    void FollowSelection();
    // The map's first `count` duplicates, as Messages words them.
    [[nodiscard]] QList<QPair<QString, QList<int>>> Duplicates(std::size_t count) const;

    OrderSelection& selection_;
    std::unique_ptr<Ui::frmCodeMap> ui_;
    CodeMapModel* model_;
    CodeMapLegend* legend_;
    FontPictures* glyphs_;
    bool showingFailure_ = false;
    // The key's lines for the kinds of control code, each shown while the map shows the kind.
    struct KindKey {
        EntryKind kind;
        QLabel* sample;
        QLabel* words;
    };
    std::vector<KindKey> kindKeys_;
    // What the words under the grid were last made from.
    struct Words {
        QString failure;
        int first;
        int last;
        std::vector<DuplicateText> duplicates;
        TableFormat format;
    };
    std::optional<Words> words_;
    QByteArray place_;  // where the window was when last closed
};

}  // namespace glyphwright

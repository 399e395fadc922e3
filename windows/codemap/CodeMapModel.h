#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QString>

#include <array>
#include <vector>

#include "core/table/CodeMap.h"
#include "core/table/Document.h"
#include "core/text/EucJp.h"
#include "tablefile/TableFormat.h"
#include "core/table/TwoBytePage.h"

namespace glyphwright {

// What one cell looks like: all the grid draws, worked out when the cell changes rather than
// each time it is drawn.
struct CellLook {
    QString shown;  // the text, decoded from EUC-JP
    CellSource source = CellSource::Empty;
    int colour = -1;  // colour key of the laying line; -1 for none
    bool overlap = false;
    bool inRange = false;  // written in the chosen format, or empty within the range laid
    EntryKind kind = EntryKind::Ordinary;  // as the file would have it: a laid member is text
};

// The code map as a 16 x 16 table: row = high digit, column = low digit, of the one-byte codes
// or of one page of two-byte codes (those with one first byte). It follows the Table Order, the
// start code and the table's slots as they change, while it is following; a change while it is
// not is caught up when it follows again. A refresh announces only the cells whose
// look changed, so the view repaints those and nothing else.
//
// A line keeps its colour while lines come and go around it, so removing a line recolours
// nothing else.
class CodeMapModel final : public QAbstractTableModel, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapModel)

public:
    enum Role {
        SourceRole = Qt::UserRole + 1,  // int: CellSource
        LineRole,                       // int: 0-based laying line, -1 for none
        OverlapRole,                    // bool: laid over another line's member or a held slot
        WrittenRangeRole,               // bool: not dimmed: see CellLook::inRange
        SelectedLineRole,               // bool: laid by the line selected in the Table Order
        KindRole,                       // int: EntryKind of the code as the file would have it
    };

    explicit CodeMapModel(Document& document, QObject* parent = nullptr);
    ~CodeMapModel() override;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The cell's place on its page, 00-FF: the code itself on the one-byte page, its second byte
    // on a page of two-byte codes.
    [[nodiscard]] static int CodeOf(const QModelIndex& index);
    [[nodiscard]] QModelIndex IndexOf(int code) const;

    // The page shown: kOneBytePage, or the first byte of the two-byte codes shown.
    static constexpr int kOneBytePage = -1;
    [[nodiscard]] int Page() const { return page_; }
    // Shows another page; every cell is announced, and the headers.
    void ShowPage(int page);
    // The code of the cell at `place` on the page shown.
    [[nodiscard]] TableCode CodeAt(int place) const;
    // The pages of two-byte codes that hold something now, held or laid.
    [[nodiscard]] const std::vector<PageInUse>& PagesInUse() const { return pagesInUse_; }

    [[nodiscard]] const CodeMap& Map() const { return map_; }
    // The look of the cell at `code`'s place on the page shown.
    [[nodiscard]] const CellLook& Look(int code) const;
    [[nodiscard]] bool IsOfSelectedLine(int code) const;
    // Bytes of the table as the map shows them: decoded, or in hex where they are no EUC-JP.
    [[nodiscard]] static QString Shown(const std::string& text);
    // The kinds of control code the map shows now, one-byte and two-byte codes alike.
    [[nodiscard]] const std::vector<EntryKind>& KindsShown() const { return kindsShown_; }
    // The colour that marks a kind of control code; none for ordinary text.
    [[nodiscard]] static QColor KindColour(EntryKind kind);
    // Why MAKE TABLE would make no file now, in its own words; empty when it would make one.
    [[nodiscard]] QString FailureText() const;
    // The format the map shows the file in: the one last chosen for the table file, classic
    // when none was.
    [[nodiscard]] TableFormat Format() const { return format_; }
    // Whether MAKE TABLE would write a file in that format now: the order can be laid, and the
    // file can hold what the table would hold then.
    [[nodiscard]] bool MakesFile() const;
    // The colour of the codes a Table Order line lays; neighbouring lines differ.
    [[nodiscard]] QColor ColourOfLine(int line) const;
    [[nodiscard]] int KeyOfLine(int line) const;  // the colour key; -1 for no such line
    [[nodiscard]] static QColor Colour(int key);
    // A face with kana, large enough to read them; Font() is the one the cells are drawn in.
    [[nodiscard]] static QFont CellFont();
    [[nodiscard]] const QFont& Font() const { return font_; }

    // While following, every change is mapped at once; otherwise it is mapped on resuming.
    void SetFollowing(bool following);
    // Composes the map anew from the document and announces what changed.
    void Refresh();
    // Marks the cells laid by `line` (-1: none), the line selected in the Table Order.
    void SetSelectedLine(int line);

signals:
    // After every refresh, once the cells are announced.
    void refreshed();
    // The pages that hold two-byte codes are others now.
    void pagesInUseChanged();

private:
    void DocumentAboutToChange(const DocumentChange& change) override;
    void DocumentChanged(const DocumentChange& change) override;
    void Changed();
    // What the two-byte page `page` shows now, and which pages hold codes.
    [[nodiscard]] std::array<MapCell, kCodeCount> ComposePage(int page) const;
    void FindPagesInUse();
    // Takes `next` as the cells of the page shown; marks the looks that change and returns the
    // block of places that holds them (top, left, bottom, right; top < 0 for none).
    [[nodiscard]] std::array<int, 4> TakeCells(std::array<MapCell, kCodeCount>& next, bool all);
    [[nodiscard]] const MapCell& Cell(int place) const;
    // The entry held at the cell's code; an empty one where none.
    [[nodiscard]] const TableEntry& Held(int place) const;
    void FindKindsShown();
    void AnnounceLine(int line);
    [[nodiscard]] QString ToolTip(int code) const;
    [[nodiscard]] QString LineText(int line) const;

    // Why the file in the format shown could not hold the table MAKE TABLE would leave, `cells`
    // and the two-byte codes: the writer's own refusal, asked of the map's codes.
    [[nodiscard]] std::optional<FormatError> FileRefusal(
        const std::array<MapCell, kCodeCount>& cells) const;

    Document& document_;
    CodeMap map_;
    std::optional<FormatError> refusal_;  // set: laid, but the file would be refused
    TableFormat format_ = TableFormat::Classic;
    int page_ = kOneBytePage;
    std::array<MapCell, kCodeCount> pageCells_{};  // the two-byte page shown
    std::vector<PageInUse> pagesInUse_;
    std::array<CellLook, kCodeCount> looks_;
    std::vector<int> lineKeys_;  // a colour key per Table Order line, moving with its line
    int nextKey_ = 0;
    QFont font_;
    int selectedLine_ = -1;
    std::vector<EntryKind> kindsShown_;
    bool following_ = false;
    bool stale_ = true;
    bool lookAll_ = false;  // the looks are of another page: all of them are made again
};

}  // namespace glyphwright

#pragma once

#include "core/table/TableEntry.h"

#include <QPixmap>
#include <QTableView>

#include <array>

#include "TextPictures.h"

namespace glyphwright {

class FontPictures;

// The grid of the code map: a table view for the keyboard, the mouse, tooltips and screen readers,
// that draws its cells itself, straight from each cell's look. A cell shows the colour of the line
// that lays it, a hatch for a code the table holds already, a red corner for an overlap, a veil
// over codes the file does not cover, a frame round the codes of the selected Table Order line,
// and the keyboard's cell. With the game's font anchored, each code's glyph stands at the left of
// its cell, beside the character.
//
// An include or a relative start changes dozens of cells at once, and the map repaints them while
// the user waits for the action: the view's own way (a style option, a selection check and a
// delegate call per cell) costs several times the drawing itself.
class CodeMapGrid final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapGrid)

public:
    explicit CodeMapGrid(QWidget* parent = nullptr);
    ~CodeMapGrid() override = default;

    // Samples for the key under the legend, drawn as the cells are.
    enum class Mark { Held, Overlap, OutOfRange };
    [[nodiscard]] static QPixmap Sample(Mark mark, int size);
    // A sample of the band that marks a kind of control code.
    [[nodiscard]] static QPixmap KindSample(EntryKind kind, int size);

    // The size that shows every cell: the grid asks for it, and scrolls when given less.
    void SetFullSize(QSize size) {
        fullSize_ = size;
        updateGeometry();
    }
    [[nodiscard]] QSize sizeHint() const override { return fullSize_; }
    // The game's glyphs to draw beside the characters; none: characters alone.
    void SetPictures(const FontPictures* pictures);
    // How many times its size a glyph is drawn in a cell `height` high; 0 when it is not drawn.
    [[nodiscard]] int GlyphZoom(int height) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The hatch of a held code as a tile, plain and dimmed: copied, not drawn line by line.
    [[nodiscard]] static QPixmap HatchTile(bool dim);
    // The red corner of an overlap for cells of one height, plain and dimmed.
    const QPixmap& Corner(int height, bool dim);

    std::array<QPixmap, 2> hatch_;
    std::array<QPixmap, 2> corners_;
    int cornerHeight_ = -1;
    qreal cornerRatio_ = 0;
    TextPictures pictures_;  // the cells' texts, plain and dimmed
    QSize fullSize_;
    const FontPictures* glyphs_ = nullptr;
};

}  // namespace glyphwright

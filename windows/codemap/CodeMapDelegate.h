#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

#include <array>

namespace glyphwright {

// Draws a cell of the code map: the colour of the line that lays it (by the model), a hatch for a
// code the table holds already, a red corner for an overlap, a veil over codes the file does not
// cover, a frame round the codes of the selected Table Order line, and the keyboard's cell.
class CodeMapDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapDelegate)

public:
    explicit CodeMapDelegate(QObject* parent = nullptr);
    ~CodeMapDelegate() override = default;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Samples for the key under the legend, drawn as the cells are.
    enum class Mark { Held, Overlap, OutOfRange };
    [[nodiscard]] static QPixmap Sample(Mark mark, int size);

private:
    // The hatch of a held code as a tile, plain and dimmed: copied, not drawn line by line.
    [[nodiscard]] static QPixmap HatchTile(bool dim);
    std::array<QPixmap, 2> hatch_;
};

}  // namespace glyphwright

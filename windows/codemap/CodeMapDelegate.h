#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

namespace glyphwright {

// Draws a cell of the code map: the colour of the line that lays it (by the model), a hatch for a
// code the table holds already, a red corner for an overlap, a veil over codes the file does not
// cover, a frame round the codes of the selected Table Order line, and the keyboard's cell.
class CodeMapDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    ~CodeMapDelegate() override = default;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Samples for the key under the legend, drawn as the cells are.
    enum class Mark { Held, Overlap, OutOfRange };
    [[nodiscard]] static QPixmap Sample(Mark mark, int size);
};

}  // namespace glyphwright

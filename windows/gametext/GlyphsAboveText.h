#pragma once

#include <QStyledItemDelegate>

namespace glyphwright {

// Draws a cell's picture above its text, at the picture's own size: the game's glyphs over the
// table's reading of the same bytes.
class GlyphsAboveText final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GlyphsAboveText)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    ~GlyphsAboveText() override = default;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace glyphwright

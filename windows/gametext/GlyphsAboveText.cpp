#include "GlyphsAboveText.h"

#include <QImage>

namespace glyphwright {

void GlyphsAboveText::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant picture = index.data(Qt::DecorationRole);
    if (!picture.canConvert<QImage>()) return;
    option->decorationPosition = QStyleOptionViewItem::Top;
    option->decorationAlignment = Qt::AlignLeft | Qt::AlignTop;
    option->decorationSize = picture.value<QImage>().size();
    option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace glyphwright

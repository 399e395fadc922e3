#include "CodeMapLegend.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

#include <utility>

#include "CodeMapModel.h"
#include "Messages.h"
#include "OrderListModel.h"

namespace glyphwright {

CodeMapLegend::CodeMapLegend(OrderListModel& lines, const CodeMapModel& map, QObject* parent)
    : QIdentityProxyModel(parent), lines_(lines), map_(map) {
    setSourceModel(&lines);
    connect(&map_, &CodeMapModel::refreshed, this, &CodeMapLegend::MapRefreshed);
}

QVariant CodeMapLegend::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int line = index.row();
    const bool faulty = line == faultyLine_;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return Messages::CodeMapLegendLine(
                line + 1, QIdentityProxyModel::data(index, Qt::DisplayRole).toString());
        case Qt::DecorationRole:
            // Only a line that names a set lays codes, so only such a line has a colour; the
            // others get an empty swatch, so that the texts stand in one column.
            if (line < lines_.order().LineCount() && !lines_.order().SetNameOf(line).empty()) {
                return map_.ColourOfLine(line);
            }
            return QColor(Qt::transparent);
        case Qt::ForegroundRole:
            if (faulty) return QColor(0xC0, 0x00, 0x00);
            return {};
        case Qt::FontRole:
            if (faulty) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            if (faulty) return map_.FailureText();
            return {};
        default:
            return QIdentityProxyModel::data(index, role);
    }
}

void CodeMapLegend::MapRefreshed() {
    const int faulty = map_.Map().FaultyLine();
    if (faulty == faultyLine_) return;
    const int before = std::exchange(faultyLine_, faulty);
    for (const int line : {before, faulty}) {
        if (line >= 0 && line < rowCount()) emit dataChanged(index(line, 0), index(line, 0));
    }
}

void CodeMapLegendDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    // The line at fault keeps the style's drawing, with its red and bold.
    if (index.data(Qt::ForegroundRole).isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QRect& rect = option.rect;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->save();
    if (selected) painter->fillRect(rect, option.palette.brush(QPalette::Highlight));
    const int side = std::max(4, rect.height() - 6);
    const QRect swatch(rect.x() + 3, rect.y() + (rect.height() - side) / 2, side, side);
    if (const QColor colour = index.data(Qt::DecorationRole).value<QColor>(); colour.alpha() > 0) {
        painter->fillRect(swatch, colour);
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    auto known = texts_.find(text);
    if (known == texts_.end()) {
        if (texts_.size() > 4096) texts_.clear();
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), option.font);
        known = texts_.insert(text, laidOut);
    }
    painter->setFont(option.font);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawStaticText(
        QPointF(swatch.right() + 6, rect.y() + (rect.height() - known->size().height()) / 2),
        *known);
    if ((option.state & QStyle::State_HasFocus) != 0) {
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1, Qt::DotLine));
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

}  // namespace glyphwright

#include "CodeMapLegend.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "CodeMapMessages.h"
#include "CodeMapModel.h"
#include "core/table/TableOrder.h"

namespace glyphwright {

CodeMapLegend::CodeMapLegend(const TableOrder& order, const CodeMapModel& map, QObject* parent)
    : QAbstractListModel(parent), order_(order), map_(map) {
    connect(&map_, &CodeMapModel::refreshed, this, &CodeMapLegend::MapRefreshed);
}

int CodeMapLegend::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int CodeMapLegend::LineAt(int row) const {
    return row >= 0 && row < rowCount() ? entries_[static_cast<std::size_t>(row)].line : -1;
}

int CodeMapLegend::RowOf(int line) const {
    const auto found = std::lower_bound(entries_.begin(), entries_.end(), line,
                                        [](const Entry& entry, int l) { return entry.line < l; });
    return found != entries_.end() && found->line == line
               ? static_cast<int>(found - entries_.begin())
               : -1;
}

QVariant CodeMapLegend::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Entry& entry = entries_[static_cast<std::size_t>(index.row())];
    if (entry.line >= order_.LineCount()) return {};  // the order changed; a refresh follows
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return CodeMapMessages::CodeMapLegendLine(
                entry.line + 1, QString::fromStdString(order_.LineText(entry.line)));
        case Qt::DecorationRole:
            return CodeMapModel::Colour(entry.key);
        case Qt::ForegroundRole:
            if (entry.faulty) return QColor(0xC0, 0x00, 0x00);
            return {};
        case Qt::FontRole:
            if (entry.faulty) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return entry.faulty ? map_.FailureText()
                                : CodeMapMessages::CodeMapLegendCodes(entry.codes);
        default:
            return {};
    }
}

void CodeMapLegend::MapRefreshed() {
    const CodeMap& map = map_.Map();
    std::vector<int> codes(static_cast<std::size_t>(order_.LineCount()), 0);
    for (const MapCell& cell : map.cells) {
        if (cell.source == CellSource::Laid && cell.line < order_.LineCount()) {
            ++codes[static_cast<std::size_t>(cell.line)];
        }
    }
    // And those it lays on two-byte codes, on whichever page they fall.
    for (const auto& [code, laid] : map.twoByte) {
        if (laid.line >= 0 && laid.line < order_.LineCount()) {
            ++codes[static_cast<std::size_t>(laid.line)];
        }
    }
    const int faulty = map.FaultyLine();
    std::vector<Entry> entries;
    for (int line = 0; line < order_.LineCount(); ++line) {
        const int laid = codes[static_cast<std::size_t>(line)];
        if (laid > 0 || line == faulty) {
            entries.push_back({line, map_.KeyOfLine(line), laid, line == faulty});
        }
    }
    if (entries == entries_) return;
    // Told as the rows that left, the rows that came and the rows that changed, so that the view
    // lays out and repaints only those: an include adds one line at the end, a removal takes one
    // out and renumbers the lines after it.
    const auto sameLine = [](const Entry& a, const Entry& b) { return a.key == b.key; };
    std::size_t head = 0;
    while (head < entries_.size() && head < entries.size() &&
           sameLine(entries_[head], entries[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < entries_.size() - head && tail < entries.size() - head &&
           sameLine(entries_[entries_.size() - 1 - tail], entries[entries.size() - 1 - tail]))
        ++tail;
    const auto row = [](std::size_t at) { return static_cast<int>(at); };
    if (const std::size_t gone = entries_.size() - head - tail; gone > 0) {
        beginRemoveRows({}, row(head), row(head + gone - 1));
        entries_.erase(entries_.begin() + row(head), entries_.begin() + row(head + gone));
        endRemoveRows();
    }
    if (const std::size_t come = entries.size() - head - tail; come > 0) {
        beginInsertRows({}, row(head), row(head + come - 1));
        entries_.insert(entries_.begin() + row(head), entries.begin() + row(head),
                        entries.begin() + row(head + come));
        endInsertRows();
    }
    // Rows kept may have a new number, count or fault.
    int first = -1;
    int last = -1;
    for (std::size_t at = 0; at < entries.size(); ++at) {
        if (entries_[at] == entries[at]) continue;
        entries_[at] = entries[at];
        if (first < 0) first = row(at);
        last = row(at);
    }
    if (first >= 0) emit dataChanged(index(first), index(last));
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
    const QPixmap& picture =
        pictures_.Get(text, option.font,
                      option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text),
                      option.widget != nullptr ? option.widget->devicePixelRatioF() : 1.0);
    painter->drawPixmap(
        swatch.right() + 6,
        rect.y() + (rect.height() - static_cast<int>(picture.deviceIndependentSize().height())) / 2,
        picture);
    if ((option.state & QStyle::State_HasFocus) != 0) {
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1, Qt::DotLine));
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

}  // namespace glyphwright

#include "CodeMapLegend.h"

#include <QFont>

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
                return CodeMapModel::LineColour(line);
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

}  // namespace glyphwright

#include "OrderListModel.h"

namespace glyphwright {

OrderListModel::OrderListModel(Document& document, QObject* parent)
    : QAbstractListModel(parent), document_(document) {
    document_.AddObserver(*this);
}

OrderListModel::~OrderListModel() {
    document_.RemoveObserver(*this);
}

int OrderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : order().LineCount();
}

QVariant OrderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= order().LineCount() || role != Qt::DisplayRole) {
        return {};
    }
    return QString::fromStdString(order().LineText(index.row()));
}

void OrderListModel::DocumentAboutToChange(const DocumentChange& change) {
    if (!change.order) return;
    const int line = change.orderChange.line;
    switch (change.orderChange.kind) {
        case OrderChange::Kind::Appended:
        case OrderChange::Kind::Inserted:
            beginInsertRows({}, line, line);
            break;
        case OrderChange::Kind::Removed:
            beginRemoveRows({}, line, line);
            break;
        case OrderChange::Kind::StartSet:
            break;
        case OrderChange::Kind::Replaced:
            beginResetModel();
            break;
    }
}

void OrderListModel::DocumentChanged(const DocumentChange& change) {
    if (!change.order) return;
    switch (change.orderChange.kind) {
        case OrderChange::Kind::Appended:
        case OrderChange::Kind::Inserted:
            endInsertRows();
            break;
        case OrderChange::Kind::Removed:
            endRemoveRows();
            break;
        case OrderChange::Kind::StartSet: {
            const QModelIndex line = index(change.orderChange.line);
            emit dataChanged(line, line);
            break;
        }
        case OrderChange::Kind::Replaced:
            endResetModel();
            break;
    }
}

}  // namespace glyphwright

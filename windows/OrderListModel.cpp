#include "OrderListModel.h"

namespace glyphwright {

OrderListModel::OrderListModel(TableOrder& order, QObject* parent)
    : QAbstractListModel(parent), order_(order) {
    order_.AddObserver(*this);
}

OrderListModel::~OrderListModel() {
    order_.RemoveObserver(*this);
}

int OrderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : order_.LineCount();
}

QVariant OrderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= order_.LineCount() || role != Qt::DisplayRole) {
        return {};
    }
    return QString::fromStdString(order_.LineText(index.row()));
}

void OrderListModel::OrderAboutToChange(const OrderChange& change) {
    switch (change.kind) {
        case OrderChange::Kind::Appended:
            beginInsertRows({}, change.line, change.line);
            break;
        case OrderChange::Kind::Removed:
            beginRemoveRows({}, change.line, change.line);
            break;
        case OrderChange::Kind::StartSet:
            break;
    }
}

void OrderListModel::OrderChanged(const OrderChange& change) {
    switch (change.kind) {
        case OrderChange::Kind::Appended:
            endInsertRows();
            break;
        case OrderChange::Kind::Removed:
            endRemoveRows();
            break;
        case OrderChange::Kind::StartSet: {
            const QModelIndex line = index(change.line);
            emit dataChanged(line, line);
            break;
        }
    }
}

}  // namespace glyphwright

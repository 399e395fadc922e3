#pragma once

#include <QAbstractListModel>

#include "core/TableOrder.h"

namespace glyphwright {

// The Table Order as a list of lines, for lstTblInfo and any other view of it: one row per line,
// showing the line's text. It follows the order's changes as they happen.
class OrderListModel final : public QAbstractListModel, private TableOrderObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OrderListModel)

public:
    explicit OrderListModel(TableOrder& order, QObject* parent = nullptr);
    ~OrderListModel() override;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    [[nodiscard]] const TableOrder& order() const { return order_; }

private:
    void OrderAboutToChange(const OrderChange& change) override;
    void OrderChanged(const OrderChange& change) override;

    TableOrder& order_;
};

}  // namespace glyphwright

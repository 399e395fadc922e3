#include "OrderSelection.h"

#include <utility>

#include "OrderListModel.h"

namespace glyphwright {

OrderSelection::OrderSelection(OrderListModel& model, QObject* parent)
    : QItemSelectionModel(&model, parent) {}

int OrderSelection::SelectedLine() const {
    const QModelIndexList rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void OrderSelection::SelectQuietly(int line) {
    const bool wasQuiet = std::exchange(quiet_, true);
    if (line < 0) {
        clearSelection();
        setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    } else {
        setCurrentIndex(model()->index(line, 0), QItemSelectionModel::ClearAndSelect);
    }
    quiet_ = wasQuiet;
}

}  // namespace glyphwright

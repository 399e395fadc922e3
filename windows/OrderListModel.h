#pragma once

#include <QAbstractListModel>

#include "core/table/Document.h"

namespace glyphwright {

// The Table Order as a list of lines, for lstTblInfo and any other view of it: one row per line,
// showing the line's text. It follows the document's changes as they happen.
class OrderListModel final : public QAbstractListModel, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OrderListModel)

public:
    explicit OrderListModel(Document& document, QObject* parent = nullptr);
    ~OrderListModel() override;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    [[nodiscard]] const TableOrder& order() const { return document_.Order(); }

private:
    void DocumentAboutToChange(const DocumentChange& change) override;
    void DocumentChanged(const DocumentChange& change) override;

    Document& document_;
};

}  // namespace glyphwright

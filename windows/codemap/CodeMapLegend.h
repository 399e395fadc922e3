#pragma once

#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include <vector>

#include "TextPictures.h"

namespace glyphwright {

class CodeMapModel;
class TableOrder;

// The legend of the code map: the Table Order lines whose codes the map shows, numbered as in
// the Table Order, each with its colour, and the line that stops MAKE TABLE marked with the
// reason. Lines the map shows nothing of (single entries, lines laid over whole) are left out:
// the legend is the key to the colours on the map.
class CodeMapLegend final : public QAbstractListModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapLegend)

public:
    CodeMapLegend(const TableOrder& order, const CodeMapModel& map, QObject* parent = nullptr);
    ~CodeMapLegend() override = default;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    // The 0-based Table Order line a legend row stands for, and the row of a line (-1: none).
    [[nodiscard]] int LineAt(int row) const;
    [[nodiscard]] int RowOf(int line) const;

private:
    struct Entry {
        int line;
        int key;    // the line's colour key: the same key is the same line
        int codes;  // how many codes of the map it lays
        bool faulty;
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    void MapRefreshed();

    const TableOrder& order_;
    const CodeMapModel& map_;
    std::vector<Entry> entries_;
};

// Draws a legend line: its colour, then its text, drawn once per distinct text and then copied.
class CodeMapLegendDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapLegendDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    ~CodeMapLegendDelegate() override = default;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    mutable TextPictures pictures_;  // the lines' texts, plain and selected
};

}  // namespace glyphwright

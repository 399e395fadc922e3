#pragma once

#include <QHash>
#include <QIdentityProxyModel>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace glyphwright {

class CodeMapModel;
class OrderListModel;

// The legend of the code map: the Table Order's lines, numbered, each line that lays codes with
// its colour, and the line that stops MAKE TABLE marked with the reason.
class CodeMapLegend final : public QIdentityProxyModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapLegend)

public:
    CodeMapLegend(OrderListModel& lines, const CodeMapModel& map, QObject* parent = nullptr);
    ~CodeMapLegend() override = default;

    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

private:
    void MapRefreshed();

    const OrderListModel& lines_;
    const CodeMapModel& map_;
    int faultyLine_ = -1;
};

// Draws a legend line: its colour, then its text, laid out once per distinct text; the lines of
// a long order repeat the same few names, and a list that scrolls or loses a line redraws many.
class CodeMapLegendDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeMapLegendDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    ~CodeMapLegendDelegate() override = default;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    mutable QHash<QString, QStaticText> texts_;
};

}  // namespace glyphwright

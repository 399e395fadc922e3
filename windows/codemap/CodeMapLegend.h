#pragma once

#include <QIdentityProxyModel>

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

}  // namespace glyphwright

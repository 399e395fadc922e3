#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "core/compression/StreamScan.h"

namespace glyphwright {

// The packed streams found in a file, a row each: compression, offset, packed and unpacked
// sizes. A model, so that a file of thousands of streams is listed at once.
class StreamListModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StreamListModel)

public:
    enum Column { CompressionColumn, OffsetColumn, PackedColumn, UnpackedColumn, kColumns };

    explicit StreamListModel(QObject* parent = nullptr);

    void Show(std::vector<FoundStream> streams);
    [[nodiscard]] const std::vector<FoundStream>& Streams() const { return streams_; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    std::vector<FoundStream> streams_;
};

}  // namespace glyphwright

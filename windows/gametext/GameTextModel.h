#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

#include "core/GameText.h"

namespace glyphwright {

// Bytes of a game file in rows of sixteen: the offset, the bytes in hex, and the text they read
// as through a code table.
class GameTextModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameTextModel)

public:
    enum Column { Offset, Bytes, Text, ColumnCount };
    static constexpr int kBytesPerRow = 16;

    explicit GameTextModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    ~GameTextModel() override = default;

    // `cells` holds one cell for each of `bytes`, which start at file offset `offset`.
    void Show(std::uint64_t offset, std::vector<std::uint8_t> bytes, std::vector<TextCell> cells,
              int offsetDigits);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    std::uint64_t offset_ = 0;
    std::vector<std::uint8_t> bytes_;
    std::vector<TextCell> cells_;
    int offsetDigits_ = 8;
};

}  // namespace glyphwright

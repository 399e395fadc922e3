#pragma once

#include <QAbstractItemModel>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "core/table/CodeOrder.h"
#include "core/text/EucJp.h"
#include "core/game/GameFile.h"
#include "core/search/RelativeSearch.h"

namespace glyphwright {

// The results of a relative search as a tree: one row per set and start code, most hits first,
// with the offsets of its first hits below it. Each row shows the bytes around its hit read
// through the set from that start code; those are read from the file when a view first asks.
class SearchResultsModel final : public QAbstractItemModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchResultsModel)

public:
    enum Column { HitsOrOffset, Set, Start, Text, ColumnCount };

    explicit SearchResultsModel(QObject* parent = nullptr);
    ~SearchResultsModel() override;

    void Show(const RelativeSearch& search, const GameFile& file, SearchResults results);
    void Clear();

    // The group of a group row or of one of its offsets; nullptr for none.
    [[nodiscard]] const HitGroup* GroupAt(const QModelIndex& index) const;
    // The name of set `set` of the search shown.
    [[nodiscard]] QString SetName(std::size_t set) const;
    // A group's start as a two-byte code, its bytes in the order the search read them: for a
    // search of two bytes per letter whose start lies past FF and whose set ends at FFFF or
    // before. None for any other group: a start within 00-FF stays the one-byte start it was.
    [[nodiscard]] std::optional<TableCode> TwoByteStart(const HitGroup& group) const;
    // How the search shown read two-byte letters; none for one byte per letter.
    [[nodiscard]] std::optional<CodeOrder> SearchedOrder() const;
    // The offset of an offset row, or the first offset of a group row.
    [[nodiscard]] std::optional<std::uint64_t> OffsetAt(const QModelIndex& index) const;

    [[nodiscard]] QModelIndex index(int row, int column,
                                    const QModelIndex& parent = {}) const override;
    [[nodiscard]] QModelIndex parent(const QModelIndex& child) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    [[nodiscard]] QString ContextText(const HitGroup& group, std::uint64_t offset) const;

    std::optional<RelativeSearch> search_;
    std::optional<GameFile> file_;
    SearchResults results_;
    mutable EucJpDecoder decoder_;
    // The texts shown lately, by group row and offset.
    mutable std::map<std::pair<std::size_t, std::uint64_t>, QString> contexts_;
};

}  // namespace glyphwright

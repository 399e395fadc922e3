#include "StreamListModel.h"

#include "FindFontMessages.h"
#include "HexText.h"

namespace glyphwright {

StreamListModel::StreamListModel(QObject* parent) : QAbstractTableModel(parent) {}

void StreamListModel::Show(std::vector<FoundStream> streams) {
    beginResetModel();
    streams_ = std::move(streams);
    endResetModel();
}

int StreamListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(streams_.size());
}

int StreamListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant StreamListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const FoundStream& stream = streams_[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole) {
        return index.column() == CompressionColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case CompressionColumn: {
            const std::string_view name = CompressionName(stream.compression);
            return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        }
        case OffsetColumn:
            return HexNumber(stream.offset, 1);
        case PackedColumn:
            return QString::number(stream.packedSize);
        case UnpackedColumn:
            return QString::number(stream.unpackedSize);
        default:
            return {};
    }
}

QVariant StreamListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case CompressionColumn:
            return FindFontMessages::CompressionColumn();
        case OffsetColumn:
            return FindFontMessages::OffsetColumn();
        case PackedColumn:
            return FindFontMessages::PackedColumn();
        case UnpackedColumn:
            return FindFontMessages::UnpackedColumn();
        default:
            return {};
    }
}

}  // namespace glyphwright

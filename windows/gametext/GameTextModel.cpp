#include "GameTextModel.h"

#include <algorithm>
#include <span>
#include <utility>

#include <QPainter>

#include "ColumnHeader.h"
#include "GameTextMessages.h"
#include "HexText.h"
#include "font/FontGrid.h"
#include "font/FontPictures.h"

namespace glyphwright {

void GameTextModel::Show(std::uint64_t offset, std::vector<std::uint8_t> bytes,
                         std::vector<TextCell> cells, int offsetDigits) {
    // The same bytes read through another table: the rows stay, so the view keeps its place.
    if (offset == offset_ && bytes == bytes_ && offsetDigits == offsetDigits_ &&
        cells.size() == cells_.size()) {
        cells_ = std::move(cells);
        if (rowCount() > 0) emit dataChanged(index(0, Text), index(rowCount() - 1, Text));
        return;
    }
    beginResetModel();
    offset_ = offset;
    bytes_ = std::move(bytes);
    cells_ = std::move(cells);
    offsetDigits_ = offsetDigits;
    endResetModel();
}

int GameTextModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>((cells_.size() + kBytesPerRow - 1) / kBytesPerRow);
}

int GameTextModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GameTextModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return ColumnHeader(GameTextMessages::GameTextHeaders(), section, orientation, role);
}

void GameTextModel::ShowGlyphs(const FontPictures* pictures) {
    glyphs_ = pictures;
    if (rowCount() > 0) emit dataChanged(index(0, Text), index(rowCount() - 1, Text));
}

int GameTextModel::GlyphZoom() const {
    return glyphs_ != nullptr && glyphs_->GlyphSize().height() <= 8 ? 2 : 1;
}

QImage GameTextModel::RowPicture(std::size_t first, std::size_t end) const {
    const int zoom = GlyphZoom();
    const QSize glyph = glyphs_->GlyphSize() * zoom;
    const int step = glyph.width() + 1;
    QImage picture(kBytesPerRow * step, glyph.height(), QImage::Format_RGB32);
    picture.fill(FontGrid::PageColour());
    QPainter painter(&picture);
    for (std::size_t i = first; i < end; ++i) {
        const QImage& drawn = glyphs_->Of(bytes_[i]);
        if (!drawn.isNull()) {
            painter.drawImage(QRect(QPoint(static_cast<int>(i - first) * step, 0), glyph), drawn);
        }
    }
    return picture;
}

QVariant GameTextModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto first = static_cast<std::size_t>(index.row()) * kBytesPerRow;
    const std::size_t end = std::min(first + kBytesPerRow, cells_.size());
    if (role == Qt::DecorationRole && index.column() == Text && glyphs_ != nullptr &&
        glyphs_->Any()) {
        return RowPicture(first, std::min(end, bytes_.size()));
    }
    if (role != Qt::DisplayRole) return {};
    QString shown;
    switch (index.column()) {
        case Offset:
            return HexNumber(offset_ + first, offsetDigits_);
        case Bytes:
            return HexBytes(std::span(bytes_).subspan(first, end - first));
        case Text:
            for (std::size_t i = first; i < end; ++i)
                shown += QString::fromStdString(cells_[i].text);
            return shown;
        default:
            return {};
    }
}

}  // namespace glyphwright

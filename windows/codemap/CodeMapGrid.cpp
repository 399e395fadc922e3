#include "CodeMapGrid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "CodeMapModel.h"
#include "font/FontPictures.h"

namespace glyphwright {

namespace {

// A code outside the file's range is drawn as if under a grey veil; the colours are mixed here
// rather than a veil blended over each cell, which would cost more than the cell itself.
QColor Dimmed(const QColor& colour, bool dim) {
    if (!dim) return colour;
    constexpr int kVeil = 0xD4;
    constexpr int kVeilParts = 190;  // of 255
    const auto mix = [](int channel) {
        return (channel * (255 - kVeilParts) + kVeil * kVeilParts) / 255;
    };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

void PaintHeld(QPainter& painter, const QRect& rect, const QPixmap& hatch) {
    // Offset by the cell's place, so that the hatch runs on across neighbouring cells.
    painter.drawTiledPixmap(rect, hatch, QPoint(rect.x() % 8, rect.y() % 8));
}

// A red corner: a triangle in the top right of a cell `height` high.
QPixmap OverlapCorner(int height, bool dim, qreal ratio) {
    const int side = std::max(6, height / 3);
    QPixmap corner(static_cast<int>(std::ceil((side + 1) * ratio)),
                   static_cast<int>(std::ceil((side + 1) * ratio)));
    corner.setDevicePixelRatio(ratio);
    corner.fill(Qt::transparent);
    QPainter painter(&corner);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Dimmed(QColor(0xD0, 0x20, 0x20), dim));
    painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(side + 1, 0), QPoint(side + 1, side + 1)}));
    return corner;
}

void PaintOverlap(QPainter& painter, const QRect& rect, const QPixmap& corner) {
    const int side = static_cast<int>(corner.deviceIndependentSize().width());
    painter.drawPixmap(rect.right() + 1 - side, rect.top(), corner);
}

// A band along the foot of a cell in the colour of its kind of control code.
void PaintKind(QPainter& painter, const QRect& rect, EntryKind kind, bool dim) {
    const int height = std::max(3, rect.height() / 6);
    painter.fillRect(QRect(rect.left(), rect.bottom() + 1 - height, rect.width(), height),
                     Dimmed(CodeMapModel::KindColour(kind), dim));
}

void PaintFrame(QPainter& painter, const QRect& rect, const QColor& colour, Qt::PenStyle style) {
    painter.setPen(QPen(colour, 2, style));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
}

}  // namespace

QPixmap CodeMapGrid::HatchTile(bool dim) {
    QPixmap tile(8, 8);
    tile.fill(Dimmed(QColor(0xF2, 0xF2, 0xF2), dim));
    QPainter painter(&tile);
    painter.setPen(Dimmed(QColor(0xC8, 0xC8, 0xC8), dim));
    painter.drawLine(0, 7, 7, 0);
    return tile;
}

CodeMapGrid::CodeMapGrid(QWidget* parent)
    : QTableView(parent), hatch_{HatchTile(false), HatchTile(true)} {}

void CodeMapGrid::paintEvent(QPaintEvent* event) {
    const auto* model = qobject_cast<const CodeMapModel*>(this->model());
    if (model == nullptr) {
        QTableView::paintEvent(event);
        return;
    }
    // Only the cells in the region to repaint, each drawn from its look, prepared when it
    // changed, so that a repaint lays out no text. Layer by layer rather than cell by cell:
    // the painter changes font and pen a few times, not for every cell.
    const QRegion& region = event->region();
    const QRect bounds = region.boundingRect();
    const int rows = model->rowCount();
    const int columns = model->columnCount();
    const int firstRow = std::max(0, rowAt(bounds.top()));
    const int lastRow = rowAt(bounds.bottom()) < 0 ? rows - 1 : rowAt(bounds.bottom());
    const int firstColumn = std::max(0, columnAt(bounds.left()));
    const int lastColumn = columnAt(bounds.right()) < 0 ? columns - 1 : columnAt(bounds.right());
    const int gridSize = showGrid() ? 1 : 0;
    struct Cell {
        QRect rect;  // without its grid lines
        int code;
    };
    std::vector<Cell> cells;
    cells.reserve(static_cast<std::size_t>(rows * columns));
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = rowViewportPosition(row);
        const int height = rowHeight(row);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QRect whole(columnViewportPosition(column), y, columnWidth(column), height);
            if (region.intersects(whole)) {
                cells.push_back(
                    {whole.adjusted(0, 0, -gridSize, -gridSize), row * columns + column});
            }
        }
    }

    QPainter painter(viewport());
    const QColor base = palette().color(QPalette::Base);
    for (const Cell& cell : cells) {
        const CellLook& look = model->Look(cell.code);
        const bool dim = !look.inRange;
        if (look.source == CellSource::Held) {
            PaintHeld(painter, cell.rect, hatch_[dim ? 1 : 0]);
        } else if (look.colour >= 0) {
            painter.fillRect(cell.rect, Dimmed(CodeMapModel::Colour(look.colour), dim));
        } else if (dim) {
            painter.fillRect(cell.rect, Dimmed(base, dim));
        }
        if (look.kind != EntryKind::Ordinary) PaintKind(painter, cell.rect, look.kind, dim);
    }

    const QColor text = palette().color(QPalette::Text);
    // As the window made room for it: rows taller than their least keep the glyph's size.
    // The font's glyphs are tied to one-byte codes.
    const int zoom = model->Page() == CodeMapModel::kOneBytePage
                         ? GlyphZoom(verticalHeader()->minimumSectionSize())
                         : 0;
    for (const Cell& cell : cells) {
        const CellLook& look = model->Look(cell.code);
        QRect rect = cell.rect;
        if (zoom > 0) {
            // The glyph at the left, the character beside it in the rest of the cell.
            const QImage& glyph = glyphs_->Of(cell.code);
            const QSize size = glyphs_->GlyphSize() * zoom;
            const QRect place(rect.x() + 2, rect.y() + (rect.height() - size.height()) / 2,
                              size.width(), size.height());
            if (!glyph.isNull()) painter.drawImage(place, glyph);
            rect.setLeft(place.right() + 1);
        }
        if (look.shown.isEmpty()) continue;
        const bool dim = !look.inRange;
        const QPixmap& picture =
            pictures_.Get(look.shown, model->Font(), Dimmed(text, dim), devicePixelRatioF());
        // The picture has a pixel to spare beyond the text.
        if (const QSizeF size = picture.deviceIndependentSize() - QSizeF(1, 1);
            size.width() <= rect.width() - 4) {
            painter.drawPixmap(QPointF(rect.x() + std::floor((rect.width() - size.width()) / 2),
                                       rect.y() + std::floor((rect.height() - size.height()) / 2)),
                               picture);
        } else {  // a long entry, cut short
            painter.setFont(model->Font());
            painter.setPen(Dimmed(text, dim));
            painter.drawText(
                rect, Qt::AlignCenter,
                painter.fontMetrics().elidedText(look.shown, Qt::ElideRight, rect.width() - 4));
        }
    }

    for (const Cell& cell : cells) {
        const CellLook& look = model->Look(cell.code);
        if (look.overlap)
            PaintOverlap(painter, cell.rect, Corner(cell.rect.height(), !look.inRange));
    }

    if (gridSize > 0) {
        // Each cell's right and bottom line, as one-pixel fills.
        const QColor grid = QColor::fromRgba(
            static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, this)));
        for (const Cell& cell : cells) {
            const QRect& rect = cell.rect;
            painter.fillRect(QRect(rect.right() + 1, rect.top(), 1, rect.height() + 1), grid);
            painter.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width(), 1), grid);
        }
    }

    const int focused = hasFocus() ? CodeMapModel::CodeOf(currentIndex()) : -1;
    for (const Cell& cell : cells) {
        if (model->IsOfSelectedLine(cell.code)) {
            PaintFrame(painter, cell.rect, QColor(0x20, 0x20, 0x20), Qt::SolidLine);
        }
        if (cell.code == focused) {
            PaintFrame(painter, cell.rect, palette().color(QPalette::Highlight), Qt::DotLine);
        }
    }
}

void CodeMapGrid::SetPictures(const FontPictures* pictures) {
    glyphs_ = pictures;
    viewport()->update();
}

int CodeMapGrid::GlyphZoom(int height) const {
    if (glyphs_ == nullptr || !glyphs_->Any()) return 0;
    return std::max(1, (height - 4) / std::max(1, glyphs_->GlyphSize().height()));
}

const QPixmap& CodeMapGrid::Corner(int height, bool dim) {
    const qreal ratio = devicePixelRatioF();
    if (height != cornerHeight_ || ratio != cornerRatio_) {
        corners_ = {OverlapCorner(height, false, ratio), OverlapCorner(height, true, ratio)};
        cornerHeight_ = height;
        cornerRatio_ = ratio;
    }
    return corners_[dim ? 1 : 0];
}

QPixmap CodeMapGrid::KindSample(EntryKind kind, int size) {
    QPixmap sample(size, size);
    sample.fill(Qt::white);
    QPainter painter(&sample);
    const QRect rect(0, 0, size, size);
    PaintHeld(painter, rect, HatchTile(false));
    PaintKind(painter, rect, kind, false);
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    return sample;
}

QPixmap CodeMapGrid::Sample(Mark mark, int size) {
    QPixmap sample(size, size);
    sample.fill(Qt::white);
    QPainter painter(&sample);
    const QRect rect(0, 0, size, size);
    switch (mark) {
        case Mark::Held:
            PaintHeld(painter, rect, HatchTile(false));
            break;
        case Mark::Overlap:
            painter.fillRect(rect, CodeMapModel::Colour(0));
            PaintOverlap(painter, rect, OverlapCorner(rect.height(), false, 1.0));
            break;
        case Mark::OutOfRange:
            painter.fillRect(rect, Dimmed(CodeMapModel::Colour(1), true));
            break;
    }
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    return sample;
}

}  // namespace glyphwright

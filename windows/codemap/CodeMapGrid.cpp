#include "CodeMapGrid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>

#include "CodeMapModel.h"

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

void PaintOverlap(QPainter& painter, const QRect& rect, bool dim) {
    const int side = std::max(6, rect.height() / 3);
    const QPolygon corner({QPoint(rect.right() - side, rect.top()),
                           QPoint(rect.right() + 1, rect.top()),
                           QPoint(rect.right() + 1, rect.top() + side + 1)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(Dimmed(QColor(0xD0, 0x20, 0x20), dim));
    painter.drawPolygon(corner);
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
    // Only the cells in the region to repaint; each drawn from its look, prepared when it
    // changed, so that a repaint lays out no text.
    QPainter painter(viewport());
    const QRegion& region = event->region();
    const QRect bounds = region.boundingRect();
    const int firstRow = std::max(0, rowAt(bounds.top()));
    const int lastRow = rowAt(bounds.bottom()) < 0 ? model->rowCount() - 1 : rowAt(bounds.bottom());
    const int firstColumn = std::max(0, columnAt(bounds.left()));
    const int lastColumn =
        columnAt(bounds.right()) < 0 ? model->columnCount() - 1 : columnAt(bounds.right());
    const QModelIndex current = currentIndex();
    const int focused = hasFocus() ? CodeMapModel::CodeOf(current) : -1;
    const QColor gridColour = QColor::fromRgba(static_cast<QRgb>(
        style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, this)));
    const int gridSize = showGrid() ? 1 : 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = rowViewportPosition(row);
        const int height = rowHeight(row);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QRect whole(columnViewportPosition(column), y, columnWidth(column), height);
            if (!region.intersects(whole)) continue;
            const QRect cell = whole.adjusted(0, 0, -gridSize, -gridSize);
            const int code = row * model->columnCount() + column;
            PaintCell(painter, cell, *model, code, code == focused);
            if (gridSize > 0) {
                painter.setPen(gridColour);
                painter.drawLine(whole.right(), whole.top(), whole.right(), whole.bottom());
                painter.drawLine(whole.left(), whole.bottom(), whole.right(), whole.bottom());
            }
        }
    }
}

void CodeMapGrid::PaintCell(QPainter& painter, const QRect& rect, const CodeMapModel& model,
                            int code, bool focus) const {
    // Every pen, brush and font used is set here, so the painter needs no saving.
    const CellLook& look = model.Look(code);
    const bool dim = !look.inRange;
    if (look.source == CellSource::Held) {
        PaintHeld(painter, rect, hatch_[dim ? 1 : 0]);
    } else if (look.colour >= 0) {
        painter.fillRect(rect, Dimmed(CodeMapModel::Colour(look.colour), dim));
    } else if (dim) {
        painter.fillRect(rect, Dimmed(palette().color(QPalette::Base), dim));
    }
    if (!look.shown.isEmpty()) {
        painter.setPen(Dimmed(palette().color(QPalette::Text), dim));
        painter.setFont(model.Font());
        const QSizeF size = look.glyphs.size();
        if (size.width() <= rect.width() - 4) {
            painter.drawStaticText(QPointF(rect.x() + (rect.width() - size.width()) / 2,
                                           rect.y() + (rect.height() - size.height()) / 2),
                                   look.glyphs);
        } else {  // a long entry, cut short
            const QFontMetrics metrics(model.Font());
            painter.drawText(rect, Qt::AlignCenter,
                             metrics.elidedText(look.shown, Qt::ElideRight, rect.width() - 4));
        }
    }
    if (look.overlap) PaintOverlap(painter, rect, dim);
    if (model.IsOfSelectedLine(code)) {
        PaintFrame(painter, rect, QColor(0x20, 0x20, 0x20), Qt::SolidLine);
    }
    if (focus) PaintFrame(painter, rect, palette().color(QPalette::Highlight), Qt::DotLine);
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
            PaintOverlap(painter, rect, false);
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

#include "CodeMapDelegate.h"

#include <QPainter>
#include <QPolygon>

#include "CodeMapModel.h"

namespace glyphwright {

namespace {

void PaintHeld(QPainter& painter, const QRect& rect) {
    painter.fillRect(rect, QColor(0xF2, 0xF2, 0xF2));
    painter.fillRect(rect, QBrush(QColor(0xC8, 0xC8, 0xC8), Qt::BDiagPattern));
}

void PaintOverlap(QPainter& painter, const QRect& rect) {
    const int side = std::max(6, rect.height() / 3);
    const QPolygon corner({QPoint(rect.right() - side, rect.top()),
                           QPoint(rect.right() + 1, rect.top()),
                           QPoint(rect.right() + 1, rect.top() + side + 1)});
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xD0, 0x20, 0x20));
    painter.drawPolygon(corner);
    painter.restore();
}

void PaintVeil(QPainter& painter, const QRect& rect) {
    // Grey rather than white, so that an empty code outside the range looks dimmed too.
    painter.fillRect(rect, QColor(0xD4, 0xD4, 0xD4, 190));
}

void PaintFrame(QPainter& painter, const QRect& rect, const QColor& colour, Qt::PenStyle style) {
    painter.save();
    painter.setPen(QPen(colour, 2, style));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
    painter.restore();
}

}  // namespace

void CodeMapDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const QRect& rect = option.rect;
    const auto source = static_cast<CellSource>(index.data(CodeMapModel::SourceRole).toInt());
    if (source == CellSource::Held) PaintHeld(*painter, rect);

    // The model's colour and text; the marks below stand for selection and focus.
    QStyleOptionViewItem plain(option);
    plain.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_MouseOver);
    QStyledItemDelegate::paint(painter, plain, index);

    if (index.data(CodeMapModel::OverlapRole).toBool()) PaintOverlap(*painter, rect);
    if (!index.data(CodeMapModel::WrittenRangeRole).toBool()) PaintVeil(*painter, rect);
    if (index.data(CodeMapModel::SelectedLineRole).toBool()) {
        PaintFrame(*painter, rect, QColor(0x20, 0x20, 0x20), Qt::SolidLine);
    }
    if ((option.state & QStyle::State_HasFocus) != 0) {
        PaintFrame(*painter, rect, option.palette.color(QPalette::Highlight), Qt::DotLine);
    }
}

QPixmap CodeMapDelegate::Sample(Mark mark, int size) {
    QPixmap sample(size, size);
    sample.fill(Qt::white);
    QPainter painter(&sample);
    const QRect rect(0, 0, size, size);
    switch (mark) {
        case Mark::Held:
            PaintHeld(painter, rect);
            break;
        case Mark::Overlap:
            painter.fillRect(rect, CodeMapModel::LineColour(0));
            PaintOverlap(painter, rect);
            break;
        case Mark::OutOfRange:
            painter.fillRect(rect, CodeMapModel::LineColour(1));
            PaintVeil(painter, rect);
            break;
    }
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    return sample;
}

}  // namespace glyphwright

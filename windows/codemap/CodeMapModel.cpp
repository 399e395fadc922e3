#include "CodeMapModel.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>

#include "Messages.h"
#include "TableEvents.h"

namespace glyphwright {

namespace {

constexpr int kSide = 16;

std::size_t At(int code) {
    return static_cast<std::size_t>(code);
}

QString HexDigit(int digit) {
    return QString(QLatin1Char("0123456789ABCDEF"[digit]));
}

QString HexBytes(const std::string& bytes) {
    QStringList each;
    for (const char byte : bytes) {
        each << QStringLiteral("%1")
                    .arg(static_cast<unsigned char>(byte), 2, 16, QLatin1Char('0'))
                    .toUpper();
    }
    return each.join(QLatin1Char(' '));
}

}  // namespace

CodeMapModel::CodeMapModel(const Workspace& workspace, TableOrder& order, TableEvents& events,
                           QObject* parent)
    : QAbstractTableModel(parent),
      workspace_(workspace),
      order_(order),
      events_(events),
      font_(CellFont()) {
    order_.AddObserver(*this);
    connect(&events_, &TableEvents::startCodeChanged, this, &CodeMapModel::Changed);
    connect(&events_, &TableEvents::tableTextChanged, this, &CodeMapModel::Changed);
}

CodeMapModel::~CodeMapModel() {
    order_.RemoveObserver(*this);
}

int CodeMapModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kSide;
}

int CodeMapModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kSide;
}

int CodeMapModel::CodeOf(const QModelIndex& index) {
    return index.isValid() ? index.row() * kSide + index.column() : -1;
}

QModelIndex CodeMapModel::IndexOf(int code) const {
    return index(code / kSide, code % kSide);
}

const QString& CodeMapModel::Shown(int code) const {
    return shown_[At(code)];
}

QString CodeMapModel::FailureText() const {
    if (!map_.failure) return {};
    if (const auto* start = std::get_if<HexError>(&*map_.failure)) {
        return Messages::Failure(StartCodeError{events_.StartCodeText().toStdString(), *start});
    }
    return Messages::Failure(std::get<AssemblyError>(*map_.failure));
}

QColor CodeMapModel::LineColour(int line) {
    // Hues a golden angle apart: no two neighbouring lines look alike, however many there are.
    const double hue = std::fmod(line * 137.508 + 20.0, 360.0) / 360.0;
    return QColor::fromHsvF(static_cast<float>(hue), 0.38F, 1.0F);
}

QFont CodeMapModel::CellFont() {
    QFont font;
    // Faces with kana, Japanese forms first; fontconfig supplies any other face with kana.
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                      QStringLiteral("Source Han Sans JP"), QStringLiteral("IPAexGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("TakaoGothic"),
                      QStringLiteral("VL Gothic"), QStringLiteral("Yu Gothic"),
                      QStringLiteral("Meiryo"), QStringLiteral("MS Gothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(13);
    return font;
}

QVariant CodeMapModel::data(const QModelIndex& index, int role) const {
    const int code = CodeOf(index);
    if (code < 0 || code >= kCodeCount) return {};
    const MapCell& cell = map_.cells[At(code)];
    switch (role) {
        case Qt::DisplayRole:
            return shown_[At(code)];
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return ToolTip(code);
        case Qt::AccessibleTextRole:
            return Messages::CodeMapCell(code, shown_[At(code)]);
        case Qt::BackgroundRole:
            if (cell.source == CellSource::Laid) return LineColour(cell.line);
            return {};
        case Qt::FontRole:
            return font_;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case CodeRole:
            return code;
        case SourceRole:
            return static_cast<int>(cell.source);
        case LineRole:
            return cell.line;
        case OverlapRole:
            return cell.overlaps >= 0 || !cell.replaces.empty();
        case WrittenRangeRole:
            return cell.inRange;
        case SelectedLineRole:
            return selectedLine_ >= 0 && cell.line == selectedLine_;
        default:
            return {};
    }
}

QVariant CodeMapModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section < 0 || section >= kSide) return {};
    if (role == Qt::DisplayRole) {
        // Rows by the high digit, columns by the low one.
        return orientation == Qt::Vertical ? HexDigit(section) + QLatin1Char('_')
                                           : QLatin1Char('_') + HexDigit(section);
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags CodeMapModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString CodeMapModel::LineText(int line) const {
    if (line < 0 || line >= order_.LineCount()) return {};
    return QString::fromStdString(order_.LineText(line));
}

QString CodeMapModel::ToolTip(int code) const {
    const MapCell& cell = map_.cells[At(code)];
    QStringList lines{Messages::CodeMapCode(code)};
    if (cell.text.empty()) {
        lines << Messages::CodeMapEmpty();
    } else {
        lines << Messages::CodeMapBytes(HexBytes(cell.text))
              << Messages::CodeMapText(shown_[At(code)]);
    }
    switch (cell.source) {
        case CellSource::Laid:
            lines << (cell.overlaps >= 0
                          ? Messages::CodeMapOverlap(cell.line + 1, LineText(cell.line),
                                                     cell.overlaps + 1, LineText(cell.overlaps))
                          : Messages::CodeMapLaidBy(cell.line + 1, LineText(cell.line)));
            if (!cell.replaces.empty()) {
                auto held = decoder_.Decode(cell.replaces);
                lines << Messages::CodeMapReplaces(held ? QString::fromStdString(held.value())
                                                        : HexBytes(cell.replaces));
            }
            break;
        case CellSource::Held:
            lines << Messages::CodeMapHeld();
            break;
        case CellSource::Empty:
            break;
    }
    if (map_.failure) {
        lines << Messages::CodeMapNotWritten();
    } else if (!cell.inRange) {
        lines << Messages::CodeMapOutOfRange();
    }
    return lines.join(QLatin1Char('\n'));
}

void CodeMapModel::SetFollowing(bool following) {
    following_ = following;
    if (following_ && stale_) Refresh();
}

void CodeMapModel::Changed() {
    if (following_) {
        Refresh();
    } else {
        stale_ = true;
    }
}

void CodeMapModel::OrderAboutToChange(const OrderChange&) {}

void CodeMapModel::OrderChanged(const OrderChange&) {
    Changed();
}

void CodeMapModel::Refresh() {
    CodeMap next =
        ComposeCodeMap(workspace_.TableText, order_, events_.StartCodeText().toStdString());
    stale_ = false;
    // Each row's changed cells as one span, so that the view repaints what changed and only that.
    std::array<std::pair<int, int>, kSide> spans{};
    for (int row = 0; row < kSide; ++row) {
        auto& [from, to] = spans[At(row)];
        from = kSide;
        to = -1;
        for (int column = 0; column < kSide; ++column) {
            const std::size_t code = At(row * kSide + column);
            MapCell& cell = map_.cells[code];
            if (next.cells[code] == cell) continue;
            if (next.cells[code].text != cell.text) {
                auto decoded = decoder_.Decode(next.cells[code].text);
                shown_[code] = decoded ? QString::fromStdString(decoded.value())
                                       : HexBytes(next.cells[code].text);
            }
            cell = std::move(next.cells[code]);
            from = std::min(from, column);
            to = column;
        }
    }
    map_.failure = std::move(next.failure);
    map_.first = next.first;
    map_.last = next.last;
    map_.duplicates = std::move(next.duplicates);
    for (int row = 0; row < kSide; ++row) {
        const auto [from, to] = spans[At(row)];
        if (to >= 0) emit dataChanged(index(row, from), index(row, to));
    }
    emit refreshed();
}

void CodeMapModel::SetSelectedLine(int line) {
    if (line == selectedLine_) return;
    const int before = std::exchange(selectedLine_, line);
    AnnounceLine(before);
    AnnounceLine(line);
}

void CodeMapModel::AnnounceLine(int line) {
    if (line < 0) return;
    for (int code = 0; code < kCodeCount; ++code) {
        if (map_.cells[At(code)].line == line) emit dataChanged(IndexOf(code), IndexOf(code));
    }
}

}  // namespace glyphwright

#include "SearchResultsModel.h"

#include <QBrush>
#include <QPalette>

#include <utility>

#include "ColumnHeader.h"
#include "GameFileMessages.h"
#include "HexText.h"
#include "SearchMessages.h"
#include "core/search/HitStart.h"
#include "core/text/EucJp.h"

namespace glyphwright {
namespace {

// Letters shown before and after the start of a hit.
constexpr std::size_t kLettersBefore = 6;
constexpr std::size_t kLettersAfter = 24;
constexpr std::size_t kContextsKept = 4096;

// Internal ids: 0 for a group row, group row + 1 for the offset rows below it.
constexpr quintptr kGroupRow = 0;

}  // namespace

SearchResultsModel::SearchResultsModel(QObject* parent) : QAbstractItemModel(parent) {}
SearchResultsModel::~SearchResultsModel() = default;

QString SearchResultsModel::SetName(std::size_t set) const {
    if (!search_ || set >= search_->Sets().size()) return {};
    return QString::fromStdString(search_->Sets()[set].name);
}

void SearchResultsModel::Show(const RelativeSearch& search, const GameFile& file,
                              SearchResults results) {
    beginResetModel();
    search_ = search;
    file_ = file;
    results_ = std::move(results);
    contexts_.clear();
    endResetModel();
}

void SearchResultsModel::Clear() {
    beginResetModel();
    search_.reset();
    file_.reset();
    results_ = {};
    contexts_.clear();
    endResetModel();
}

const HitGroup* SearchResultsModel::GroupAt(const QModelIndex& index) const {
    if (!index.isValid()) return nullptr;
    const auto row = index.internalId() == kGroupRow
                         ? static_cast<std::size_t>(index.row())
                         : static_cast<std::size_t>(index.internalId() - 1);
    return row < results_.groups.size() ? &results_.groups[row] : nullptr;
}

std::optional<std::uint64_t> SearchResultsModel::OffsetAt(const QModelIndex& index) const {
    const HitGroup* group = GroupAt(index);
    if (group == nullptr) return std::nullopt;
    if (index.internalId() == kGroupRow) return group->firstOffset;
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= group->examples.size()) return std::nullopt;  // the row counting the rest
    return group->examples[row];
}

QModelIndex SearchResultsModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent)) return {};
    if (!parent.isValid()) return createIndex(row, column, kGroupRow);
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex SearchResultsModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kGroupRow) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kGroupRow);
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(results_.groups.size());
    if (parent.internalId() != kGroupRow || parent.column() != 0) return 0;
    const HitGroup* group = GroupAt(parent);
    if (group == nullptr) return 0;
    // A row more tells of the hits whose offsets were not kept.
    const bool more = group->hitCount > group->examples.size();
    return static_cast<int>(group->examples.size()) + (more ? 1 : 0);
}

int SearchResultsModel::columnCount(const QModelIndex&) const {
    return ColumnCount;
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return ColumnHeader(SearchMessages::SearchHeaders(), section, orientation, role);
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const {
    const HitGroup* group = GroupAt(index);
    if (group == nullptr) return {};
    const bool isGroup = index.internalId() == kGroupRow;
    const std::optional<TableCode> twoByte = TwoByteStart(*group);
    if (role == Qt::ForegroundRole && !group->fits && !twoByte) {
        return QPalette().brush(QPalette::Disabled, QPalette::Text);
    }
    if (role != Qt::DisplayRole) return {};
    const int wide = search_ && search_->Width() != LetterWidth::OneByte ? 4 : 2;
    const std::optional<std::uint64_t> offset = OffsetAt(index);
    if (!offset) {
        return index.column() == HitsOrOffset
                   ? SearchMessages::MoreHits(group->hitCount - group->examples.size())
                   : QVariant();
    }
    switch (index.column()) {
        case HitsOrOffset:
            return isGroup ? QString::number(group->hitCount) : HexNumber(*offset, 8);
        case Set:
            return isGroup ? SetName(group->set) : QString();
        case Start:
            if (!isGroup) return {};
            if (twoByte) return QString::fromStdString(twoByte->Hex());
            return group->fits ? HexNumber(static_cast<std::uint64_t>(group->start), wide)
                               : SearchMessages::StartPastFF(group->start);
        case Text:
            return ContextText(*group, *offset);
        default:
            return {};
    }
}

std::optional<CodeOrder> SearchResultsModel::SearchedOrder() const {
    if (!search_) return std::nullopt;
    switch (search_->Width()) {
        case LetterWidth::OneByte:
            return std::nullopt;
        case LetterWidth::TwoBytesLittleEndian:
            return CodeOrder::LittleEndian;
        case LetterWidth::TwoBytesBigEndian:
            return CodeOrder::BigEndian;
    }
    return std::nullopt;
}

std::optional<TableCode> SearchResultsModel::TwoByteStart(const HitGroup& group) const {
    if (!search_) return std::nullopt;
    const auto start =
        UsableStart(group.start, search_->Sets()[group.set].members.size(), search_->Width());
    if (!start || !start->code.IsTwoByte()) return std::nullopt;
    return start->code;
}

QString SearchResultsModel::ContextText(const HitGroup& group, std::uint64_t offset) const {
    if (!search_ || !file_) return {};
    const std::pair key{static_cast<std::size_t>(&group - results_.groups.data()), offset};
    if (const auto known = contexts_.find(key); known != contexts_.end()) return known->second;
    // A view shows a few rows at a time, and a search of two bytes per letter may have hundreds
    // of thousands of groups: only the texts shown lately are kept.
    if (contexts_.size() >= kContextsKept) contexts_.clear();

    const std::size_t unit = search_->Width() == LetterWidth::OneByte ? 1 : 2;
    const auto context = search_->Context(*file_, Hit{offset, group.set, group.start, group.fits},
                                          kLettersBefore * unit, kLettersAfter * unit);
    QString text;
    if (context) {
        for (const ContextCell& cell : context.value().cells) {
            const auto decoded = decoder_.Decode(cell.member);
            text += cell.member.empty() || !decoded ? QStringLiteral("\u00B7")
                                                    : QString::fromStdString(decoded.value());
        }
    } else {
        text = GameFileMessages::Failure(context.error());
    }
    contexts_.emplace(key, text);
    return text;
}

}  // namespace glyphwright

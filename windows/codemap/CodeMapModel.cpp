#include "CodeMapModel.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>

#include "CodeMapMessages.h"
#include "HexText.h"
#include "MakeTableMessages.h"
#include "core/table/HeldAndLaid.h"
#include "tablefile/WritesCode.h"

namespace glyphwright {

namespace {

constexpr int kSide = 16;

std::size_t At(int code) {
    return static_cast<std::size_t>(code);
}

QString HexDigit(int digit) {
    return QString(QLatin1Char("0123456789ABCDEF"[digit]));
}

}  // namespace

CodeMapModel::CodeMapModel(Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document), font_(CellFont()) {
    for (; nextKey_ < document_.Order().LineCount(); ++nextKey_) lineKeys_.push_back(nextKey_);
    document_.AddObserver(*this);
}

CodeMapModel::~CodeMapModel() {
    document_.RemoveObserver(*this);
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

const CellLook& CodeMapModel::Look(int code) const {
    return looks_[At(code)];
}

bool CodeMapModel::IsOfSelectedLine(int code) const {
    return selectedLine_ >= 0 && Cell(code).line == selectedLine_;
}

QString CodeMapModel::Shown(const std::string& text) {
    return QString::fromStdString(text);
}

const MapCell& CodeMapModel::Cell(int place) const {
    return page_ == kOneBytePage ? map_.cells[At(place)] : pageCells_[At(place)];
}

const TableEntry& CodeMapModel::Held(int place) const {
    return document_.TableText().At(CodeAt(place));
}

QColor CodeMapModel::KindColour(EntryKind kind) {
    switch (kind) {
        case EntryKind::EndCode:
            return {0xC0, 0x30, 0x30};
        case EntryKind::LineBreak:
            return {0x30, 0x60, 0xC0};
        case EntryKind::Linked:
            return {0x20, 0x90, 0x40};
        case EntryKind::TableSwitch:
            return {0x90, 0x40, 0xB0};
        case EntryKind::Ordinary:
            break;
    }
    return {};
}

void CodeMapModel::FindKindsShown() {
    std::array<bool, 5> shown{};
    const auto mark = [&shown](EntryKind kind) { shown[static_cast<std::size_t>(kind)] = true; };
    // The one-byte codes whichever page is shown: a laid member is text.
    const EntryKinds& held = document_.TableText().Kinds();
    for (std::size_t code = 0; code < held.size(); ++code) {
        if (map_.cells[code].source != CellSource::Laid) mark(held[code]);
    }
    for (const auto& [stored, entry] : document_.TableText().TwoByte()) {
        if (!map_.twoByte.contains(stored)) mark(entry.kind);
    }
    std::vector<EntryKind> kinds;
    for (const EntryKind kind : {EntryKind::EndCode, EntryKind::LineBreak, EntryKind::Linked,
                                 EntryKind::TableSwitch}) {
        if (shown[static_cast<std::size_t>(kind)]) kinds.push_back(kind);
    }
    kindsShown_ = std::move(kinds);
}

TableCode CodeMapModel::CodeAt(int place) const {
    if (page_ == kOneBytePage) return TableCode::OneByte(static_cast<ByteCode>(place));
    return TableCode::TwoByte(static_cast<std::uint16_t>((page_ << 8) | place));
}

int CodeMapModel::KeyOfLine(int line) const {
    return line >= 0 && At(line) < lineKeys_.size() ? lineKeys_[At(line)] : -1;
}

QColor CodeMapModel::ColourOfLine(int line) const {
    return Colour(KeyOfLine(line));
}

bool CodeMapModel::MakesFile() const {
    if (refusal_) return false;
    if (!map_.failure) return true;
    const auto* assembly = std::get_if<AssemblyError>(&*map_.failure);
    return assembly != nullptr && assembly->kind == AssemblyError::Kind::NothingToLay &&
           WritesWithNothingLaid(format_);
}

QString CodeMapModel::FailureText() const {
    if (MakesFile()) return {};
    if (refusal_) return MakeTableMessages::Failure(*refusal_);
    if (const auto* start = std::get_if<HexError>(&*map_.failure)) {
        return MakeTableMessages::Failure(StartCodeError{document_.StartCode(), *start});
    }
    return MakeTableMessages::Failure(std::get<AssemblyError>(*map_.failure));
}

QColor CodeMapModel::Colour(int key) {
    // Hues a golden angle apart: no two lines added one after the other look alike, however many
    // there are.
    const double hue = std::fmod(key * 137.508 + 20.0, 360.0) / 360.0;
    // As red, green and blue: that is what drawing and dimming read.
    return QColor::fromHsvF(static_cast<float>(hue), 0.38F, 1.0F).toRgb();
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
    const MapCell& cell = Cell(code);
    const CellLook& look = looks_[At(code)];
    switch (role) {
        case Qt::DisplayRole:
            return look.shown;
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return ToolTip(code);
        case Qt::AccessibleTextRole:
            return page_ == kOneBytePage
                       ? CodeMapMessages::CodeMapCell(code, look.shown)
                       : CodeMapMessages::CodeMapTwoByteCell(CodeAt(code).Stored(), look.shown);
        case Qt::BackgroundRole:
            if (look.colour >= 0) return Colour(look.colour);
            return {};
        case Qt::FontRole:
            return font_;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case SourceRole:
            return static_cast<int>(cell.source);
        case LineRole:
            return cell.line;
        case OverlapRole:
            return look.overlap;
        case WrittenRangeRole:
            return look.inRange;
        case SelectedLineRole:
            return IsOfSelectedLine(code);
        case KindRole:
            return static_cast<int>(look.kind);
        default:
            return {};
    }
}

QVariant CodeMapModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section < 0 || section >= kSide) return {};
    if (role == Qt::DisplayRole) {
        // Rows by the high digit, columns by the low one; on a page of two-byte codes the rows
        // carry the first byte.
        if (orientation == Qt::Horizontal) return QLatin1Char('_') + HexDigit(section);
        const QString first = page_ == kOneBytePage ? QString() : HexNumber(At(page_));
        return first + HexDigit(section) + QLatin1Char('_');
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags CodeMapModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString CodeMapModel::LineText(int line) const {
    if (line < 0 || line >= document_.Order().LineCount()) return {};
    return QString::fromStdString(document_.Order().LineText(line));
}

QString CodeMapModel::ToolTip(int code) const {
    const MapCell& cell = Cell(code);
    QStringList lines{page_ == kOneBytePage
                          ? CodeMapMessages::CodeMapCode(code)
                          : CodeMapMessages::CodeMapTwoByteCode(CodeAt(code).Stored())};
    if (cell.text.empty()) {
        lines << CodeMapMessages::CodeMapEmpty();
    } else {
        // The bytes a classic file holds for it, where EUC-JP has them.
        if (const auto bytes = EncodeEucJp(cell.text)) {
            lines << CodeMapMessages::CodeMapBytes(HexBytes(bytes.value()));
        }
        lines << CodeMapMessages::CodeMapText(looks_[At(code)].shown);
    }
    if (const EntryKind kind = looks_[At(code)].kind; kind != EntryKind::Ordinary) {
        const TableEntry& held = Held(code);
        lines << CodeMapMessages::CodeMapKind(kind, held.parameters,
                                              QString::fromStdString(held.table), held.count);
    }
    switch (cell.source) {
        case CellSource::Laid:
            lines << (cell.overlaps >= 0
                          ? CodeMapMessages::CodeMapOverlap(cell.line + 1, LineText(cell.line),
                                                            cell.overlaps + 1,
                                                            LineText(cell.overlaps))
                          : CodeMapMessages::CodeMapLaidBy(cell.line + 1, LineText(cell.line)));
            if (!cell.replaces.empty()) {
                lines << CodeMapMessages::CodeMapReplaces(QString::fromStdString(cell.replaces));
            }
            break;
        case CellSource::Held:
            lines << CodeMapMessages::CodeMapHeld();
            break;
        case CellSource::Empty:
            break;
    }
    if (!MakesFile()) {
        lines << CodeMapMessages::CodeMapNotWritten();
    } else if (!looks_[At(code)].inRange) {
        lines << CodeMapMessages::CodeMapOutOfRange();
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

void CodeMapModel::DocumentAboutToChange(const DocumentChange&) {}

void CodeMapModel::DocumentChanged(const DocumentChange& change) {
    // The files: the format last chosen decides which codes the file holds.
    if (!change.table && !change.order && !change.startCode && !change.sets && !change.files &&
        !change.codeOrder) {
        return;
    }
    if (change.order) {
        // The colour keys move with their lines, followed or not.
        const OrderChange& edit = change.orderChange;
        const auto at = lineKeys_.begin() + edit.line;
        switch (edit.kind) {
            case OrderChange::Kind::Appended:
            case OrderChange::Kind::Inserted:
                lineKeys_.insert(at, nextKey_++);
                break;
            case OrderChange::Kind::Removed:
                lineKeys_.erase(at);
                break;
            case OrderChange::Kind::StartSet:
                break;
            case OrderChange::Kind::Replaced:
                lineKeys_.clear();
                for (int line = 0; line < document_.Order().LineCount(); ++line) {
                    lineKeys_.push_back(nextKey_++);
                }
                break;
        }
    }
    Changed();
}

void CodeMapModel::Refresh() {
    const EntryKinds& kinds = document_.TableText().Kinds();
    CodeMap next = ComposeCodeMap(document_.TableText().Texts(), document_.Order(),
                                  document_.StartCode(), kinds, document_.TwoByteOrder());
    stale_ = false;
    format_ = FormatNamed(document_.Contents().tableFormat).value_or(TableFormat::Classic);
    map_.failure = std::move(next.failure);
    map_.first = next.first;
    map_.last = next.last;
    map_.duplicates = std::move(next.duplicates);
    map_.twoByte = std::move(next.twoByte);
    refusal_ = FileRefusal(next.cells);
    if (refusal_) map_.duplicates.clear();  // no file, so nothing in it stands twice
    const bool all = std::exchange(lookAll_, false);
    std::array<int, 4> block{-1, 0, 0, 0};
    if (page_ == kOneBytePage) {
        block = TakeCells(next.cells, all);
    } else {
        // The one-byte cells are kept for the words under the grid and for the page's return.
        map_.cells = std::move(next.cells);
        auto page = ComposePage(page_);
        block = TakeCells(page, all);
    }
    // A text format writes the whole table: the texts at more than one code are the whole
    // table's, as MAKE TABLE's warning names them.
    if (MakesFile() && WritesWithNothingLaid(format_)) {
        CodeTable texts;
        EntryKinds written = kinds;
        for (std::size_t code = 0; code < texts.size(); ++code) {
            texts[code] = map_.cells[code].text;
            if (map_.cells[code].source == CellSource::Laid) written[code] = EntryKind::Ordinary;
        }
        map_.duplicates = DuplicateEntries(texts, written, document_.TableText().TwoByte());
    }
    if (block[0] >= 0) emit dataChanged(index(block[0], block[1]), index(block[2], block[3]));
    FindPagesInUse();
    FindKindsShown();
    emit refreshed();
}

std::optional<FormatError> CodeMapModel::FileRefusal(
    const std::array<MapCell, kCodeCount>& cells) const {
    // Only the classic file refuses a table for what it holds as a whole (two-byte codes, text
    // EUC-JP lacks); what a text format cannot write is said by MAKE TABLE when it is asked.
    if (map_.failure || format_ != TableFormat::Classic) return std::nullopt;
    const TableEntries& held = document_.TableText();
    CodeTable texts;
    EntryKinds kinds = held.Kinds();
    for (std::size_t code = 0; code < texts.size(); ++code) {
        texts[code] = cells[code].text;
        if (cells[code].source == CellSource::Laid) kinds[code] = EntryKind::Ordinary;
    }
    // The two-byte codes held, and those laid besides: copied only when some are laid.
    const TwoByteTable* twoByte = &held.TwoByte();
    TwoByteTable withLaid;
    if (!map_.twoByte.empty()) {
        withLaid = held.TwoByte();
        for (const auto& [code, laid] : map_.twoByte) withLaid[code] = TableEntry{laid.member};
        twoByte = &withLaid;
    }
    const auto file = FormatTable(texts, map_.first, map_.last, format_, kinds, *twoByte);
    if (file) return std::nullopt;
    return file.error();
}

std::array<MapCell, kCodeCount> CodeMapModel::ComposePage(int page) const {
    return ComposeTwoBytePage(document_.TableText().TwoByte(), &map_.twoByte, static_cast<ByteCode>(page),
                              !map_.failure);
}

void CodeMapModel::FindPagesInUse() {
    std::vector<PageInUse> pages =
        TwoBytePagesInUse(document_.TableText().TwoByte(), &map_.twoByte);
    if (pages == pagesInUse_) return;
    pagesInUse_ = std::move(pages);
    emit pagesInUseChanged();
}

void CodeMapModel::ShowPage(int page) {
    if (page == page_ || page < kOneBytePage || page >= kCodeCount) return;
    page_ = page;
    if (stale_) {
        // Hidden: the page is composed when the map follows again.
        lookAll_ = true;
    } else {
        // The one-byte cells stay in the map all the while, where the words under the grid
        // read them.
        auto cells = page == kOneBytePage ? map_.cells : ComposePage(page);
        (void)TakeCells(cells, true);
    }
    emit headerDataChanged(Qt::Vertical, 0, kSide - 1);
    emit dataChanged(index(0, 0), index(kSide - 1, kSide - 1));
}

std::array<int, 4> CodeMapModel::TakeCells(std::array<MapCell, kCodeCount>& next, bool all) {
    const bool onePage = page_ == kOneBytePage;
    std::array<MapCell, kCodeCount>& shown = onePage ? map_.cells : pageCells_;
    const EntryKinds& kinds = document_.TableText().Kinds();
    const bool makesFile = MakesFile();
    // The changed cells are announced as the one block that holds them all, so that the view
    // repaints a rectangle: drawing clipped to a ragged region of row pieces costs the raster
    // engine several times as much per cell.
    int top = -1;
    int bottom = -1;
    int left = kSide;
    int right = -1;
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            const std::size_t code = At(row * kSide + column);
            MapCell& cell = shown[code];
            MapCell& now = next[code];
            CellLook& look = looks_[code];
            const bool newText = all || now.text != cell.text;
            const int colour = now.source == CellSource::Laid ? KeyOfLine(now.line) : -1;
            const bool overlap = now.overlaps >= 0 || !now.replaces.empty();
            // Dimmed: what the file will not hold, and the empty codes outside the range laid.
            const EntryKind kind = now.source == CellSource::Laid || !onePage ? EntryKind::Ordinary
                                                                              : kinds[code];
            // The kind shown: a two-byte code's own where it is held.
            const EntryKind shownKind =
                onePage || now.source != CellSource::Held ? kind
                                                          : Held(static_cast<int>(code)).kind;
            // A two-byte page: the text formats write every code held or laid, classic none.
            const bool inRange =
                makesFile &&
                (onePage ? WritesCode(format_, static_cast<int>(code), now.text, kind, now.inRange) ||
                               (!HoldsEntry(now.text, kind) && now.inRange)
                         : WritesWithNothingLaid(format_) && now.inRange);
            const bool changed = newText || now.source != look.source || colour != look.colour ||
                                 overlap != look.overlap || inRange != look.inRange ||
                                 shownKind != look.kind ||
                                 (shownKind == EntryKind::TableSwitch && now.text.empty());
            if (changed) {
                if (newText || shownKind != look.kind || shownKind == EntryKind::TableSwitch) {
                    look.shown = Shown(now.text);
                    // A switch with no label is shown by the table it names.
                    if (shownKind == EntryKind::TableSwitch && now.text.empty()) {
                        look.shown = QLatin1Char('@') +
                                     QString::fromStdString(Held(static_cast<int>(code)).table);
                    }
                }
                look.kind = shownKind;
                look.source = now.source;
                look.colour = colour;
                look.overlap = overlap;
                look.inRange = inRange;
                if (top < 0) top = row;
                bottom = row;
                left = std::min(left, column);
                right = std::max(right, column);
            }
            if (&cell != &now) cell = std::move(now);
        }
    }
    return {top, left, bottom, right};
}

void CodeMapModel::SetSelectedLine(int line) {
    if (line == selectedLine_) return;
    const int before = std::exchange(selectedLine_, line);
    AnnounceLine(before);
    AnnounceLine(line);
}

void CodeMapModel::AnnounceLine(int line) {
    if (line < 0) return;
    // As one block, like a refresh: a line's codes mostly run on from one another anyway.
    int first = -1;
    int last = -1;
    for (int code = 0; code < kCodeCount; ++code) {
        if (Cell(code).line != line) continue;
        if (first < 0) first = code;
        last = code;
    }
    if (first < 0) return;
    const int left = first / kSide == last / kSide ? first % kSide : 0;
    const int right = first / kSide == last / kSide ? last % kSide : kSide - 1;
    emit dataChanged(index(first / kSide, left), index(last / kSide, right));
}

}  // namespace glyphwright

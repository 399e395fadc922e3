#include "FontPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>

#include <algorithm>
#include <tuple>

#include "FindFontMessages.h"
#include "FontGrid.h"
#include "FontMessages.h"
#include "GameFileMessages.h"
#include "HexText.h"
#include "OneLineBox.h"

namespace glyphwright {

namespace {

QString Name(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QLabel* Buddy(const QString& text, QWidget* control) {
    auto* label = new QLabel(text);
    label->setBuddy(control);
    return label;
}

bool IsBitmap(TileFormat tiles) {
    return tiles == TileFormat::Bitmap || tiles == TileFormat::BitmapPacked;
}

}  // namespace

FontPage::FontPage(QObject* parent)
    : QObject(parent),
      file_(new QLabel),
      format_(new QComboBox),
      width_(new QSpinBox),
      height_(new QSpinBox),
      order_(new QComboBox),
      compression_(new QComboBox),
      offset_(new QLineEdit),
      zoom_(new QSpinBox),
      scroller_(new QScrollArea),
      grid_(new FontGrid),
      status_(new QLabel),
      controls_(new QHBoxLayout) {
    unpackPool_.setMaxThreadCount(1);
    format_->setObjectName(QStringLiteral("cmbFormat"));
    width_->setObjectName(QStringLiteral("spnWidth"));
    height_->setObjectName(QStringLiteral("spnHeight"));
    order_->setObjectName(QStringLiteral("cmbTileOrder"));
    compression_->setObjectName(QStringLiteral("cmbCompression"));
    offset_->setObjectName(QStringLiteral("txtOffset"));
    zoom_->setObjectName(QStringLiteral("spnZoom"));
    grid_->setObjectName(QStringLiteral("glyphGrid"));
    status_->setObjectName(QStringLiteral("lblStatus"));
    file_->setObjectName(QStringLiteral("lblFile"));
    grid_->setAttribute(Qt::WA_InputMethodEnabled);

    for (const TileFormat format : AllTileFormats()) {
        format_->addItem(Name(TileFormatName(format)), static_cast<int>(format));
        format_->setItemData(format_->count() - 1, FontMessages::FontFormatDescription(format),
                             Qt::ToolTipRole);
    }
    for (const TileOrder order : {TileOrder::Across, TileOrder::Down}) {
        order_->addItem(Name(TileOrderName(order)), static_cast<int>(order));
        order_->setItemData(order_->count() - 1, FontMessages::FontTileOrderDescription(order),
                            Qt::ToolTipRole);
    }
    for (const Compression compression : AllCompressions()) {
        compression_->addItem(Name(CompressionName(compression)), static_cast<int>(compression));
        compression_->setItemData(compression_->count() - 1,
                                  FontMessages::FontCompressionDescription(compression),
                                  Qt::ToolTipRole);
    }
    width_->setRange(GlyphFormat::kTileSide, GlyphFormat::kMaxSide);
    height_->setRange(GlyphFormat::kTileSide, GlyphFormat::kMaxSide);
    width_->setSingleStep(GlyphFormat::kTileSide);
    height_->setSingleStep(GlyphFormat::kTileSide);
    width_->setValue(GlyphFormat::kTileSide);
    height_->setValue(GlyphFormat::kTileSide);
    zoom_->setRange(1, kMaxZoom);
    zoom_->setValue(2);
    zoom_->setSuffix(FontMessages::FontZoomSuffix());
    offset_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("(0[xX])?[0-9A-Fa-f]{1,16}")), offset_));
    OneLineBox::Keep(*offset_);
    offset_->setToolTip(FontMessages::FontKeys());
    grid_->setToolTip(FontMessages::FontKeys());
    grid_->setAccessibleName(FontMessages::FontGlyphs());
    scroller_->setWidget(grid_);
    scroller_->setWidgetResizable(false);
    scroller_->setFocusPolicy(Qt::NoFocus);
    // Beyond the page the ground goes on, so a small zoom shows no frame of another colour.
    QPalette ground = scroller_->viewport()->palette();
    ground.setColor(QPalette::Window, QColor::fromRgb(FontGrid::PageColour()));
    scroller_->viewport()->setPalette(ground);
    scroller_->viewport()->setAutoFillBackground(true);
    // Room for any offset of any file.
    offset_->setMinimumWidth(offset_->fontMetrics().horizontalAdvance(QString(17, u'D')));

    controls_->addWidget(Buddy(FontMessages::FontFormatLabel(), format_));
    controls_->addWidget(format_);
    controls_->addSpacing(8);
    controls_->addWidget(Buddy(FontMessages::FontWidthLabel(), width_));
    controls_->addWidget(width_);
    controls_->addWidget(Buddy(FontMessages::FontHeightLabel(), height_));
    controls_->addWidget(height_);
    controls_->addWidget(Buddy(FontMessages::FontTileOrderLabel(), order_));
    controls_->addWidget(order_);
    controls_->addSpacing(8);
    controls_->addWidget(Buddy(FontMessages::FontCompressionLabel(), compression_));
    controls_->addWidget(compression_);
    controls_->addWidget(Buddy(FontMessages::FontOffsetLabel(), offset_));
    controls_->addWidget(offset_, 1);
    controls_->addSpacing(8);
    controls_->addWidget(Buddy(FontMessages::FontZoomLabel(), zoom_));
    controls_->addWidget(zoom_);

    const auto formatChosen = [this] { FormatChosen(); };
    connect(format_, &QComboBox::currentIndexChanged, this, formatChosen);
    connect(order_, &QComboBox::currentIndexChanged, this, formatChosen);
    connect(width_, &QSpinBox::valueChanged, this, formatChosen);
    connect(height_, &QSpinBox::valueChanged, this, formatChosen);
    connect(compression_, &QComboBox::currentIndexChanged, this, &FontPage::CompressionChosen);
    connect(zoom_, &QSpinBox::valueChanged, this, &FontPage::placeChosen);
    connect(offset_, &QLineEdit::returnPressed, this, &FontPage::OffsetTyped);
    connect(grid_, &FontGrid::glyphClicked, this,
            [this](int index, Qt::KeyboardModifiers modifiers) {
                Click(index, (modifiers & Qt::ShiftModifier) != 0);
            });
}

FontPage::~FontPage() = default;

int FontPage::Zoom() const {
    return zoom_->value();
}

bool FontPage::Take(const FontSettings& settings) {
    const auto shown = [this] {
        return std::tuple(view_.Format(), PlaceShown(), zoom_->value(), packing_, stream_);
    };
    const auto before = shown();
    const GlyphFormat& format = settings.format;
    {
        const QSignalBlocker quietFormat(format_);
        const QSignalBlocker quietOrder(order_);
        const QSignalBlocker quietZoom(zoom_);
        const QSignalBlocker quietCompression(compression_);
        format_->setCurrentIndex(format_->findData(static_cast<int>(format.Tiles())));
        compression_->setCurrentIndex(
            compression_->findData(static_cast<int>(settings.compression)));
        order_->setCurrentIndex(order_->findData(static_cast<int>(format.Order())));
        zoom_->setValue(settings.zoom);
    }
    FitSizes(format.Tiles());
    {
        const QSignalBlocker quietWidth(width_);
        const QSignalBlocker quietHeight(height_);
        width_->setValue(format.Width());
        height_->setValue(format.Height());
    }
    view_.SetFormat(format);
    if (settings.compression != packing_ || settings.stream != stream_) {
        packing_ = settings.compression;
        stream_ = settings.stream;
        LoadSource();
    }
    PlaceAt(settings.offset);
    bool changed = shown() != before;
    if (settings.anchor != anchor_ || settings.order16 != order16_) {
        anchor_ = settings.anchor;
        order16_ = settings.order16;
        if (anchor_) {
            // By the format shown when asked, which is the format kept.
            view_.SetCodeForGlyph([this, anchor = *anchor_, order16 = order16_](std::uint64_t at) {
                return CodeOfGlyph(anchor, view_.Format().BytesPerGlyph(), at, order16);
            });
        } else {
            view_.SetCodeForGlyph({});
        }
        changed = true;
    }
    return changed;
}

void FontPage::Put(FontSettings& settings) const {
    settings.format = view_.Format();
    settings.compression = packing_;
    settings.stream = packing_ != Compression::None ? stream_ : 0;
    // Without a file the view shows no place: the offset held stays for the file to come.
    if (view_.File()) settings.offset = PlaceShown();
    settings.zoom = zoom_->value();
}

void FontPage::SetFile(const std::optional<GameFile>& file) {
    file_->setText(
        file ? GameFileMessages::GameFileShown(QString::fromLocal8Bit(file->Path()), file->Size())
             : GameFileMessages::NoGameFile());
    view_.SetFile(file);
    LoadSource();
    view_.Select(0);
    rangeFrom_ = -1;
}

void FontPage::LoadSource() {
    streamFailure_.clear();
    const std::uint64_t place = PlaceShown();
    // A stream asked for before and still unpacking is not wanted any more.
    unpacking_.reset();
    const auto& file = view_.File();
    if (packing_ == Compression::None || !file) {
        if (view_.ReadsUnpacked()) view_.SetUnpacked(nullptr);
        view_.SetOffset(place);
        return;
    }
    // Nothing to show until the stream is unpacked; the place asked for is kept for then.
    wantedOffset_ = place;
    view_.SetUnpacked(std::make_shared<const std::vector<std::uint8_t>>());
    unpacking_ = StartUnpack(unpackPool_, *file, stream_, packing_);
    connect(unpacking_.get(), &StreamUnpackJob::finished, this, &FontPage::Unpacked);
}

void FontPage::Unpacked() {
    // Only the job asked for last is heard: one superseded went with its watcher. It goes once
    // it has said everything.
    StreamUnpackJob* job = unpacking_.release();
    job->deleteLater();
    // The work always says how it went: only a job destroyed is stopped, and it is not heard.
    const UnpackedStream outcome = job->result();
    if (outcome.bytes) {
        view_.SetUnpacked(outcome.bytes);
    } else if (const auto* problem = std::get_if<StreamProblem>(&outcome.failure)) {
        // Nothing to show, and the settings stay as chosen: another offset or compression may
        // read.
        streamFailure_ = FontMessages::FontStreamUnreadable(
            HexNumber(stream_, 1), Name(CompressionName(packing_)),
            FindFontMessages::StreamProblemText(*problem));
    } else {
        streamFailure_ = GameFileMessages::Failure(std::get<GameFileError>(outcome.failure));
    }
    view_.SetOffset(wantedOffset_);
    emit sourceRead();
}

void FontPage::PlaceAt(std::uint64_t offset) {
    if (unpacking_) {
        wantedOffset_ = offset;
    } else {
        view_.SetOffset(offset);
    }
}

std::uint64_t FontPage::PlaceShown() const {
    return unpacking_ ? wantedOffset_ : view_.Offset();
}

void FontPage::CompressionChosen() {
    const auto chosen = static_cast<Compression>(compression_->currentData().toInt());
    if (chosen == packing_) return;
    // The offset box keeps its number: a raw page's offset becomes the stream's start, and a
    // stream's start the raw page's offset.
    const std::uint64_t shown = packing_ != Compression::None ? stream_ : view_.Offset();
    packing_ = chosen;
    rangeFrom_ = -1;
    if (packing_ != Compression::None) {
        stream_ = shown;
        LoadSource();
        PlaceAt(0);
    } else {
        stream_ = 0;
        LoadSource();
        PlaceAt(shown);
    }
    view_.Select(0);
    emit placeChosen();
}

void FontPage::FitSizes(TileFormat tiles) {
    const bool bitmap = IsBitmap(tiles);
    // Tiled glyphs are whole tiles; the spin boxes step and round to them.
    const int least = bitmap ? GlyphFormat::kMinBitmapSide : GlyphFormat::kTileSide;
    const int step = bitmap ? 1 : GlyphFormat::kTileSide;
    for (QSpinBox* side : {width_, height_}) {
        const QSignalBlocker quiet(side);
        side->setRange(least, GlyphFormat::kMaxSide);
        side->setSingleStep(step);
        side->setValue((side->value() + step - 1) / step * step);
    }
    order_->setEnabled(!bitmap);
}

void FontPage::FormatChosen() {
    const auto tiles = static_cast<TileFormat>(format_->currentData().toInt());
    FitSizes(tiles);
    const auto format = GlyphFormat::Make(tiles, width_->value(), height_->value(),
                                          static_cast<TileOrder>(order_->currentData().toInt()));
    if (format) view_.SetFormat(format.value());
    emit placeChosen();
}

void FontPage::OffsetTyped() {
    QString typed = offset_->text().trimmed();
    if (typed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) typed = typed.mid(2);
    bool ok = false;
    const qulonglong offset = typed.toULongLong(&ok, 16);
    if (ok && packing_ != Compression::None) {
        // A packed font's offset names its stream; the page starts at what it unpacks to.
        rangeFrom_ = -1;
        stream_ = offset;
        LoadSource();
        PlaceAt(0);
        view_.Select(0);
    } else if (ok) {
        view_.SetOffset(offset);
    }
    emit placeChosen();
    grid_->setFocus();
}

void FontPage::Decode() {
    auto glyphs = view_.Decode();
    failure_ = glyphs ? QString() : GameFileMessages::Failure(glyphs.error());
    glyphs_ = glyphs ? std::move(glyphs).value() : std::vector<GlyphImage>{};
    ShowOffset();
}

void FontPage::ShowOffset() {
    if (offset_->hasFocus()) return;
    offset_->setText(HexNumber(packing_ != Compression::None ? stream_ : view_.Offset(), 1));
}

void FontPage::Draw(const QStringList& captions, const QStringList& guesses) {
    const GlyphFormat& format = view_.Format();
    grid_->Show(glyphs_, format.Width(), format.Height(), zoom_->value(), captions, guesses);
    grid_->resize(grid_->sizeHint());
}

void FontPage::ShowSelection() {
    grid_->Select(view_.GlyphsShown() > 0 ? view_.Selected() : -1);
    if (rangeFrom_ >= view_.GlyphsShown()) rangeFrom_ = -1;
    const auto [first, last] = rangeFrom_ >= 0 ? Range() : std::pair<int, int>(0, -1);
    grid_->SelectRange(first, last);
    if (unpacking_) {
        status_->setText(
            FontMessages::FontUnpacking(HexNumber(stream_, 1), Name(CompressionName(packing_))));
    } else if (!failure_.isEmpty() || !streamFailure_.isEmpty()) {
        status_->setText(!streamFailure_.isEmpty() ? streamFailure_ : failure_);
    } else if (!view_.File()) {
        status_->setText(GameFileMessages::NoGameFile());
    } else if (view_.GlyphsShown() == 0) {
        status_->setText(FontMessages::FontNoGlyphs());
    } else {
        const auto code = view_.CodeOf(view_.Selected());
        const QString at = HexNumber(view_.GlyphOffset(view_.Selected()), 1);
        status_->setText(packing_ != Compression::None
                             ? FontMessages::FontSelectedInStream(at, HexNumber(stream_, 1), code)
                             : FontMessages::FontSelectedCode(at, code));
        const QRect glyph = grid_->GlyphRect(view_.Selected());
        scroller_->ensureVisible(glyph.center().x(), glyph.center().y(), glyph.width(),
                                 glyph.height());
    }
}

void FontPage::Step(FontView::Step step, std::int64_t count) {
    rangeFrom_ = -1;
    view_.StepOffset(step, count);
}

void FontPage::ZoomBy(int change) {
    zoom_->setValue(zoom_->value() + change);
}

bool FontPage::MoveSelection(int across, int down) {
    rangeFrom_ = -1;
    const std::uint64_t before = view_.Offset();
    view_.MoveSelection(across, down);
    return view_.Offset() != before;
}

void FontPage::Click(int index, bool extend) {
    if (!extend) {
        rangeFrom_ = -1;
    } else if (rangeFrom_ < 0) {
        rangeFrom_ = view_.Selected();
    }
    view_.Select(index);
    emit selectionMoved();
}

void FontPage::SelectWholePage() {
    if (view_.GlyphsShown() == 0) return;
    rangeFrom_ = 0;
    view_.Select(view_.GlyphsShown() - 1);
}

std::pair<int, int> FontPage::Range() const {
    const int selected = view_.Selected();
    if (rangeFrom_ < 0) return {selected, selected};
    return {std::min(rangeFrom_, selected), std::max(rangeFrom_, selected)};
}

}  // namespace glyphwright

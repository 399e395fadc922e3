#include "FontWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <utility>

#include "DocumentHistory.h"
#include "FontGrid.h"
#include "HexText.h"
#include "Messages.h"
#include "OneLineBox.h"
#include "OpenGameFile.h"
#include "RunAction.h"
#include "WindowQueries.h"
#include "core/EucJp.h"
#include "dialogs/PutSingleEntry.h"

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

constexpr int kWheelNotch = 120;  // angle of one notch of a common wheel

// What the table holds at a code, as the user reads it; nothing for bytes that are no EUC-JP.
QString Shown(const std::string& bytes) {
    if (bytes.empty()) return {};
    const auto text = DecodeEucJp(bytes);
    return text ? QString::fromStdString(text.value()) : QString();
}

}  // namespace

FontWindow::FontWindow(DocumentHistory& history, OpenGameFile& game, WindowQueries& user,
                       QWidget* parent)
    : QWidget(parent),
      history_(history),
      document_(history.Doc()),
      game_(game),
      user_(user),
      file_(new QLabel),
      format_(new QComboBox),
      width_(new QSpinBox),
      height_(new QSpinBox),
      order_(new QComboBox),
      offset_(new QLineEdit),
      zoom_(new QSpinBox),
      anchor_(new QLineEdit),
      label_(new QLineEdit),
      scroller_(new QScrollArea),
      grid_(new FontGrid),
      status_(new QLabel) {
    setObjectName(QStringLiteral("frmFont"));
    setWindowTitle(Messages::FontTitle());
    format_->setObjectName(QStringLiteral("cmbFormat"));
    width_->setObjectName(QStringLiteral("spnWidth"));
    height_->setObjectName(QStringLiteral("spnHeight"));
    order_->setObjectName(QStringLiteral("cmbTileOrder"));
    offset_->setObjectName(QStringLiteral("txtOffset"));
    zoom_->setObjectName(QStringLiteral("spnZoom"));
    grid_->setObjectName(QStringLiteral("glyphGrid"));
    status_->setObjectName(QStringLiteral("lblStatus"));
    file_->setObjectName(QStringLiteral("lblFile"));
    anchor_->setObjectName(QStringLiteral("txtAnchor"));
    label_->setObjectName(QStringLiteral("txtCharacters"));
    anchor_->setToolTip(Messages::FontAnchorTip());
    label_->setToolTip(Messages::FontCharactersTip());
    OneLineBox::Keep(*anchor_);
    OneLineBox::Keep(*label_);

    for (const TileFormat format : AllTileFormats()) {
        format_->addItem(Name(TileFormatName(format)), static_cast<int>(format));
        format_->setItemData(format_->count() - 1, Messages::FontFormatDescription(format),
                             Qt::ToolTipRole);
    }
    for (const TileOrder order : {TileOrder::Across, TileOrder::Down}) {
        order_->addItem(Name(TileOrderName(order)), static_cast<int>(order));
        order_->setItemData(order_->count() - 1, Messages::FontTileOrderDescription(order),
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
    zoom_->setSuffix(Messages::FontZoomSuffix());
    offset_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("(0[xX])?[0-9A-Fa-f]{1,16}")), offset_));
    OneLineBox::Keep(*offset_);
    offset_->setToolTip(Messages::FontKeys());
    grid_->setToolTip(Messages::FontKeys());
    grid_->setAccessibleName(Messages::FontGlyphs());
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

    auto* settings = new QHBoxLayout;
    settings->addWidget(Buddy(Messages::FontFormatLabel(), format_));
    settings->addWidget(format_);
    settings->addSpacing(8);
    settings->addWidget(Buddy(Messages::FontWidthLabel(), width_));
    settings->addWidget(width_);
    settings->addWidget(Buddy(Messages::FontHeightLabel(), height_));
    settings->addWidget(height_);
    settings->addWidget(Buddy(Messages::FontTileOrderLabel(), order_));
    settings->addWidget(order_);
    settings->addSpacing(8);
    settings->addWidget(Buddy(Messages::FontOffsetLabel(), offset_));
    settings->addWidget(offset_, 1);
    settings->addSpacing(8);
    settings->addWidget(Buddy(Messages::FontZoomLabel(), zoom_));
    settings->addWidget(zoom_);

    auto* naming = new QHBoxLayout;
    naming->addWidget(Buddy(Messages::FontAnchorLabel(), anchor_));
    naming->addWidget(anchor_);
    naming->addSpacing(8);
    naming->addWidget(Buddy(Messages::FontCharactersLabel(), label_));
    naming->addWidget(label_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_);
    layout->addLayout(settings);
    layout->addLayout(naming);
    layout->addWidget(scroller_, 1);
    layout->addWidget(status_);

    const auto formatChosen = [this] { FormatChosen(); };
    connect(format_, &QComboBox::currentIndexChanged, this, formatChosen);
    connect(order_, &QComboBox::currentIndexChanged, this, formatChosen);
    connect(width_, &QSpinBox::valueChanged, this, formatChosen);
    connect(height_, &QSpinBox::valueChanged, this, formatChosen);
    connect(zoom_, &QSpinBox::valueChanged, this, &FontWindow::Refresh);
    connect(offset_, &QLineEdit::returnPressed, this, &FontWindow::OffsetTyped);
    connect(anchor_, &QLineEdit::returnPressed, this,
            [this] { RunAction(user_, [this] { AnchorTyped(); }); });
    connect(label_, &QLineEdit::returnPressed, this,
            [this] { RunAction(user_, [this] { LabelTyped(); }); });
    connect(grid_, &FontGrid::glyphClicked, this, [this](int index) {
        view_.Select(index);
        ShowSelection();
    });
    connect(&game_, &OpenGameFile::changed, this, &FontWindow::FileChanged);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            &FontWindow::openRequested);
    grid_->installEventFilter(this);
    scroller_->viewport()->installEventFilter(this);

    taking_ = true;
    FileChanged();
    taking_ = false;
    TakeSettings();
    document_.AddObserver(*this);
    grid_->setFocus();
}

FontWindow::~FontWindow() {
    document_.RemoveObserver(*this);
}

void FontWindow::DocumentChanged(const DocumentChange& change) {
    if ((change.settings && !keeping_) || change.codeOrder) {
        TakeSettings();
    } else if (change.table || change.order || change.startCode) {
        Refresh();  // the characters under the glyphs
    }
}

void FontWindow::TakeSettings() {
    settings_ = FontSettings::Of(document_);
    const GlyphFormat& format = settings_.format;
    taking_ = true;
    {
        const QSignalBlocker quietFormat(format_);
        const QSignalBlocker quietOrder(order_);
        const QSignalBlocker quietZoom(zoom_);
        format_->setCurrentIndex(format_->findData(static_cast<int>(format.Tiles())));
        order_->setCurrentIndex(order_->findData(static_cast<int>(format.Order())));
        zoom_->setValue(settings_.zoom);
    }
    FormatChosen();  // the sizes the format allows
    {
        const QSignalBlocker quietWidth(width_);
        const QSignalBlocker quietHeight(height_);
        width_->setValue(format.Width());
        height_->setValue(format.Height());
    }
    view_.SetFormat(format);
    view_.SetOffset(settings_.offset);
    if (settings_.anchor) {
        view_.SetCodeForGlyph(
            [this](std::uint64_t glyphOffset) { return settings_.CodeAt(glyphOffset); });
    } else {
        view_.SetCodeForGlyph({});
    }
    taking_ = false;
    Refresh();
}

void FontWindow::KeepSettings() {
    if (taking_) return;
    settings_.format = view_.Format();
    settings_.offset = view_.Offset();
    settings_.zoom = zoom_->value();
    std::string json = settings_.Json();
    const auto& all = document_.Contents().featureSettings;
    const auto held = all.find(FontSettings::kFeature);
    if (held != all.end() ? held->second == json : json == FontSettings{}.Json()) {
        return;  // as kept, or as a document that never named its font
    }
    keeping_ = true;
    document_.SetFeatureSettings(FontSettings::kFeature, std::move(json));
    keeping_ = false;
}

void FontWindow::AnchorTyped() {
    const QString typed = anchor_->text().trimmed();
    if (typed.isEmpty() || view_.GlyphsShown() == 0) return;
    const auto refuse = [this](const QString& text) {
        user_.ShowMessage(Messages::Title().toStdString(), text.toStdString(),
                          MessageIcon::Exclamation);
    };
    // Two hex digits are a code, four a two-byte code; anything else is the glyph's character,
    // found in the table.
    static const QRegularExpression kCode(QStringLiteral("^([0-9A-Fa-f]{2}|[0-9A-Fa-f]{4})$"));
    std::optional<TableCode> code;
    if (kCode.match(typed).hasMatch()) {
        code = ReadTableCode(typed.toStdString());
    } else {
        const auto bytes = EncodeEucJp(typed.toStdString());
        if (!bytes) {
            refuse(Messages::NotEucJp(QString::fromStdString(bytes.error().character)));
            return;
        }
        code = OnlyCodeHolding(TableAsMadeNow(document_.Table(), document_.Order(),
                                              document_.StartCode(), document_.TwoByteOrder()),
                               bytes.value());
        if (!code) {
            refuse(Messages::FontCharacterNotHeld(typed));
            return;
        }
    }
    FontSettings anchored = settings_;
    anchored.format = view_.Format();
    anchored.offset = view_.Offset();
    anchored.zoom = zoom_->value();
    anchored.anchor = FontAnchor{view_.GlyphOffset(view_.Selected()), *code};
    history_.Run(
        DocumentCommand::SetFeatureSettings(document_, FontSettings::kFeature, anchored.Json()),
        Messages::FontAnchorAction(*code));
    anchor_->clear();
}

void FontWindow::LabelTyped() {
    const QString characters = label_->text();
    if (characters.isEmpty() || view_.GlyphsShown() == 0) return;
    const auto code = view_.CodeOf(view_.Selected());
    if (!code) {
        user_.ShowMessage(Messages::Title().toStdString(), Messages::FontNoCode().toStdString(),
                          MessageIcon::Exclamation);
        return;
    }
    if (!PutSingleEntry(history_, user_, *code, characters)) return;
    label_->clear();
    view_.MoveSelection(1, 0);
    Refresh();
}

void FontWindow::Present() {
    if (!isVisible()) {
        if (!place_.isEmpty()) {
            restoreGeometry(place_);
        } else if (const QScreen* shown = screen()) {
            // The first time, room for a page of 16x16 glyphs at 2x, or the page shown if it is
            // larger, where the screen allows.
            const int room = FontGrid::kGap + FontGrid::kColumns * (16 * 2 + FontGrid::kGap);
            const int frame = 2 * scroller_->frameWidth();
            const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            const QSize page =
                grid_->sizeHint().expandedTo(QSize(room, room)) + QSize(frame + bar, frame + bar);
            const QSize whole = sizeHint() - scroller_->sizeHint() + page;
            resize(whole.boundedTo(shown->availableSize() * 9 / 10));
        }
        show();
    }
    raise();
    activateWindow();
}

void FontWindow::SetCodeForGlyph(FontView::CodeForGlyph codeForGlyph) {
    view_.SetCodeForGlyph(std::move(codeForGlyph));
    Refresh();
}

void FontWindow::closeEvent(QCloseEvent* event) {
    // Hidden, not destroyed: the window keeps its settings and place for the session.
    place_ = saveGeometry();
    event->accept();
}

void FontWindow::FileChanged() {
    const auto& file = game_.File();
    file_->setText(file
                       ? Messages::GameFileShown(QString::fromLocal8Bit(file->Path()), file->Size())
                       : Messages::NoGameFile());
    view_.SetFile(file);
    view_.SetOffset(0);
    view_.Select(0);
    Refresh();
}

void FontWindow::FormatChosen() {
    const auto tiles = static_cast<TileFormat>(format_->currentData().toInt());
    const bool bitmap = tiles == TileFormat::Bitmap || tiles == TileFormat::BitmapPacked;
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
    const auto format = GlyphFormat::Make(tiles, width_->value(), height_->value(),
                                          static_cast<TileOrder>(order_->currentData().toInt()));
    if (format) view_.SetFormat(format.value());
    Refresh();
}

void FontWindow::OffsetTyped() {
    QString typed = offset_->text().trimmed();
    if (typed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) typed = typed.mid(2);
    bool ok = false;
    const qulonglong offset = typed.toULongLong(&ok, 16);
    if (ok) view_.SetOffset(offset);
    Refresh();
    grid_->setFocus();
}

void FontWindow::Step(FontView::Step step, std::int64_t count) {
    view_.StepOffset(step, count);
    Refresh();
}

void FontWindow::Zoom(int change) {
    zoom_->setValue(zoom_->value() + change);
}

void FontWindow::Refresh() {
    const auto glyphs = view_.Decode();
    failure_ = glyphs ? QString() : Messages::Failure(glyphs.error());
    QStringList captions;
    if (view_.HasCodes() && glyphs) {
        // What MAKE TABLE would write now, so the codes still empty show as gaps.
        const Workspace table = TableAsMadeNow(document_.Table(), document_.Order(),
                                               document_.StartCode(), document_.TwoByteOrder());
        for (int index = 0; index < static_cast<int>(glyphs.value().size()); ++index) {
            const auto code = view_.CodeOf(index);
            if (!code) {
                captions << QString();
                continue;
            }
            const auto held =
                code->IsTwoByte() ? table.TwoByte.find(code->Stored()) : table.TwoByte.end();
            const std::string& text = !code->IsTwoByte() ? table.TableText[code->FirstByte()]
                                      : held != table.TwoByte.end() ? held->second.bytes
                                                                    : std::string();
            captions << QString::fromStdString(code->Hex()) + u'\n' + Shown(text);
        }
    }
    const GlyphFormat& format = view_.Format();
    grid_->Show(glyphs ? glyphs.value() : std::vector<GlyphImage>{}, format.Width(),
                format.Height(), zoom_->value(), captions);
    grid_->resize(grid_->sizeHint());
    if (!offset_->hasFocus()) offset_->setText(HexNumber(view_.Offset(), 1));
    ShowSelection();
    KeepSettings();
}

void FontWindow::ShowSelection() {
    grid_->Select(view_.GlyphsShown() > 0 ? view_.Selected() : -1);
    if (!failure_.isEmpty()) {
        status_->setText(failure_);
    } else if (!view_.File()) {
        status_->setText(Messages::NoGameFile());
    } else if (view_.GlyphsShown() == 0) {
        status_->setText(Messages::FontNoGlyphs());
    } else {
        const auto code = view_.CodeOf(view_.Selected());
        status_->setText(
            Messages::FontSelectedCode(HexNumber(view_.GlyphOffset(view_.Selected()), 1), code));
        scroller_->ensureVisible(grid_->GlyphRect(view_.Selected()).center().x(),
                                 grid_->GlyphRect(view_.Selected()).center().y(),
                                 grid_->GlyphRect(view_.Selected()).width(),
                                 grid_->GlyphRect(view_.Selected()).height());
    }
}

bool FontWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        return Key(*static_cast<QKeyEvent*>(event));
    }
    if ((watched == grid_ || watched == scroller_->viewport()) && event->type() == QEvent::Wheel) {
        return Wheel(*static_cast<QWheelEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool FontWindow::Key(const QKeyEvent& key) {
    using S = FontView::Step;
    if (key.matches(QKeySequence::ZoomIn) ||
        (key.key() == Qt::Key_Equal && key.modifiers() == Qt::ControlModifier)) {
        Zoom(1);
        return true;
    }
    if (key.matches(QKeySequence::ZoomOut)) {
        Zoom(-1);
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const bool control = modifiers == Qt::ControlModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const int direction = key.key() == Qt::Key_Left ? -1 : 1;
            if (plain) {
                view_.MoveSelection(direction, 0);
                ShowSelection();
            } else if (control) {
                Step(S::Byte, direction);
            } else if (shift) {
                Step(S::Glyph, direction);
            } else {
                return false;
            }
            return true;
        }
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const int direction = key.key() == Qt::Key_Up ? -1 : 1;
            if (plain) {
                const std::uint64_t before = view_.Offset();
                view_.MoveSelection(0, direction);
                if (view_.Offset() != before) {
                    Refresh();
                } else {
                    ShowSelection();
                }
            } else if (control) {
                Step(S::Row, direction);
            } else {
                return false;
            }
            return true;
        }
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (!plain) return false;
            Step(S::Page, key.key() == Qt::Key_PageUp ? -1 : 1);
            return true;
        default:
            return false;
    }
}

bool FontWindow::Wheel(const QWheelEvent& wheel) {
    using S = FontView::Step;
    // Alt turns the wheel sideways on some platforms; either way is a turn.
    const QPoint angle = wheel.angleDelta();
    wheelAngle_ += angle.y() != 0 ? angle.y() : angle.x();
    const int notches = wheelAngle_ / kWheelNotch;
    if (notches == 0) return true;
    wheelAngle_ -= notches * kWheelNotch;
    const Qt::KeyboardModifiers modifiers = wheel.modifiers();
    const S step = modifiers == Qt::ControlModifier ? S::Byte
                   : modifiers == Qt::ShiftModifier ? S::Glyph
                   : modifiers == Qt::AltModifier   ? S::Page
                                                    : S::Row;
    // Turning the wheel away from the user goes back through the file, as a page scrolls.
    Step(step, -notches);
    return true;
}

}  // namespace glyphwright

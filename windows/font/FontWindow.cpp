#include "FontWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

#include "DocumentHistory.h"
#include "FontGrid.h"
#include "FontMessages.h"
#include "GameFileMessages.h"
#include "HexText.h"
#include "OneLineBox.h"
#include "OpenGameFile.h"
#include "ProgramMessages.h"
#include "RunAction.h"
#include "TableOrderMessages.h"
#include "WindowQueries.h"
#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/SuggestionReport.h"
#include "core/text/EucJp.h"
#include "core/text/GameText.h"
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
// How much of the game's text, from where the user says it lies, tells the kana scripts apart.
constexpr std::size_t kTextBytes = 64 * 1024;
// Readings kept for pages turned away from; beyond that they are read again.
constexpr std::size_t kReadingsKept = 16 * 1024;

QString Character(char32_t character) {
    return QString::fromUcs4(&character, 1);
}

int Percent(float confidence) {
    return static_cast<int>(std::lround(confidence * 100));
}

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
      status_(new QLabel),
      reading_(new QCheckBox(FontMessages::FontReadingBox())),
      repertoires_(new QToolButton),
      reference_(new QComboBox),
      textAt_(new QLineEdit),
      acceptAbove_(new QPushButton(FontMessages::FontAcceptAbove())),
      confidence_(new QSpinBox),
      progress_(new QProgressBar),
      cancel_(new QPushButton(FontMessages::FontCancelReading())),
      guessRow_(new QWidget),
      readingShown_(new QLabel),
      reader_(new SuggestionReader(this)) {
    setObjectName(QStringLiteral("frmFont"));
    setWindowTitle(FontMessages::FontTitle());
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
    anchor_->setToolTip(FontMessages::FontAnchorTip());
    label_->setToolTip(FontMessages::FontCharactersTip());
    OneLineBox::Keep(*anchor_);
    OneLineBox::Keep(*label_);
    reading_->setObjectName(QStringLiteral("chkSuggest"));
    repertoires_->setObjectName(QStringLiteral("btnRepertoires"));
    reference_->setObjectName(QStringLiteral("cmbReferenceFont"));
    textAt_->setObjectName(QStringLiteral("txtTextAt"));
    acceptAbove_->setObjectName(QStringLiteral("cmdAcceptAbove"));
    confidence_->setObjectName(QStringLiteral("spnConfidence"));
    progress_->setObjectName(QStringLiteral("barReading"));
    cancel_->setObjectName(QStringLiteral("cmdStopReading"));
    readingShown_->setObjectName(QStringLiteral("lblReading"));
    reading_->setToolTip(FontMessages::FontReadingTip());
    repertoires_->setText(FontMessages::FontRepertoires());
    repertoires_->setPopupMode(QToolButton::InstantPopup);
    auto* repertoireMenu = new QMenu(repertoires_);
    for (const Repertoire repertoire : FontSettings::kRepertoires) {
        QAction* action = repertoireMenu->addAction(FontMessages::FontRepertoire(repertoire));
        action->setObjectName(QStringLiteral("actRepertoire_") + Name(RepertoireName(repertoire)));
        action->setCheckable(true);
        repertoireActions_.push_back(action);
    }
    repertoires_->setMenu(repertoireMenu);
    reference_->setEditable(true);
    reference_->setInsertPolicy(QComboBox::NoInsert);
    reference_->addItems(QFontDatabase::families());
    reference_->setToolTip(FontMessages::FontReferenceTip());
    reference_->setMinimumContentsLength(16);
    reference_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    textAt_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("((0[xX])?[0-9A-Fa-f]{1,16})?")), textAt_));
    textAt_->setToolTip(FontMessages::FontTextAtTip());
    OneLineBox::Keep(*textAt_);
    acceptAbove_->setToolTip(FontMessages::FontAcceptAboveTip());
    acceptAbove_->setAutoDefault(false);
    confidence_->setRange(0, 100);
    confidence_->setSuffix(FontMessages::FontConfidenceSuffix());
    progress_->setTextVisible(true);
    progress_->setVisible(false);
    cancel_->setVisible(false);
    cancel_->setAutoDefault(false);
    for (std::size_t rank = 0; rank < guesses_.size(); ++rank) {
        auto* guess = new QPushButton;
        guess->setObjectName(QStringLiteral("cmdGuess%1").arg(rank + 1));
        guess->setFocusPolicy(Qt::NoFocus);
        guess->setToolTip(FontMessages::FontGuessTip(static_cast<int>(rank + 1)));
        guesses_[rank] = guess;
    }
    readingShown_->setTextFormat(Qt::PlainText);
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

    auto* settings = new QHBoxLayout;
    settings->addWidget(Buddy(FontMessages::FontFormatLabel(), format_));
    settings->addWidget(format_);
    settings->addSpacing(8);
    settings->addWidget(Buddy(FontMessages::FontWidthLabel(), width_));
    settings->addWidget(width_);
    settings->addWidget(Buddy(FontMessages::FontHeightLabel(), height_));
    settings->addWidget(height_);
    settings->addWidget(Buddy(FontMessages::FontTileOrderLabel(), order_));
    settings->addWidget(order_);
    settings->addSpacing(8);
    settings->addWidget(Buddy(FontMessages::FontOffsetLabel(), offset_));
    settings->addWidget(offset_, 1);
    settings->addSpacing(8);
    settings->addWidget(Buddy(FontMessages::FontZoomLabel(), zoom_));
    settings->addWidget(zoom_);

    auto* naming = new QHBoxLayout;
    naming->addWidget(Buddy(FontMessages::FontAnchorLabel(), anchor_));
    naming->addWidget(anchor_);
    naming->addSpacing(8);
    naming->addWidget(Buddy(FontMessages::FontCharactersLabel(), label_));
    naming->addWidget(label_, 1);

    auto* readingRow = new QHBoxLayout;
    readingRow->addWidget(reading_);
    readingRow->addWidget(repertoires_);
    readingRow->addSpacing(8);
    readingRow->addWidget(Buddy(FontMessages::FontReferenceLabel(), reference_));
    readingRow->addWidget(reference_);
    readingRow->addSpacing(8);
    readingRow->addWidget(Buddy(FontMessages::FontTextAtLabel(), textAt_));
    readingRow->addWidget(textAt_);
    readingRow->addSpacing(8);
    readingRow->addWidget(acceptAbove_);
    readingRow->addWidget(confidence_);
    readingRow->addStretch(1);
    readingRow->addWidget(progress_);
    readingRow->addWidget(cancel_);

    auto* guesses = new QHBoxLayout(guessRow_);
    guesses->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* guess : guesses_) guesses->addWidget(guess);
    guesses->addSpacing(8);
    guesses->addWidget(readingShown_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_);
    layout->addLayout(settings);
    layout->addLayout(naming);
    layout->addLayout(readingRow);
    layout->addWidget(guessRow_);
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
    connect(grid_, &FontGrid::glyphClicked, this,
            [this](int index, Qt::KeyboardModifiers modifiers) {
                if (modifiers & Qt::ShiftModifier) {
                    if (rangeFrom_ < 0) rangeFrom_ = view_.Selected();
                } else {
                    rangeFrom_ = -1;
                }
                view_.Select(index);
                ShowSelection();
            });
    connect(reading_, &QCheckBox::toggled, this, &FontWindow::ReadingChosen);
    for (QAction* action : repertoireActions_) {
        connect(action, &QAction::toggled, this, &FontWindow::ReadingChosen);
    }
    connect(reference_, &QComboBox::activated, this, &FontWindow::ReadingChosen);
    connect(reference_->lineEdit(), &QLineEdit::editingFinished, this, &FontWindow::ReadingChosen);
    connect(textAt_, &QLineEdit::editingFinished, this, &FontWindow::TextOffsetTyped);
    connect(confidence_, &QSpinBox::valueChanged, this, &FontWindow::KeepSettings);
    connect(acceptAbove_, &QPushButton::clicked, this,
            [this] { RunAction(user_, [this] { AcceptAbove(); }); });
    connect(cancel_, &QPushButton::clicked, this, &FontWindow::CancelReading);
    for (std::size_t rank = 0; rank < guesses_.size(); ++rank) {
        connect(guesses_[rank], &QPushButton::clicked, this,
                [this, rank] { RunAction(user_, [this, rank] { Accept(rank); }); });
    }
    connect(reader_, &SuggestionReader::drawing, this, [this] {
        progress_->setRange(0, 0);
        progress_->setFormat(FontMessages::FontDrawingReferences());
    });
    connect(reader_, &SuggestionReader::readings, this, &FontWindow::Heard);
    connect(reader_, &SuggestionReader::finished, this, &FontWindow::ReadingEnded);
    connect(reader_, &SuggestionReader::failed, this, [this](const QString& why) {
        readingFailure_ = why;
        ReadingEnded();
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
    } else if ((change.table || change.order || change.startCode) && !redrawPending_) {
        // Once for a burst of changes, such as a batch of guesses undone entry by entry.
        redrawPending_ = true;
        QTimer::singleShot(0, this, [this] {
            redrawPending_ = false;
            ReadText();  // the game text reads differently now
            Redraw();    // the characters under the glyphs
        });
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
    {
        const FontSettings::Reading& reading = settings_.reading;
        const QSignalBlocker quietReading(reading_);
        const QSignalBlocker quietConfidence(confidence_);
        reading_->setChecked(reading.on);
        for (std::size_t i = 0; i < repertoireActions_.size(); ++i) {
            const QSignalBlocker quietAction(repertoireActions_[i]);
            repertoireActions_[i]->setChecked(
                std::find(reading.repertoires.begin(), reading.repertoires.end(),
                          FontSettings::kRepertoires[i]) != reading.repertoires.end());
        }
        reference_->setCurrentText(reading.family.empty()
                                       ? QString::fromLatin1(GlyphMatcher::kDefaultFamily)
                                       : QString::fromStdString(reading.family));
        textAt_->setText(reading.textOffset ? HexNumber(*reading.textOffset, 1) : QString());
        confidence_->setValue(reading.acceptAbove);
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
    settings_.reading.acceptAbove = confidence_->value();
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
        user_.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
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
            refuse(TableOrderMessages::NotEucJp(QString::fromStdString(bytes.error().character)));
            return;
        }
        code = OnlyCodeHolding(TableAsMadeNow(document_.Table(), document_.Order(),
                                              document_.StartCode(), document_.TwoByteOrder()),
                               bytes.value());
        if (!code) {
            refuse(FontMessages::FontCharacterNotHeld(typed));
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
        FontMessages::FontAnchorAction(*code));
    anchor_->clear();
}

void FontWindow::LabelTyped() {
    const QString characters = label_->text();
    if (characters.isEmpty()) {
        // Nothing typed: Enter takes the best guess, as it does in the grid.
        if (Accept(0)) grid_->setFocus();
        return;
    }
    if (!Store(characters)) return;
    label_->clear();
    // Typed over a guess, the next glyph is read the same way: its guess first.
    if (reading_->isChecked()) grid_->setFocus();
}

bool FontWindow::Store(const QString& characters) {
    if (view_.GlyphsShown() == 0) return false;
    const auto code = view_.CodeOf(view_.Selected());
    if (!code) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          FontMessages::FontNoCode().toStdString(), MessageIcon::Exclamation);
        return false;
    }
    if (!PutSingleEntry(history_, user_, *code, characters)) return false;
    rangeFrom_ = -1;
    view_.MoveSelection(1, 0);
    Refresh();
    return true;
}

bool FontWindow::Accept(std::size_t rank) {
    if (view_.GlyphsShown() == 0) return false;
    const auto reading = ReadingOf(view_.Selected());
    if (!reading || rank >= reading->ranked.size()) return false;
    return Store(Character(reading->ranked[rank].character));
}

void FontWindow::AcceptAbove() {
    const auto [first, last] = Range();
    const int percent = confidence_->value();
    std::vector<std::pair<TableCode, QString>> entries;
    for (int index = first; index <= last; ++index) {
        const auto code = view_.CodeOf(index);
        const auto reading = ReadingOf(index);
        // A code the table holds already keeps what the user gave it.
        if (!code || !reading || reading->ranked.empty() ||
            !document_.Contents().EntryAt(*code).bytes.empty() ||
            Percent(reading->confidence) < percent) {
            continue;
        }
        entries.emplace_back(*code, Character(reading->Best()));
    }
    if (entries.empty()) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          FontMessages::FontNothingToAccept(percent).toStdString(),
                          MessageIcon::Exclamation);
        return;
    }
    if (PutSingleEntries(history_, user_, entries,
                         FontMessages::FontAcceptAction(static_cast<int>(entries.size())))) {
        ReadText();
        Redraw();
    }
}

std::pair<int, int> FontWindow::Range() const {
    const int selected = view_.Selected();
    if (rangeFrom_ < 0) return {selected, selected};
    return {std::min(rangeFrom_, selected), std::max(rangeFrom_, selected)};
}

void FontWindow::TypeFromGrid(const QString& text) {
    label_->setFocus(Qt::OtherFocusReason);
    label_->insert(text);
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

std::optional<GlyphSuggestion> FontWindow::ReadingOf(int index) const {
    if (!reading_->isChecked() || index < 0 || index >= view_.GlyphsShown()) return std::nullopt;
    const auto found = readings_.find(view_.GlyphOffset(index));
    if (found == readings_.end()) return std::nullopt;
    GlyphSuggestion reading = found->second;
    if (const auto code = view_.CodeOf(index)) BreakTie(reading, ScriptOf(*code));
    return reading;
}

KanaScript FontWindow::ScriptOf(TableCode code) const {
    // The game text is read through the one-byte codes only.
    return code.IsTwoByte() ? KanaScript::Unknown : textScript_[code.FirstByte()];
}

bool FontWindow::Reading() const {
    return reader_->Busy();
}

SuggestionReader::Source FontWindow::Source() const {
    return {settings_.reading.family, settings_.reading.repertoires};
}

void FontWindow::ReadingChosen() {
    FontSettings::Reading& reading = settings_.reading;
    reading.on = reading_->isChecked();
    reading.repertoires.clear();
    for (std::size_t i = 0; i < repertoireActions_.size(); ++i) {
        if (repertoireActions_[i]->isChecked()) {
            reading.repertoires.push_back(FontSettings::kRepertoires[i]);
        }
    }
    const QString family = reference_->currentText().trimmed();
    reading.family = family.isEmpty() || family == QLatin1String(GlyphMatcher::kDefaultFamily)
                         ? std::string()
                         : family.toStdString();
    stoppedAt_.reset();
    readingFailure_.clear();
    KeepSettings();
    Redraw();
}

void FontWindow::TextOffsetTyped() {
    QString typed = textAt_->text().trimmed();
    if (typed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) typed = typed.mid(2);
    bool ok = false;
    const qulonglong offset = typed.toULongLong(&ok, 16);
    const std::optional<std::uint64_t> textOffset =
        ok ? std::optional<std::uint64_t>(offset) : std::nullopt;
    if (textOffset == settings_.reading.textOffset) return;
    settings_.reading.textOffset = textOffset;
    KeepSettings();
    ReadText();
    Redraw();
}

void FontWindow::ReadText() {
    textScript_.fill(KanaScript::Unknown);
    const auto& file = view_.File();
    const auto& at = settings_.reading.textOffset;
    if (!file || !at) return;
    const auto bytes = file->ReadWindow(*at, kTextBytes);
    if (!bytes) return;
    const ShownTable table =
        TableAsShown(document_.TableText(), document_.Order(), document_.StartCode());
    const auto cells = ReadThroughTable(bytes.value(), table.codes, table.first, table.last);
    // Each byte as the one character its code stands for; a code unknown, or of more than one
    // character, stands for nothing here.
    std::u32string text(cells.size(), U'\0');
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (!cells[i].known) continue;
        const std::u32string read = QString::fromStdString(cells[i].text).toStdU32String();
        if (read.size() == 1) text[i] = read.front();
    }
    // Each code's neighbours counted over all the places it stands; one script must clearly lead.
    std::array<std::array<int, 3>, kCodeCount> votes{};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        ++votes[cells[i].code][static_cast<std::size_t>(ScriptAround(text, i))];
    }
    for (int code = 0; code < kCodeCount; ++code) {
        const auto& vote = votes[static_cast<std::size_t>(code)];
        const int hiragana = vote[static_cast<std::size_t>(KanaScript::Hiragana)];
        const int katakana = vote[static_cast<std::size_t>(KanaScript::Katakana)];
        if (katakana > 2 * hiragana) {
            textScript_[static_cast<std::size_t>(code)] = KanaScript::Katakana;
        } else if (hiragana > 2 * katakana) {
            textScript_[static_cast<std::size_t>(code)] = KanaScript::Hiragana;
        }
    }
}

void FontWindow::ReadPage() {
    if (!reading_->isChecked() || page_.empty()) {
        if (reader_->Busy()) CancelReading();
        return;
    }
    const SuggestionReader::Source source = Source();
    if (view_.Format() != readFormat_ || source != readSource_) {
        readings_.clear();
        readFormat_ = view_.Format();
        readSource_ = source;
        asked_.clear();
        reader_->Cancel();
    }
    if (!readingFailure_.isEmpty() || stoppedAt_ == view_.Offset()) return;
    std::vector<std::uint64_t> keys;
    std::vector<GlyphImage> glyphs;
    for (int index = 0; index < static_cast<int>(page_.size()); ++index) {
        const std::uint64_t key = view_.GlyphOffset(index);
        if (readings_.count(key) == 0) {
            keys.push_back(key);
            glyphs.push_back(page_[static_cast<std::size_t>(index)]);
        }
    }
    if (keys.empty()) return;
    // Asked already, and still being read.
    if (reader_->Busy() && std::includes(asked_.begin(), asked_.end(), keys.begin(), keys.end())) {
        return;
    }
    if (readings_.size() > kReadingsKept) readings_.clear();
    stoppedAt_.reset();
    asked_ = keys;
    progress_->setRange(0, static_cast<int>(keys.size()));
    progress_->setValue(0);
    progress_->setFormat(FontMessages::FontReadingProgress());
    progress_->setVisible(true);
    cancel_->setVisible(true);
    reader_->Read(source, std::move(keys), std::move(glyphs));
}

void FontWindow::Heard(const std::vector<std::uint64_t>& keys,
                       const std::vector<GlyphSuggestion>& suggestions, int done, int total) {
    for (std::size_t i = 0; i < keys.size(); ++i) readings_[keys[i]] = suggestions[i];
    progress_->setRange(0, total);
    progress_->setValue(done);
    progress_->setFormat(FontMessages::FontReadingProgress());
    Redraw();
}

void FontWindow::ReadingEnded() {
    asked_.clear();
    progress_->setVisible(false);
    cancel_->setVisible(false);
    ShowSelection();
}

void FontWindow::CancelReading() {
    if (!reader_->Busy()) return;
    reader_->Cancel();
    stoppedAt_ = view_.Offset();
    asked_.clear();
    progress_->setVisible(false);
    cancel_->setVisible(false);
    ShowSelection();
}

void FontWindow::ShowReading() {
    guessRow_->setVisible(reading_->isChecked());
    if (!reading_->isChecked()) return;
    const auto reading = view_.GlyphsShown() > 0 ? ReadingOf(view_.Selected()) : std::nullopt;
    for (std::size_t rank = 0; rank < guesses_.size(); ++rank) {
        const bool shown = reading && rank < reading->ranked.size();
        guesses_[rank]->setText(shown ? QStringLiteral("%1  %2").arg(rank + 1).arg(
                                            Character(reading->ranked[rank].character))
                                      : QStringLiteral("%1").arg(rank + 1));
        guesses_[rank]->setEnabled(shown);
    }
    if (!reading) {
        readingShown_->setText(!readingFailure_.isEmpty()     ? readingFailure_
                               : stoppedAt_ == view_.Offset() ? FontMessages::FontReadingCancelled()
                               : view_.GlyphsShown() > 0 ? FontMessages::FontWaitingForReading()
                                                         : QString());
        return;
    }
    if (reading->ranked.empty()) {
        readingShown_->setText(FontMessages::FontNoInk());
        return;
    }
    QStringList said{FontMessages::FontConfidence(Percent(reading->confidence))};
    const auto heard = readings_.find(view_.GlyphOffset(view_.Selected()));
    if (heard != readings_.end() && heard->second.Best() != reading->Best()) {
        const auto code = view_.CodeOf(view_.Selected());
        said << FontMessages::FontTextSays(code && ScriptOf(*code) == KanaScript::Katakana,
                                           Character(reading->Best()));
    }
    if (!reading->nearTies.empty()) {
        QString ties = Character(reading->Best());
        for (const char32_t tie : reading->nearTies) ties += u'/' + Character(tie);
        said << (reading->lookAlike ? FontMessages::FontLookAlikes(ties)
                                    : FontMessages::FontNearTies(ties));
    }
    readingShown_->setText(said.join(QStringLiteral("  ")));
}

void FontWindow::FileChanged() {
    const auto& file = game_.File();
    file_->setText(
        file ? GameFileMessages::GameFileShown(QString::fromLocal8Bit(file->Path()), file->Size())
             : GameFileMessages::NoGameFile());
    view_.SetFile(file);
    view_.SetOffset(0);
    view_.Select(0);
    readings_.clear();
    rangeFrom_ = -1;
    ReadText();
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
    rangeFrom_ = -1;
    view_.StepOffset(step, count);
    Refresh();
}

void FontWindow::Zoom(int change) {
    zoom_->setValue(zoom_->value() + change);
}

void FontWindow::Refresh() {
    auto glyphs = view_.Decode();
    failure_ = glyphs ? QString() : GameFileMessages::Failure(glyphs.error());
    page_ = glyphs ? std::move(glyphs).value() : std::vector<GlyphImage>{};
    if (!offset_->hasFocus()) offset_->setText(HexNumber(view_.Offset(), 1));
    Redraw();
    KeepSettings();
}

void FontWindow::Redraw() {
    ReadPage();
    QStringList captions;
    QStringList guesses;
    if (view_.HasCodes()) {
        // What MAKE TABLE would write now, so the codes still empty show as gaps.
        const Workspace table = TableAsMadeNow(document_.Table(), document_.Order(),
                                               document_.StartCode(), document_.TwoByteOrder());
        for (int index = 0; index < static_cast<int>(page_.size()); ++index) {
            const auto code = view_.CodeOf(index);
            if (!code) {
                captions << QString();
                guesses << QString();
                continue;
            }
            const auto held =
                code->IsTwoByte() ? table.TwoByte.find(code->Stored()) : table.TwoByte.end();
            const std::string& text = !code->IsTwoByte() ? table.TableText[code->FirstByte()]
                                      : held != table.TwoByte.end() ? held->second.bytes
                                                                    : std::string();
            captions << QString::fromStdString(code->Hex()) + u'\n' + Shown(text);
            // In a gap, the best guess, where there is one.
            const auto reading = ReadingOf(index);
            guesses << (reading && !reading->ranked.empty() ? Character(reading->Best())
                                                            : QString());
        }
    }
    const GlyphFormat& format = view_.Format();
    grid_->Show(page_, format.Width(), format.Height(), zoom_->value(), captions, guesses);
    grid_->resize(grid_->sizeHint());
    ShowSelection();
}

void FontWindow::ShowSelection() {
    grid_->Select(view_.GlyphsShown() > 0 ? view_.Selected() : -1);
    if (rangeFrom_ >= view_.GlyphsShown()) rangeFrom_ = -1;
    const auto [first, last] = rangeFrom_ >= 0 ? Range() : std::pair<int, int>(0, -1);
    grid_->SelectRange(first, last);
    ShowReading();
    if (!failure_.isEmpty()) {
        status_->setText(failure_);
    } else if (!view_.File()) {
        status_->setText(GameFileMessages::NoGameFile());
    } else if (view_.GlyphsShown() == 0) {
        status_->setText(FontMessages::FontNoGlyphs());
    } else {
        const auto code = view_.CodeOf(view_.Selected());
        status_->setText(FontMessages::FontSelectedCode(
            HexNumber(view_.GlyphOffset(view_.Selected()), 1), code));
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
    // Characters composed by an input method go where typed characters go.
    if (watched == grid_ && event->type() == QEvent::InputMethod) {
        const QString text = static_cast<QInputMethodEvent*>(event)->commitString();
        if (!text.isEmpty()) TypeFromGrid(text);
        return true;
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
                rangeFrom_ = -1;
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
                rangeFrom_ = -1;
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
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!plain) return false;
            RunAction(user_, [this] { Accept(0); });
            return true;
        case Qt::Key_Escape:
            if (!plain || !reader_->Busy()) return false;
            CancelReading();
            return true;
        case Qt::Key_A:
            if (!control) break;
            // The whole page as the range.
            if (view_.GlyphsShown() > 0) {
                rangeFrom_ = 0;
                view_.Select(view_.GlyphsShown() - 1);
                ShowSelection();
            }
            return true;
        default:
            break;
    }
    if (key.key() >= Qt::Key_1 && key.key() <= Qt::Key_5 && plain && reading_->isChecked()) {
        const auto rank = static_cast<std::size_t>(key.key() - Qt::Key_1);
        RunAction(user_, [this, rank] { Accept(rank); });
        return true;
    }
    // Anything else typed is the glyph's characters, entered in the Characters box.
    const QString text = key.text();
    if ((plain || shift) && !text.isEmpty() && text.front().isPrint()) {
        TypeFromGrid(text);
        return true;
    }
    return false;
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

#include "FontReading.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <utility>

#include "FontMessages.h"
#include "HexText.h"
#include "OneLineBox.h"
#include "core/glyphs/FontView.h"
#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/ScriptContext.h"
#include "core/table/Document.h"
#include "core/text/GameText.h"

namespace glyphwright {

namespace {

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

std::optional<std::uint64_t> ReadHex(QString typed) {
    typed = typed.trimmed();
    if (typed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) typed = typed.mid(2);
    bool ok = false;
    const qulonglong offset = typed.toULongLong(&ok, 16);
    return ok ? std::optional<std::uint64_t>(offset) : std::nullopt;
}

}  // namespace

FontReading::FontReading(Document& document, const FontView& view, QObject* parent)
    : QObject(parent),
      document_(document),
      view_(view),
      on_(new QCheckBox(FontMessages::FontReadingBox())),
      repertoires_(new QToolButton),
      reference_(new QComboBox),
      textAt_(new QLineEdit),
      progress_(new QProgressBar),
      cancel_(new QPushButton(FontMessages::FontCancelReading())),
      guessRow_(new QWidget),
      shown_(new QLabel),
      reader_(new SuggestionReader(this)) {
    on_->setObjectName(QStringLiteral("chkSuggest"));
    repertoires_->setObjectName(QStringLiteral("btnRepertoires"));
    reference_->setObjectName(QStringLiteral("cmbReferenceFont"));
    textAt_->setObjectName(QStringLiteral("txtTextAt"));
    progress_->setObjectName(QStringLiteral("barReading"));
    cancel_->setObjectName(QStringLiteral("cmdStopReading"));
    shown_->setObjectName(QStringLiteral("lblReading"));
    on_->setToolTip(FontMessages::FontReadingTip());
    repertoires_->setText(FontMessages::FontRepertoires());
    repertoires_->setPopupMode(QToolButton::InstantPopup);
    auto* repertoireMenu = new QMenu(repertoires_);
    for (const Repertoire repertoire : FontSettings::kRepertoires) {
        QAction* action = repertoireMenu->addAction(FontMessages::FontRepertoire(repertoire));
        const std::string_view name = RepertoireName(repertoire);
        action->setObjectName(
            QStringLiteral("actRepertoire_") +
            QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
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
    progress_->setTextVisible(true);
    progress_->setVisible(false);
    cancel_->setVisible(false);
    cancel_->setAutoDefault(false);
    auto* guesses = new QHBoxLayout(guessRow_);
    guesses->setContentsMargins(0, 0, 0, 0);
    for (std::size_t rank = 0; rank < guesses_.size(); ++rank) {
        auto* guess = new QPushButton;
        guess->setObjectName(QStringLiteral("cmdGuess%1").arg(rank + 1));
        guess->setFocusPolicy(Qt::NoFocus);
        guess->setToolTip(FontMessages::FontGuessTip(static_cast<int>(rank + 1)));
        guesses_[rank] = guess;
        guesses->addWidget(guess);
    }
    guesses->addSpacing(8);
    guesses->addWidget(shown_, 1);
    shown_->setTextFormat(Qt::PlainText);

    connect(on_, &QCheckBox::toggled, this, &FontReading::Chosen);
    for (QAction* action : repertoireActions_) {
        connect(action, &QAction::toggled, this, &FontReading::Chosen);
    }
    connect(reference_, &QComboBox::activated, this, &FontReading::Chosen);
    connect(reference_->lineEdit(), &QLineEdit::editingFinished, this, &FontReading::Chosen);
    connect(textAt_, &QLineEdit::editingFinished, this, &FontReading::TextOffsetTyped);
    connect(cancel_, &QPushButton::clicked, this, &FontReading::Cancel);
    connect(reader_, &SuggestionReader::drawing, this, [this] {
        progress_->setRange(0, 0);
        progress_->setFormat(FontMessages::FontDrawingReferences());
    });
    connect(reader_, &SuggestionReader::readings, this, &FontReading::Heard);
    connect(reader_, &SuggestionReader::finished, this, &FontReading::Ended);
    connect(reader_, &SuggestionReader::failed, this, [this](const QString& why) {
        failure_ = why;
        Ended();
    });
}

FontReading::~FontReading() = default;

bool FontReading::On() const {
    return on_->isChecked();
}

FontSettings::Reading FontReading::Shown() const {
    FontSettings::Reading reading;
    reading.on = on_->isChecked();
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
    reading.textOffset = ReadHex(textAt_->text());
    return reading;
}

bool FontReading::Take(const FontSettings::Reading& reading) {
    const FontSettings::Reading before = Shown();
    {
        const QSignalBlocker quietOn(on_);
        on_->setChecked(reading.on);
        for (std::size_t i = 0; i < repertoireActions_.size(); ++i) {
            const QSignalBlocker quietAction(repertoireActions_[i]);
            repertoireActions_[i]->setChecked(
                std::find(reading.repertoires.begin(), reading.repertoires.end(),
                          FontSettings::kRepertoires[i]) != reading.repertoires.end());
        }
    }
    reference_->setCurrentText(reading.family.empty()
                                   ? QString::fromLatin1(GlyphMatcher::kDefaultFamily)
                                   : QString::fromStdString(reading.family));
    textAt_->setText(reading.textOffset ? HexNumber(*reading.textOffset, 1) : QString());
    const FontSettings::Reading after = Shown();
    if (after.textOffset != before.textOffset) ReadText();
    return after != before;
}

void FontReading::Chosen() {
    FontSettings settings = FontSettings::Of(document_);
    const FontSettings::Reading shown = Shown();
    settings.reading.on = shown.on;
    settings.reading.repertoires = shown.repertoires;
    settings.reading.family = shown.family;
    stoppedAt_.reset();
    failure_.clear();
    settings.Keep(document_);
    emit heard();
}

void FontReading::TextOffsetTyped() {
    FontSettings settings = FontSettings::Of(document_);
    const auto textOffset = ReadHex(textAt_->text());
    if (textOffset == settings.reading.textOffset) return;
    settings.reading.textOffset = textOffset;
    settings.Keep(document_);
    ReadText();
    emit heard();
}

SuggestionReader::Source FontReading::Source() const {
    const FontSettings::Reading reading = FontSettings::Of(document_).reading;
    return {reading.family, reading.repertoires};
}

std::optional<GlyphSuggestion> FontReading::Of(int index) const {
    if (!on_->isChecked() || index < 0 || index >= view_.GlyphsShown()) return std::nullopt;
    const auto found = readings_.find(view_.GlyphOffset(index));
    if (found == readings_.end()) return std::nullopt;
    const auto decided = byText_.find(found->first);
    GlyphSuggestion reading = decided != byText_.end() ? decided->second : found->second;
    if (reading.decidedBy == Evidence::Script) return reading;
    if (const auto code = view_.CodeOf(index)) BreakTie(reading, ScriptOf(*code));
    return reading;
}

QString FontReading::BestOf(int index) const {
    const auto reading = Of(index);
    return reading && !reading->ranked.empty() ? Character(reading->Best()) : QString();
}

KanaScript FontReading::ScriptOf(TableCode code) const {
    // The game text is read through the one-byte codes only.
    return code.IsTwoByte() ? KanaScript::Unknown : textScript_[code.FirstByte()];
}

void FontReading::Forget() {
    readings_.clear();
    byText_.clear();
}

void FontReading::Decide() {
    byText_.clear();
    if (text_.empty() || readings_.empty()) return;
    // What was read of each one-byte code, from whichever page it was read on.
    std::array<std::optional<std::pair<std::uint64_t, GlyphSuggestion>>, kCodeCount> byCode;
    for (const auto& [offset, reading] : readings_) {
        const auto code = view_.CodeAt(offset);
        if (!code || code->IsTwoByte() || byCode[code->FirstByte()]) continue;
        byCode[code->FirstByte()] = std::pair{offset, reading};
    }
    ReadingsByCode readings{};
    for (std::size_t code = 0; code < byCode.size(); ++code) {
        if (byCode[code]) readings[code] = &byCode[code]->second;
    }
    // What the table holds, its sets laid, the user has read already.
    DecideByScript(readings, text_, &textTable_);
    for (const auto& read : byCode) {
        if (read && read->second.decidedBy == Evidence::Script) byText_[read->first] = read->second;
    }
}

void FontReading::ReadText() {
    textScript_.fill(KanaScript::Unknown);
    text_.clear();
    byText_.clear();
    const auto& file = view_.File();
    const auto at = FontSettings::Of(document_).reading.textOffset;
    if (!file || !at) return;
    const auto bytes = file->ReadWindow(*at, kTextBytes);
    if (!bytes) return;
    const ShownTable table =
        TableAsShown(document_.TableText().Texts(), document_.Order(), document_.StartCode());
    text_ = bytes.value();
    textTable_ = table.codes;
    Decide();
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

void FontReading::ShowProgress(bool shown) {
    progress_->setVisible(shown);
    cancel_->setVisible(shown);
}

void FontReading::Read(const std::vector<GlyphImage>& page) {
    if (!on_->isChecked() || page.empty()) {
        if (reader_->Busy()) Cancel();
        return;
    }
    const SuggestionReader::Source source = Source();
    if (view_.Format() != readFormat_ || source != readSource_ || view_.Source() != readBytes_) {
        readings_.clear();
        readFormat_ = view_.Format();
        readBytes_ = view_.Source();
        readSource_ = source;
        asked_.clear();
        reader_->Cancel();
    }
    if (!failure_.isEmpty() || stoppedAt_ == view_.Offset()) return;
    std::vector<std::uint64_t> keys;
    std::vector<GlyphImage> glyphs;
    for (int index = 0; index < static_cast<int>(page.size()); ++index) {
        const std::uint64_t key = view_.GlyphOffset(index);
        if (readings_.count(key) == 0) {
            keys.push_back(key);
            glyphs.push_back(page[static_cast<std::size_t>(index)]);
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
    ShowProgress(true);
    reader_->Read(source, std::move(keys), std::move(glyphs));
}

void FontReading::Heard(const std::vector<std::uint64_t>& keys,
                        const std::vector<GlyphSuggestion>& suggestions, int done, int total) {
    for (std::size_t i = 0; i < keys.size(); ++i) readings_[keys[i]] = suggestions[i];
    Decide();
    progress_->setRange(0, total);
    progress_->setValue(done);
    progress_->setFormat(FontMessages::FontReadingProgress());
    emit heard();
}

void FontReading::Ended() {
    asked_.clear();
    ShowProgress(false);
    emit ended();
}

void FontReading::Cancel() {
    if (!reader_->Busy()) return;
    reader_->Cancel();
    stoppedAt_ = view_.Offset();
    Ended();
}

void FontReading::Show() {
    guessRow_->setVisible(on_->isChecked());
    if (!on_->isChecked()) return;
    const auto reading = view_.GlyphsShown() > 0 ? Of(view_.Selected()) : std::nullopt;
    for (std::size_t rank = 0; rank < guesses_.size(); ++rank) {
        const bool shown = reading && rank < reading->ranked.size();
        guesses_[rank]->setText(shown ? QStringLiteral("%1  %2").arg(rank + 1).arg(
                                            Character(reading->ranked[rank].character))
                                      : QStringLiteral("%1").arg(rank + 1));
        guesses_[rank]->setEnabled(shown);
    }
    const QString whyWon = reading && !reading->ranked.empty()
                               ? FontMessages::FontWhyGuessWon(reading->decidedBy,
                                                               QString::fromStdString(reading->why))
                               : QString();
    guesses_[0]->setToolTip(whyWon.isEmpty() ? FontMessages::FontGuessTip(1)
                                             : FontMessages::FontGuessTip(1) + u'\n' + whyWon);
    shown_->setToolTip(whyWon);
    if (!reading) {
        shown_->setText(!failure_.isEmpty()            ? failure_
                        : stoppedAt_ == view_.Offset() ? FontMessages::FontReadingCancelled()
                        : view_.GlyphsShown() > 0      ? FontMessages::FontWaitingForReading()
                                                       : QString());
        return;
    }
    if (reading->ranked.empty()) {
        shown_->setText(FontMessages::FontNoInk());
        return;
    }
    QStringList said{FontMessages::FontConfidence(Percent(reading->confidence))};
    const auto heard = readings_.find(view_.GlyphOffset(view_.Selected()));
    if (reading->decidedBy == Evidence::Script) {
        said << whyWon;
    } else if (heard != readings_.end() && heard->second.Best() != reading->Best()) {
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
    shown_->setText(said.join(QStringLiteral("  ")));
}

}  // namespace glyphwright

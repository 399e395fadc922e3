#include "FontLabelling.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "DocumentHistory.h"
#include "FontGrid.h"
#include "FontMessages.h"
#include "FontPage.h"
#include "FontReading.h"
#include "FontSettings.h"
#include "OneLineBox.h"
#include "ProgramMessages.h"
#include "RunAction.h"
#include "TableOrderMessages.h"
#include "WindowQueries.h"
#include "core/table/DocumentCommand.h"
#include "core/text/EucJp.h"
#include "dialogs/PutSingleEntry.h"

namespace glyphwright {

namespace {

QString Character(char32_t character) {
    return QString::fromUcs4(&character, 1);
}

int Percent(float confidence) {
    return static_cast<int>(std::lround(confidence * 100));
}

}  // namespace

FontLabelling::FontLabelling(DocumentHistory& history, WindowQueries& user, FontPage& page,
                             const FontReading& reading, QObject* parent)
    : QObject(parent),
      history_(history),
      document_(history.Doc()),
      user_(user),
      page_(page),
      reading_(reading),
      anchor_(new QLineEdit),
      characters_(new QLineEdit),
      acceptAbove_(new QPushButton(FontMessages::FontAcceptAbove())),
      confidence_(new QSpinBox) {
    anchor_->setObjectName(QStringLiteral("txtAnchor"));
    characters_->setObjectName(QStringLiteral("txtCharacters"));
    acceptAbove_->setObjectName(QStringLiteral("cmdAcceptAbove"));
    confidence_->setObjectName(QStringLiteral("spnConfidence"));
    anchor_->setToolTip(FontMessages::FontAnchorTip());
    characters_->setToolTip(FontMessages::FontCharactersTip());
    OneLineBox::Keep(*anchor_);
    OneLineBox::Keep(*characters_);
    acceptAbove_->setToolTip(FontMessages::FontAcceptAboveTip());
    acceptAbove_->setAutoDefault(false);
    confidence_->setRange(0, 100);
    confidence_->setSuffix(FontMessages::FontConfidenceSuffix());

    connect(anchor_, &QLineEdit::returnPressed, this,
            [this] { RunAction(user_, [this] { AnchorTyped(); }); });
    connect(characters_, &QLineEdit::returnPressed, this,
            [this] { RunAction(user_, [this] { CharactersTyped(); }); });
    connect(confidence_, &QSpinBox::valueChanged, this, &FontLabelling::ConfidenceChosen);
    connect(acceptAbove_, &QPushButton::clicked, this,
            [this] { RunAction(user_, [this] { AcceptAll(); }); });
}

FontLabelling::~FontLabelling() = default;

void FontLabelling::Take(int acceptAbove) {
    const QSignalBlocker quiet(confidence_);
    confidence_->setValue(acceptAbove);
}

void FontLabelling::ConfidenceChosen() {
    FontSettings settings = FontSettings::Of(document_);
    settings.reading.acceptAbove = confidence_->value();
    settings.Keep(document_);
}

void FontLabelling::AnchorTyped() {
    const FontView& view = page_.View();
    const QString typed = anchor_->text().trimmed();
    if (typed.isEmpty() || view.GlyphsShown() == 0) return;
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
        code = OnlyCodeHolding(TableAsMadeNow(document_.Table(), document_.Order(),
                                              document_.StartCode(), document_.TwoByteOrder()),
                               typed.toStdString());
        if (!code) {
            refuse(FontMessages::FontCharacterNotHeld(typed));
            return;
        }
    }
    FontSettings anchored = FontSettings::Of(document_);
    page_.Put(anchored);
    anchored.anchor = FontAnchor{view.GlyphOffset(view.Selected()), *code};
    history_.Run(
        DocumentCommand::SetFeatureSettings(document_, FontSettings::kFeature, anchored.Json()),
        FontMessages::FontAnchorAction(*code));
    anchor_->clear();
}

void FontLabelling::CharactersTyped() {
    const QString characters = characters_->text();
    if (characters.isEmpty()) {
        // Nothing typed: Enter takes the best guess, as it does in the grid.
        if (Accept(0)) page_.Grid().setFocus();
        return;
    }
    if (!Store(characters)) return;
    characters_->clear();
    // Typed over a guess, the next glyph is read the same way: its guess first.
    if (reading_.On()) page_.Grid().setFocus();
}

bool FontLabelling::Store(const QString& characters) {
    FontView& view = page_.View();
    if (view.GlyphsShown() == 0) return false;
    const auto code = view.CodeOf(view.Selected());
    if (!code) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          FontMessages::FontNoCode().toStdString(), MessageIcon::Exclamation);
        return false;
    }
    if (!PutSingleEntry(history_, user_, *code, characters)) return false;
    page_.MoveSelection(1, 0);
    emit stored();
    return true;
}

bool FontLabelling::Accept(std::size_t rank) {
    if (page_.View().GlyphsShown() == 0) return false;
    const auto reading = reading_.Of(page_.View().Selected());
    if (!reading || rank >= reading->ranked.size()) return false;
    return Store(Character(reading->ranked[rank].character));
}

void FontLabelling::AcceptAll() {
    const FontView& view = page_.View();
    const auto [first, last] = page_.Range();
    const int percent = confidence_->value();
    std::vector<std::pair<TableCode, QString>> entries;
    for (int index = first; index <= last; ++index) {
        const auto code = view.CodeOf(index);
        const auto reading = reading_.Of(index);
        // A code the table holds already keeps what the user gave it.
        if (!code || !reading || reading->ranked.empty() ||
            !document_.Contents().EntryAt(*code).text.empty() ||
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
    const auto put = PutSingleEntries(history_, user_, entries, [](int stored) {
        return FontMessages::FontAcceptAction(stored);
    });
    if (!put) return;
    if (put->stored > 0) emit accepted();
    if (put->leftOut.empty()) return;
    QStringList leftOut;
    for (const LeftOutEntry& entry : put->leftOut) {
        leftOut << FontMessages::LeftOutGuess(QString::fromStdString(entry.code.Hex()),
                                              entry.characters, entry.why);
    }
    user_.ShowMessage(ProgramMessages::Title().toStdString(),
                      FontMessages::GuessesLeftOut(put->stored, leftOut).toStdString(),
                      MessageIcon::Exclamation);
}

void FontLabelling::TypeFromGrid(const QString& text) {
    characters_->setFocus(Qt::OtherFocusReason);
    characters_->insert(text);
}

}  // namespace glyphwright

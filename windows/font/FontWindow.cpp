#include "FontWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <utility>

#include "DocumentHistory.h"
#include "FontGrid.h"
#include "FontLabelling.h"
#include "FontMessages.h"
#include "FontPage.h"
#include "FontReading.h"
#include "FontSettings.h"
#include "OpenGameFile.h"
#include "RunAction.h"
#include "WindowQueries.h"
#include "core/text/EucJp.h"

namespace glyphwright {

namespace {

QLabel* Buddy(const QString& text, QWidget* control) {
    auto* label = new QLabel(text);
    label->setBuddy(control);
    return label;
}

constexpr int kWheelNotch = 120;  // angle of one notch of a common wheel

// What the table holds at a code, as the user reads it.
QString Shown(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

FontWindow::FontWindow(DocumentHistory& history, OpenGameFile& game, WindowQueries& user,
                       QWidget* parent)
    : QWidget(parent),
      document_(history.Doc()),
      game_(game),
      user_(user),
      page_(new FontPage(this)),
      reading_(new FontReading(document_, page_->View(), this)),
      labelling_(new FontLabelling(history, user, *page_, *reading_, this)) {
    setObjectName(QStringLiteral("frmFont"));
    setWindowTitle(FontMessages::FontTitle());

    auto* naming = new QHBoxLayout;
    naming->addWidget(Buddy(FontMessages::FontAnchorLabel(), &labelling_->Anchor()));
    naming->addWidget(&labelling_->Anchor());
    naming->addSpacing(8);
    naming->addWidget(Buddy(FontMessages::FontCharactersLabel(), &labelling_->Characters()));
    naming->addWidget(&labelling_->Characters(), 1);

    auto* readingRow = new QHBoxLayout;
    readingRow->addWidget(&reading_->Switch());
    readingRow->addWidget(&reading_->Repertoires());
    readingRow->addSpacing(8);
    readingRow->addWidget(Buddy(FontMessages::FontReferenceLabel(), &reading_->Reference()));
    readingRow->addWidget(&reading_->Reference());
    readingRow->addSpacing(8);
    readingRow->addWidget(Buddy(FontMessages::FontTextAtLabel(), &reading_->TextAt()));
    readingRow->addWidget(&reading_->TextAt());
    readingRow->addSpacing(8);
    readingRow->addWidget(&labelling_->AcceptAbove());
    readingRow->addWidget(&labelling_->Confidence());
    readingRow->addStretch(1);
    readingRow->addWidget(&reading_->Progress());
    readingRow->addWidget(&reading_->Stop());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&page_->FileLabel());
    layout->addLayout(page_->ControlRow());
    layout->addLayout(naming);
    layout->addLayout(readingRow);
    layout->addWidget(&reading_->GuessRow());
    layout->addWidget(&page_->Scroller(), 1);
    layout->addWidget(&page_->Status());

    connect(page_, &FontPage::placeChosen, this, &FontWindow::PlaceChosen);
    connect(page_, &FontPage::selectionMoved, this, &FontWindow::ShowSelection);
    connect(page_, &FontPage::sourceRead, this, &FontWindow::Refresh);
    connect(reading_, &FontReading::heard, this, &FontWindow::Redraw);
    connect(reading_, &FontReading::ended, this, &FontWindow::ShowSelection);
    connect(labelling_, &FontLabelling::stored, this, &FontWindow::PlaceChosen);
    connect(labelling_, &FontLabelling::accepted, this, [this] {
        reading_->ReadText();
        Redraw();
    });
    for (int rank = 0; rank < FontReading::kGuesses; ++rank) {
        connect(&reading_->Guess(rank), &QPushButton::clicked, this,
                [this, rank] { Accept(static_cast<std::size_t>(rank)); });
    }
    connect(&game_, &OpenGameFile::changed, this, &FontWindow::FileChanged);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            &FontWindow::openRequested);
    page_->Grid().installEventFilter(this);
    page_->Scroller().viewport()->installEventFilter(this);

    FileChanged();
    document_.AddObserver(*this);
    page_->Grid().setFocus();
}

FontWindow::~FontWindow() {
    document_.RemoveObserver(*this);
}

const FontView& FontWindow::View() const {
    return page_->View();
}

void FontWindow::DocumentChanged(const DocumentChange& change) {
    // The window's own changes of the settings come back here and find them shown already.
    if ((change.settings || change.codeOrder) && TakeSettings()) Refresh();
    if ((change.table || change.order || change.startCode) && !redrawPending_) {
        // Once for a burst of changes, such as a batch of guesses undone entry by entry.
        redrawPending_ = true;
        QTimer::singleShot(0, this, [this] {
            redrawPending_ = false;
            reading_->ReadText();  // the game text reads differently now
            Redraw();              // the characters under the glyphs
        });
    }
}

bool FontWindow::TakeSettings() {
    const FontSettings settings = FontSettings::Of(document_);
    const bool moved = page_->Take(settings);
    const bool reread = reading_->Take(settings.reading);
    labelling_->Take(settings.reading.acceptAbove);
    return moved || reread;
}

void FontWindow::KeepPlace() {
    FontSettings settings = FontSettings::Of(document_);
    page_->Put(settings);
    settings.Keep(document_);
}

void FontWindow::FileChanged() {
    page_->SetFile(game_.File());
    reading_->Forget();
    // The offset is the document's, in whatever file is open: a project opened again, or a
    // game file opened after its project, shows the place the project keeps.
    (void)TakeSettings();
    reading_->ReadText();
    Refresh();
}

void FontWindow::PlaceChosen() {
    Refresh();
    KeepPlace();
}

void FontWindow::Step(FontView::Step step, std::int64_t count) {
    page_->Step(step, count);
    PlaceChosen();
}

void FontWindow::Refresh() {
    page_->Decode();
    Redraw();
}

void FontWindow::Redraw() {
    reading_->Read(page_->Glyphs());
    const FontView& view = page_->View();
    QStringList captions;
    QStringList guesses;
    if (view.HasCodes()) {
        // What MAKE TABLE would write now, so the codes still empty show as gaps.
        const Workspace table = TableAsMadeNow(document_.Table(), document_.Order(),
                                               document_.StartCode(), document_.TwoByteOrder());
        for (int index = 0; index < static_cast<int>(page_->Glyphs().size()); ++index) {
            const auto code = view.CodeOf(index);
            if (!code) {
                captions << QString();
                guesses << QString();
                continue;
            }
            const std::string& text = table.TableText.At(*code).text;
            captions << QString::fromStdString(code->Hex()) + u'\n' + Shown(text);
            // In a gap, the best guess, where there is one.
            guesses << reading_->BestOf(index);
        }
    }
    page_->Draw(captions, guesses);
    ShowSelection();
}

void FontWindow::ShowSelection() {
    page_->ShowSelection();
    reading_->Show();
}

void FontWindow::Accept(std::size_t rank) {
    RunAction(user_, [this, rank] { labelling_->Accept(rank); });
}

bool FontWindow::eventFilter(QObject* watched, QEvent* event) {
    QWidget* grid = &page_->Grid();
    if (watched == grid && event->type() == QEvent::KeyPress) {
        return Key(*static_cast<QKeyEvent*>(event));
    }
    // Characters composed by an input method go where typed characters go.
    if (watched == grid && event->type() == QEvent::InputMethod) {
        const QString text = static_cast<QInputMethodEvent*>(event)->commitString();
        if (!text.isEmpty()) labelling_->TypeFromGrid(text);
        return true;
    }
    if ((watched == grid || watched == page_->Scroller().viewport()) &&
        event->type() == QEvent::Wheel) {
        return Wheel(*static_cast<QWheelEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool FontWindow::Key(const QKeyEvent& key) {
    using S = FontView::Step;
    if (key.matches(QKeySequence::ZoomIn) ||
        (key.key() == Qt::Key_Equal && key.modifiers() == Qt::ControlModifier)) {
        page_->ZoomBy(1);
        return true;
    }
    if (key.matches(QKeySequence::ZoomOut)) {
        page_->ZoomBy(-1);
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const bool control = modifiers == Qt::ControlModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    const auto move = [this](int across, int down) {
        if (page_->MoveSelection(across, down)) {
            PlaceChosen();
        } else {
            ShowSelection();
        }
    };
    switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const int direction = key.key() == Qt::Key_Left ? -1 : 1;
            if (plain) {
                move(direction, 0);
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
                move(0, direction);
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
            Accept(0);
            return true;
        case Qt::Key_Escape:
            if (!plain || !reading_->Busy()) return false;
            reading_->Cancel();
            return true;
        case Qt::Key_A:
            if (!control) break;
            page_->SelectWholePage();
            ShowSelection();
            return true;
        default:
            break;
    }
    if (key.key() >= Qt::Key_1 && key.key() <= Qt::Key_5 && plain && reading_->On()) {
        Accept(static_cast<std::size_t>(key.key() - Qt::Key_1));
        return true;
    }
    // Anything else typed is the glyph's characters, entered in the Characters box.
    const QString text = key.text();
    if ((plain || shift) && !text.isEmpty() && text.front().isPrint()) {
        labelling_->TypeFromGrid(text);
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

void FontWindow::Present() {
    if (!isVisible()) {
        if (!place_.isEmpty()) {
            restoreGeometry(place_);
        } else if (const QScreen* shown = screen()) {
            // The first time, room for a page of 16x16 glyphs at 2x, or the page shown if it is
            // larger, where the screen allows.
            const QScrollArea& scroller = page_->Scroller();
            const int room = FontGrid::kGap + FontGrid::kColumns * (16 * 2 + FontGrid::kGap);
            const int frame = 2 * scroller.frameWidth();
            const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            const QSize page = page_->Grid().sizeHint().expandedTo(QSize(room, room)) +
                               QSize(frame + bar, frame + bar);
            const QSize whole = sizeHint() - scroller.sizeHint() + page;
            resize(whole.boundedTo(shown->availableSize() * 9 / 10));
        }
        show();
    }
    raise();
    activateWindow();
}

void FontWindow::SetCodeForGlyph(FontView::CodeForGlyph codeForGlyph) {
    page_->View().SetCodeForGlyph(std::move(codeForGlyph));
    Refresh();
}

void FontWindow::closeEvent(QCloseEvent* event) {
    // Hidden, not destroyed: the window keeps its settings and place for the session.
    place_ = saveGeometry();
    event->accept();
}

std::optional<GlyphSuggestion> FontWindow::ReadingOf(int index) const {
    return reading_->Of(index);
}

KanaScript FontWindow::ScriptOf(TableCode code) const {
    return reading_->ScriptOf(code);
}

bool FontWindow::Reading() const {
    return reading_->Busy();
}

}  // namespace glyphwright

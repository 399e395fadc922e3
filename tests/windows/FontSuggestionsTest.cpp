// The Font window reads the glyphs of a stand-in game whose 16x16 font is drawn from GNU Unifont
// (Debian package unifont), not from the face the glyphs are compared with. The user accepts a
// guess by Enter, picks one by a number key, types over one, accepts a range at once and undoes it
// in one step; the look-alike へ is flagged, and the game's text decides between へ and ヘ, and
// (on an 8x8 font drawn from Misaki Gothic) for 「 where the pixels read a letter.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <fstream>
#include <map>

#include "FontMessages.h"
#include "Session.h"
#include "TableOrderMessages.h"
#include "core/text/EucJp.h"
#include "font/FontGrid.h"
#include "font/FontSettings.h"
#include "font/FontWindow.h"
#include "support/ScriptGame.h"

namespace glyphwright::test {
namespace {

constexpr char kUnifont[] = "/usr/share/unifont/unifont_jp.hex";
constexpr int kFontStart = 0x40;
constexpr int kGlyphBytes = 32;  // 16x16, each row padded to two bytes
constexpr int kWaitMs = 120000;  // drawing a repertoire's references takes a second or two

// The game's glyphs from code 00: katakana read with confidence, then へ twice: one the game's
// text uses among hiragana, the other among katakana.
const QString kGlyphs = QStringLiteral("カキコエオロヒトハニへへ");
constexpr int kAmongHiragana = 0x0A;
constexpr int kAmongKatakana = 0x0B;
constexpr int kHiraganaFrom = 0x10;  // the built-in sets, laid from these codes
constexpr int kKatakanaFrom = 0x60;

std::map<char32_t, std::string> ReadUnifont() {
    std::map<char32_t, std::string> font;
    std::ifstream hex(kUnifont);
    for (std::string line; std::getline(hex, line);) {
        const auto colon = line.find(':');
        if (colon != std::string::npos) {
            font[static_cast<char32_t>(std::stoul(line.substr(0, colon), nullptr, 16))] =
                line.substr(colon + 1);
        }
    }
    return font;
}

// The character's 16x16 picture, rows padded to whole bytes.
std::string GlyphBytes(const std::map<char32_t, std::string>& font, char32_t character) {
    const std::string& bits = font.at(character);
    std::string bytes;
    for (int row = 0; row < 16; ++row) {
        const auto value =
            std::stoul(bits.substr(static_cast<std::size_t>(row * 4), 4), nullptr, 16);
        bytes += static_cast<char>(value >> 8);
        bytes += static_cast<char>(value & 0xFF);
    }
    return bytes;
}

// The font, then the text, then pages of empty glyphs.
QString WriteStandInGame(const QTemporaryDir& folder, std::uint64_t& textOffset,
                         const QString& glyphs = kGlyphs) {
    const auto font = ReadUnifont();
    std::string game(kFontStart, '\x7F');
    for (const char32_t character : glyphs.toUcs4()) game += GlyphBytes(font, character);
    textOffset = game.size();
    // あい?うえ and アイ?ウエ, twice each.
    const auto h = [](int n) { return static_cast<char>(kHiraganaFrom + n); };
    const auto k = [](int n) { return static_cast<char>(kKatakanaFrom + n); };
    for (int twice = 0; twice < 2; ++twice) {
        game += {h(0), h(1), static_cast<char>(kAmongHiragana), h(2), h(3), '\0'};
        game += {k(0), k(1), static_cast<char>(kAmongKatakana), k(2), k(3), '\0'};
    }
    game += std::string(3 * 256 * kGlyphBytes, '\0');
    const QString path = folder.filePath(QStringLiteral("game.bin"));
    std::ofstream(path.toStdString(), std::ios::binary) << game;
    return path;
}

// The table holds what is accepted as Unicode text.
std::string Text(const QString& text) {
    return text.toStdString();
}

QString Held(Session& session, int code) {
    return QString::fromStdString(
        session.workspace.TableText.Texts()[static_cast<std::size_t>(code)]);
}

FontGrid& Grid(FontWindow& window) {
    return Find<FontGrid>(window, "glyphGrid");
}

void ClickGlyph(FontWindow& window, int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(&Grid(window), Qt::LeftButton, modifiers,
                      Grid(window).GlyphRect(index).center());
}

void Key(FontWindow& window, Qt::Key key) {
    QTest::keyClick(&Grid(window), key);
}

void Enter(QWidget& window, const char* box, const QString& text) {
    auto& line = Find<QLineEdit>(window, box);
    Retype(line, text);
    QTest::keyClick(&line, Qt::Key_Return);
}

QString Reading(FontWindow& window) {
    return Find<QLabel>(window, "lblReading").text();
}

}  // namespace

class FontSuggestionsTest final : public QObject {
    Q_OBJECT

private slots:
    void guessesAreAcceptedPickedTypedOverAndAcceptedByRange() {
        QTemporaryDir folder;
        std::uint64_t textOffset = 0;
        const QString path = WriteStandInGame(folder, textOffset);
        Session session;
        session.user.openAnswers.push_back(path.toStdString());
        Find<QAction>(session.main(), "actionOpenGameFile").trigger();
        session.IncludeSet(QStringLiteral("Hiragana"));
        session.GiveStart(0, QString::number(kHiraganaFrom, 16));
        session.IncludeSet(QStringLiteral("Katakana"));
        session.GiveStart(1, QString::number(kKatakanaFrom, 16));
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("00"));

        Find<QAction>(session.main(), "actionFont").trigger();
        FontWindow& window = Existing(session.windows.Font(), "Font");
        auto& format = Find<QComboBox>(window, "cmbFormat");
        format.setCurrentIndex(format.findText(QStringLiteral("bitmap")));
        Find<QSpinBox>(window, "spnWidth").setValue(16);
        Find<QSpinBox>(window, "spnHeight").setValue(16);
        Enter(window, "txtOffset", QString::number(kFontStart, 16));
        ClickGlyph(window, 0);
        Enter(window, "txtAnchor", QStringLiteral("00"));
        QCOMPARE(window.View().CodeOf(kAmongKatakana), std::optional<ByteCode>(kAmongKatakana));

        // Read against the kana alone; the choice is the project's.
        for (const char* other :
             {"actRepertoire_ascii", "actRepertoire_fullwidth", "actRepertoire_kanji1"}) {
            Find<QAction>(window, other).setChecked(false);
        }
        auto& suggest = Find<QCheckBox>(window, "chkSuggest");
        QTest::mouseClick(&suggest, Qt::LeftButton, Qt::NoModifier,
                          QPoint(4, suggest.height() / 2));
        const FontSettings::Reading kept = FontSettings::Of(session.document).reading;
        QVERIFY(kept.on);
        QCOMPARE(kept.repertoires, std::vector<Repertoire>{Repertoire::Kana});

        // The page is read on another thread: the keys answer meanwhile.
        QVERIFY(window.Reading());
        QVERIFY(Find<QProgressBar>(window, "barReading").isVisibleTo(&window));
        Key(window, Qt::Key_Right);
        QCOMPARE(window.View().Selected(), 1);
        QVERIFY(window.Reading());
        QTRY_VERIFY_WITH_TIMEOUT(!window.Reading(), kWaitMs);
        QVERIFY(!Find<QProgressBar>(window, "barReading").isVisibleTo(&window));

        // Each glyph shows its best guess under the code; the selected one its five guesses.
        QCOMPARE(Grid(window).Captions().value(0), QStringLiteral("00\n"));
        QCOMPARE(Grid(window).Guesses().value(0), QStringLiteral("カ"));
        const auto first = window.ReadingOf(1);
        QVERIFY(first && first->ranked.size() == 5);
        QCOMPARE(Find<QPushButton>(window, "cmdGuess2").text(),
                 QStringLiteral("2  ") + QString::fromUcs4(&first->ranked[1].character, 1));
        QVERIFY(Reading(window).contains(FontMessages::FontConfidence(100)));

        // Enter accepts the best guess as a single entry and selects the next glyph.
        ClickGlyph(window, 0);
        Key(window, Qt::Key_Return);
        QCOMPARE(session.workspace.TableText[0x00], Text(QStringLiteral("カ")));
        QCOMPARE(window.View().Selected(), 1);
        auto& undo = Find<QAction>(session.main(), "actionUndo");
        QCOMPARE(undo.text(), QStringLiteral("Undo Single Entry 00"));
        QCOMPARE(Grid(window).Captions().value(0), QStringLiteral("00\nカ"));
        // 2 picks the first alternative.
        Key(window, Qt::Key_2);
        QCOMPARE(session.workspace.TableText[0x01],
                 Text(QString::fromUcs4(&first->ranked[1].character, 1)));
        QCOMPARE(window.View().Selected(), 2);
        // Typing enters something else, through the Characters box, and Enter there stores it.
        QTest::keyClick(&Grid(window), 'Q');
        auto& characters = Find<QLineEdit>(window, "txtCharacters");
        QVERIFY(characters.hasFocus());
        QTest::keyClicks(&characters, QStringLiteral("z"));
        QCOMPARE(characters.text(), QStringLiteral("Qz"));
        QTest::keyClick(&characters, Qt::Key_Return);
        QCOMPARE(session.workspace.TableText[0x02], std::string("Qz"));
        QCOMPARE(window.View().Selected(), 3);
        QVERIFY(Grid(window).hasFocus());
        QCOMPARE(session.Lines(), (QStringList{"Hiragana", "Katakana", QStringLiteral("カ"),
                                               Held(session, 0x01), QStringLiteral("Qz")}));

        // へ reads as a near-tie with ヘ, and the window says they look alike.
        const auto alike = window.ReadingOf(kAmongHiragana);
        QVERIFY(alike && alike->lookAlike);
        ClickGlyph(window, kAmongHiragana);
        QVERIFY(Reading(window).contains(FontMessages::FontLookAlikes(QStringLiteral("ヘ/へ"))) ||
                Reading(window).contains(FontMessages::FontLookAlikes(QStringLiteral("へ/ヘ"))));
        // The game's text breaks the tie: among hiragana へ, among katakana ヘ.
        Enter(window, "txtTextAt", QString::number(textOffset, 16));
        QCOMPARE(window.ReadingOf(kAmongHiragana)->Best(), U'へ');
        QCOMPARE(window.ReadingOf(kAmongKatakana)->Best(), U'ヘ');
        QCOMPARE(Grid(window).Guesses().value(kAmongHiragana), QStringLiteral("へ"));
        QCOMPARE(Grid(window).Guesses().value(kAmongKatakana), QStringLiteral("ヘ"));
        QCOMPARE(FontSettings::Of(session.document).reading.textOffset,
                 std::optional<std::uint64_t>(textOffset));

        // All above 50 % in 00..0B: the empty codes whose guess is that sure, in one step; the
        // codes held keep what they hold.
        const std::size_t steps = static_cast<std::size_t>(session.state.history.Stack().count());
        auto& percent = Find<QSpinBox>(window, "spnConfidence");
        percent.setValue(50);
        ClickGlyph(window, 0);
        ClickGlyph(window, kAmongKatakana, Qt::ShiftModifier);
        Click(window, "cmdAcceptAbove");
        QCOMPARE(session.user.messages.size(), std::size_t{0});
        std::map<int, std::string> accepted;
        for (int code = 0x03; code <= 0x09; ++code) {
            const auto reading = window.ReadingOf(code);
            QVERIFY(reading && reading->confidence >= 0.5f);
            accepted[code] = QString::fromUcs4(&reading->ranked[0].character, 1).toStdString();
            QCOMPARE(session.workspace.TableText.Texts()[static_cast<std::size_t>(code)], accepted[code]);
        }
        QCOMPARE(session.workspace.TableText[kAmongHiragana], std::string());
        QCOMPARE(session.workspace.TableText[kAmongKatakana], std::string());
        QCOMPARE(session.workspace.TableText[0x02], std::string("Qz"));
        QCOMPARE(undo.text(), QStringLiteral("Undo Accept 7 Guesses"));
        QCOMPARE(static_cast<std::size_t>(session.state.history.Stack().count()), steps + 1);
        undo.trigger();
        for (int code = 0x03; code <= 0x09; ++code) {
            QCOMPARE(session.workspace.TableText.Texts()[static_cast<std::size_t>(code)], std::string());
        }
        QCOMPARE(session.workspace.TableText[0x02], std::string("Qz"));
        QCOMPARE(session.Lines().size(), 5);
        Find<QAction>(session.main(), "actionRedo").trigger();
        QCOMPARE(session.workspace.TableText[0x09], accepted[0x09]);
        QCOMPARE(session.Lines().size(), 12);
        // Nothing left that sure: the user is told, and nothing is stored.
        Click(window, "cmdAcceptAbove");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(session.user.messages.back().text),
                 FontMessages::FontNothingToAccept(50));
        QCOMPARE(undo.text(), QStringLiteral("Undo Accept 7 Guesses"));
    }

    // An 8x8 font in JIS order (Misaki Gothic) with a script written in it: to its pixels 「 is
    // a Latin letter, and the game text, where it opens every line of speech, decides for 「;
    // the tooltip of the guess says so.
    void theGameTextDecidesAnUnsureGlyphAndTheTipSaysWhy() {
        const auto made = testing::MakeScriptGame();
        if (!made) QSKIP("Misaki Gothic (fonts-misaki) is not installed");
        const testing::ScriptGame& standIn = *made;
        std::string game(kFontStart, '\x7F');
        for (const GlyphImage& glyph : standIn.glyphs) {
            for (int y = 0; y < glyph.height; ++y) {
                int row = 0;
                for (int x = 0; x < glyph.width; ++x) row |= (glyph.at(x, y) >= 128) << (7 - x);
                game += static_cast<char>(row);
            }
        }
        game += std::string(256 * 8, '\0');
        const std::uint64_t textOffset = game.size();
        game.append(standIn.text.begin(), standIn.text.end());
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("script.bin"));
        std::ofstream(path.toStdString(), std::ios::binary) << game;

        Session session;
        session.user.openAnswers.push_back(path.toStdString());
        Find<QAction>(session.main(), "actionOpenGameFile").trigger();
        Find<QAction>(session.main(), "actionFont").trigger();
        FontWindow& window = Existing(session.windows.Font(), "Font");
        auto& format = Find<QComboBox>(window, "cmbFormat");
        format.setCurrentIndex(format.findText(QStringLiteral("bitmap")));
        Enter(window, "txtOffset", QString::number(kFontStart, 16));
        ClickGlyph(window, 0);
        Enter(window, "txtAnchor", QString::number(testing::ScriptGame::kFirstCode, 16));
        auto& suggest = Find<QCheckBox>(window, "chkSuggest");
        QTest::mouseClick(&suggest, Qt::LeftButton, Qt::NoModifier,
                          QPoint(4, suggest.height() / 2));
        QTRY_VERIFY_WITH_TIMEOUT(!window.Reading(), kWaitMs);
        const auto indexOf = [&](char32_t c) {
            const auto& all = standIn.characters;
            return static_cast<int>(std::find(all.begin(), all.end(), c) - all.begin());
        };
        const int opening = indexOf(U'「');
        const int sure = indexOf(U'お');
        QVERIFY(window.ReadingOf(opening)->Best() != U'「');

        Enter(window, "txtTextAt", QString::number(textOffset, 16));
        const auto decided = window.ReadingOf(opening);
        QCOMPARE(decided->Best(), U'「');
        QCOMPARE(decided->decidedBy, Evidence::Script);
        QCOMPARE(Grid(window).Guesses().value(opening), QStringLiteral("「"));
        // A glyph the pixels are sure of stays as they read it.
        QCOMPARE(window.ReadingOf(sure)->Best(), U'お');
        QCOMPARE(window.ReadingOf(sure)->decidedBy, Evidence::Shape);

        ClickGlyph(window, opening);
        const QString why =
            FontMessages::FontWhyGuessWon(Evidence::Script, QString::fromStdString(decided->why));
        QVERIFY(why.contains(QStringLiteral("「")));
        QVERIFY(Find<QPushButton>(window, "cmdGuess1").toolTip().contains(why));
        QCOMPARE(Find<QLabel>(window, "lblReading").toolTip(), why);
        QVERIFY(Reading(window).contains(why));
        ClickGlyph(window, sure);
        QCOMPARE(Find<QLabel>(window, "lblReading").toolTip(),
                 FontMessages::FontWhyGuessWon(Evidence::Shape, QString()));
    }

    // ゔ has no EUC-JP code, but the table holds Unicode: accepting a range stores all three
    // guesses as one step, and tells nothing.
    void acceptingARangeStoresWhatEucJpLacksToo() {
        QTemporaryDir folder;
        std::uint64_t textOffset = 0;
        const QString path = WriteStandInGame(folder, textOffset, QStringLiteral("カゔキ"));
        Session session;
        session.user.openAnswers.push_back(path.toStdString());
        Find<QAction>(session.main(), "actionOpenGameFile").trigger();
        Find<QAction>(session.main(), "actionFont").trigger();
        FontWindow& window = Existing(session.windows.Font(), "Font");
        auto& format = Find<QComboBox>(window, "cmbFormat");
        format.setCurrentIndex(format.findText(QStringLiteral("bitmap")));
        Find<QSpinBox>(window, "spnWidth").setValue(16);
        Find<QSpinBox>(window, "spnHeight").setValue(16);
        Enter(window, "txtOffset", QString::number(kFontStart, 16));
        ClickGlyph(window, 0);
        Enter(window, "txtAnchor", QStringLiteral("00"));
        for (const char* other :
             {"actRepertoire_ascii", "actRepertoire_fullwidth", "actRepertoire_kanji1"}) {
            Find<QAction>(window, other).setChecked(false);
        }
        Find<QCheckBox>(window, "chkSuggest").setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(!window.Reading(), kWaitMs);
        QCOMPARE(window.ReadingOf(1)->Best(), U'ゔ');

        const std::size_t steps = static_cast<std::size_t>(session.state.history.Stack().count());
        Find<QSpinBox>(window, "spnConfidence").setValue(0);
        ClickGlyph(window, 0);
        ClickGlyph(window, 2, Qt::ShiftModifier);
        Click(window, "cmdAcceptAbove");
        QCOMPARE(session.workspace.TableText[0x00], Text(QStringLiteral("カ")));
        QCOMPARE(session.workspace.TableText[0x01], Text(QStringLiteral("ゔ")));
        QCOMPARE(session.workspace.TableText[0x02], Text(QStringLiteral("キ")));
        QVERIFY(session.user.messages.empty());
        auto& undo = Find<QAction>(session.main(), "actionUndo");
        QCOMPARE(undo.text(), QStringLiteral("Undo Accept 3 Guesses"));
        QCOMPARE(static_cast<std::size_t>(session.state.history.Stack().count()), steps + 1);
        undo.trigger();
        QCOMPARE(session.workspace.TableText[0x01], std::string());
    }

    void aReadingIsStoppedByEscAndTakenUpOnTheNextPage() {
        QTemporaryDir folder;
        std::uint64_t textOffset = 0;
        const QString path = WriteStandInGame(folder, textOffset);
        Session session;
        session.user.openAnswers.push_back(path.toStdString());
        Find<QAction>(session.main(), "actionOpenGameFile").trigger();
        Find<QAction>(session.main(), "actionFont").trigger();
        FontWindow& window = Existing(session.windows.Font(), "Font");
        auto& format = Find<QComboBox>(window, "cmbFormat");
        format.setCurrentIndex(format.findText(QStringLiteral("bitmap")));
        Find<QSpinBox>(window, "spnWidth").setValue(16);
        Find<QSpinBox>(window, "spnHeight").setValue(16);
        Enter(window, "txtOffset", QString::number(kFontStart, 16));

        // The default repertoires: the level-1 kanji take a while to draw.
        Find<QCheckBox>(window, "chkSuggest").setChecked(true);
        QVERIFY(window.Reading());
        Grid(window).setFocus();
        Key(window, Qt::Key_Escape);
        QVERIFY(!window.Reading());
        QCOMPARE(Reading(window), FontMessages::FontReadingCancelled());
        QVERIFY(!window.ReadingOf(0));
        // Turned away and back, the page is read again.
        Key(window, Qt::Key_PageDown);
        Key(window, Qt::Key_PageUp);
        QVERIFY(window.Reading());
        QTRY_VERIFY_WITH_TIMEOUT(!window.Reading(), kWaitMs);
        QVERIFY(window.ReadingOf(0));
        QCOMPARE(window.ReadingOf(0)->Best(), U'カ');
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::FontSuggestionsTest)
#include "FontSuggestionsTest.moc"

// The Font window names glyphs: a stand-in game whose 16x16 font (drawn from GNU Unifont, Debian
// package unifont) is in an order of its own; the relative search's Hiragana placed from 10; the
// glyph showing あ anchored by its character; three kanji labelled by typing; MAKE TABLE then
// writes them at their codes. The anchor is undone and redone from the Edit menu.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "FontMessages.h"
#include "Session.h"
#include "codemap/CodeMapModel.h"
#include "codemap/CodeMapWindow.h"
#include "core/table/DocumentCommand.h"
#include "core/text/EucJp.h"
#include "font/FontGrid.h"
#include "font/FontPictures.h"
#include "font/FontSettings.h"
#include "font/FontWindow.h"
#include "gametext/GameTextModel.h"
#include "gametext/GameTextWindow.h"

namespace glyphwright::test {
namespace {

constexpr char kUnifont[] = "/usr/share/unifont/unifont_jp.hex";
constexpr int kFontStart = 0x40;  // random bytes before it stand for the game's code
constexpr int kGlyphBytes = 32;   // 16x16, each row padded to two bytes

// The game's own order, glyph by glyph from code 00: digits, six kanji, then the kana in the
// order the built-in Hiragana set has them, from 10 on.
const QString kDigitsAndKanji = QStringLiteral("０１２３４５６７８９王剣盾魔法村");
const QString kHiragana = QStringLiteral(
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    "っゃゅょ");

// Each character's 16x16 picture from the Unifont .hex file, rows padded to whole bytes.
std::string GlyphBytes(const std::map<char32_t, std::string>& font, char32_t character) {
    const std::string& bits = font.at(character);
    std::string bytes;
    const bool wide = bits.size() == 64;
    for (int row = 0; row < 16; ++row) {
        const int digits = wide ? 4 : 2;
        const auto value = std::stoul(
            bits.substr(static_cast<std::size_t>(row * digits), static_cast<std::size_t>(digits)),
            nullptr, 16);
        bytes += static_cast<char>(wide ? value >> 8 : value);
        bytes += static_cast<char>(wide ? value & 0xFF : 0);
    }
    return bytes;
}

struct StandInGame {
    QString path;
    std::map<char32_t, std::string> glyphs;  // each character's bytes in the game
};

StandInGame WriteStandInGame(const QTemporaryDir& folder) {
    StandInGame written;
    std::map<char32_t, std::string> font;
    std::ifstream hex(kUnifont);
    for (std::string line; std::getline(hex, line);) {
        const auto colon = line.find(':');
        if (colon != std::string::npos) {
            font[static_cast<char32_t>(std::stoul(line.substr(0, colon), nullptr, 16))] =
                line.substr(colon + 1);
        }
    }
    std::mt19937 random(18);
    std::string game;
    for (int i = 0; i < kFontStart; ++i) game += static_cast<char>(random());
    for (const QString& part : {kDigitsAndKanji, kHiragana}) {
        for (const char32_t character : part.toUcs4()) {
            written.glyphs[character] = GlyphBytes(font, character);
            game += written.glyphs[character];
        }
    }
    game += "\x0A\x0B\x10";  // the game's text right after the font: 王剣あ
    for (int i = 0; i < 4096; ++i) game += static_cast<char>(random());
    written.path = folder.filePath(QStringLiteral("game.bin"));
    std::ofstream(written.path.toStdString(), std::ios::binary) << game;
    return written;
}

// Whether `picture` is the 16x16 glyph stored as `bytes`, light ink on the dark ground.
bool Pictures(const QImage& picture, const std::string& bytes) {
    if (picture.size() != QSize(16, 16)) return false;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const auto byte =
                static_cast<unsigned char>(bytes[static_cast<std::size_t>(y * 2 + x / 8)]);
            const bool ink = ((byte >> (7 - x % 8)) & 1) != 0;
            if (picture.pixel(x, y) != FontGrid::InkColour(ink ? 255 : 0)) return false;
        }
    }
    return true;
}

std::string Euc(const QString& text) {
    return EncodeEucJp(text.toStdString()).value();
}

FontGrid& Grid(FontWindow& window) {
    return Find<FontGrid>(window, "glyphGrid");
}

void ClickGlyph(FontWindow& window, int index) {
    QTest::mouseClick(&Grid(window), Qt::LeftButton, Qt::NoModifier,
                      Grid(window).GlyphRect(index).center());
}

// Types into a box of the window and presses Enter.
void Enter(FontWindow& window, const char* box, const QString& text) {
    auto& line = Find<QLineEdit>(window, box);
    Retype(line, text);
    QTest::keyClick(&line, Qt::Key_Return);
}

QString Status(FontWindow& window) {
    return Find<QLabel>(window, "lblStatus").text();
}

// Chooses 16x16 bitmaps from offset 40 by keys, as a user finds the stand-in games' font.
void FindBitmapFont(FontWindow& window) {
    auto& format = Find<QComboBox>(window, "cmbFormat");
    format.setFocus();
    QTest::keyClicks(&format, QStringLiteral("bitmap"));
    for (const char* side : {"spnWidth", "spnHeight"}) {
        auto& box = Find<QSpinBox>(window, side);
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&box, QStringLiteral("16"));
    }
    Enter(window, "txtOffset", QStringLiteral("40"));
}

// A stand-in game whose 16x16 font holds the first `count` kanji of Unifont's Japanese face, in
// code point order, from kFontStart; the kanji in the game's order.
std::pair<QString, std::vector<char32_t>> WriteKanjiGame(const QTemporaryDir& folder, int count) {
    std::map<char32_t, std::string> font;
    std::ifstream hex(kUnifont);
    for (std::string line; std::getline(hex, line);) {
        const auto colon = line.find(':');
        const auto character =
            static_cast<char32_t>(std::stoul(line.substr(0, colon), nullptr, 16));
        // Kanji a table can hold: those of EUC-JP.
        if (colon != std::string::npos && character >= 0x4E00 && character < 0x9FA0 &&
            EncodeEucJp(QString::fromUcs4(&character, 1).toStdString())) {
            font[character] = line.substr(colon + 1);
        }
    }
    std::vector<char32_t> kanji;
    std::string game(kFontStart, '\xEE');
    for (auto glyph = font.begin(); glyph != font.end() && std::ssize(kanji) < count; ++glyph) {
        kanji.push_back(glyph->first);
        game += GlyphBytes(font, glyph->first);
    }
    const QString path = folder.filePath(QStringLiteral("kanji.bin"));
    std::ofstream(path.toStdString(), std::ios::binary) << game;
    return {path, kanji};
}

// The first message the user was told, for a failure's words.
const char* Told(const Session& session) {
    return session.user.messages.empty() ? "" : session.user.messages.front().text.c_str();
}

}  // namespace

class FontAnchorTest final : public QObject {
    Q_OBJECT

private slots:
    void anchoredByACharacterAndLabelledThreeGlyphsMakeTheTable() {
        QTemporaryDir folder;
        const StandInGame game = WriteStandInGame(folder);
        Session session;
        session.user.openAnswers.push_back(game.path.toStdString());
        Find<QAction>(session.main(), "actionOpenGameFile").trigger();

        // What the relative search would have found: Hiragana from 10.
        session.IncludeSet(QStringLiteral("Hiragana"));
        session.GiveStart(0, QStringLiteral("10"));
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("00"));

        // Find the font: 16x16 bitmaps from 40.
        Find<QAction>(session.main(), "actionFont").trigger();
        FontWindow& window = Existing(session.windows.Font(), "Font");
        FindBitmapFont(window);
        QCOMPARE(Find<QComboBox>(window, "cmbFormat").currentText(), QStringLiteral("bitmap"));
        QCOMPARE(window.View().Format().BytesPerGlyph(), std::uint32_t{kGlyphBytes});
        QCOMPARE(window.View().Offset(), std::uint64_t{kFontStart});

        // Without an anchor a glyph has no code to be labelled at.
        ClickGlyph(window, 0x0A);
        Enter(window, "txtCharacters", QStringLiteral("王"));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(session.user.messages.back().text),
                 FontMessages::FontNoCode());
        QCOMPARE(session.workspace.TableText[0x0A], std::string());
        // A character the table does not hold anchors nothing.
        Enter(window, "txtAnchor", QStringLiteral("王"));
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        QVERIFY(!FontSettings::Of(session.document).anchor);

        // The glyph that shows あ is where the table holds あ: code 10; the rest follow.
        ClickGlyph(window, 0x10);
        Enter(window, "txtAnchor", QStringLiteral("あ"));
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        const auto anchor = FontSettings::Of(session.document).anchor;
        QVERIFY(anchor);
        QCOMPARE(anchor->glyphOffset, std::uint64_t{kFontStart + 0x10 * kGlyphBytes});
        QCOMPARE(anchor->code, TableCode::OneByte(0x10));
        QCOMPARE(Status(window), QStringLiteral("Glyph at 240, code 10"));
        QCOMPARE(Grid(window).Captions().value(0x11), QStringLiteral("11\nい"));
        QCOMPARE(Grid(window).Captions().value(0x0A), QStringLiteral("0A\n"));  // a gap

        // Undone, no glyph has a code; redone, they have them again.
        auto& undo = Find<QAction>(session.main(), "actionUndo");
        QCOMPARE(undo.text(), QStringLiteral("Undo Anchor at 10"));
        undo.trigger();
        QVERIFY(!FontSettings::Of(session.document).anchor);
        QVERIFY(!window.View().HasCodes());
        QCOMPARE(Status(window), QStringLiteral("Glyph at 240"));
        Find<QAction>(session.main(), "actionRedo").trigger();
        QCOMPARE(FontSettings::Of(session.document).anchor, anchor);
        QCOMPARE(window.View().CodeOf(0x0A), std::optional<ByteCode>(0x0A));

        // The code map draws each code's glyph from the game, beside its character.
        Find<QAction>(session.main(), "actionCodeMap").trigger();
        CodeMapWindow& map = Existing(session.windows.Map(), "frmCodeMap");
        QVERIFY(Pictures(map.Glyphs().Of(0x10), game.glyphs.at(U'あ')));
        QVERIFY(Pictures(map.Glyphs().Of(0x0A), game.glyphs.at(U'王')));
        QVERIFY(Pictures(map.Glyphs().Of(0x00), game.glyphs.at(U'０')));
        auto& cells = Find<QTableView>(map, "tblCodeMap");
        const QImage drawn = cells.viewport()->grab().toImage();
        const QRect cell = cells.visualRect(map.Model().IndexOf(0x10));
        QVERIFY(cell.width() >
                16 + QFontMetrics(CodeMapModel::CellFont()).horizontalAdvance(u'あ'));
        int inked = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                inked += drawn.pixel(x, y) == FontGrid::InkColour(255) ? 1 : 0;
            }
        }
        QVERIFY(inked > 10);  // the game's あ, in light ink

        // Labelled: 王 and the next glyph, 剣, by Enter alone; then 法, clicked.
        ClickGlyph(window, 0x0A);
        Enter(window, "txtCharacters", QStringLiteral("王"));
        QCOMPARE(window.View().Selected(), 0x0B);
        Type(Find<QLineEdit>(window, "txtCharacters"), QStringLiteral("剣"));
        QTest::keyClick(&Find<QLineEdit>(window, "txtCharacters"), Qt::Key_Return);
        ClickGlyph(window, 0x0E);
        Enter(window, "txtCharacters", QStringLiteral("法"));
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        QCOMPARE(Grid(window).Captions().value(0x0B), QStringLiteral("0B\n剣"));
        QCOMPARE(Grid(window).Captions().value(0x0C), QStringLiteral("0C\n"));
        QCOMPARE(session.Lines(), (QStringList{"Hiragana", QStringLiteral("王"),
                                               QStringLiteral("剣"), QStringLiteral("法")}));
        QCOMPARE(undo.text(), QStringLiteral("Undo Single Entry 0E"));

        // The game text draws the bytes in the game's glyphs above the table's reading.
        Find<QAction>(session.main(), "actionGameText").trigger();
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        const auto glyphs = kDigitsAndKanji.size() + kHiragana.size();  // the text follows them
        Retype(Find<QLineEdit>(text, "txtOffset"),
               QString::number(kFontStart + glyphs * kGlyphBytes, 16));
        QTest::keyClick(&Find<QLineEdit>(text, "txtOffset"), Qt::Key_Return);
        const QModelIndex reading =
            Find<QTableView>(text, "tblText").model()->index(0, GameTextModel::Text);
        QVERIFY(reading.data().toString().startsWith(QStringLiteral("王剣あ")));
        QVERIFY(reading.data(Qt::DecorationRole).isNull());
        auto& glyphsBox = Find<QCheckBox>(text, "chkGlyphs");
        QVERIFY(glyphsBox.isEnabled());
        QTest::mouseClick(&glyphsBox, Qt::LeftButton, Qt::NoModifier,
                          QPoint(4, glyphsBox.height() / 2));
        const QImage row = reading.data(Qt::DecorationRole).value<QImage>();
        QVERIFY(Pictures(row.copy(0, 0, 16, 16), game.glyphs.at(U'王')));
        QVERIFY(Pictures(row.copy(17, 0, 16, 16), game.glyphs.at(U'剣')));
        QVERIFY(Pictures(row.copy(34, 0, 16, 16), game.glyphs.at(U'あ')));

        const QString table = folder.filePath(QStringLiteral("game.tbl"));
        session.user.pathAnswers.push_back(table.toStdString());
        Click(session.main(), "cmdSave");
        std::string expected;
        const std::map<int, QString> labelled{{0x0A, QStringLiteral("王")},
                                              {0x0B, QStringLiteral("剣")},
                                              {0x0E, QStringLiteral("法")}};
        const auto line = [&expected](int code, const std::string& bytes) {
            expected += QStringLiteral("%1=").arg(code, 2, 16, QChar(u'0')).toUpper().toStdString();
            expected += bytes + "\r\r\n";
        };
        for (int code = 0; code < 0x10; ++code) {
            line(code, labelled.count(code) != 0 ? Euc(labelled.at(code)) : std::string());
        }
        int code = 0x10;
        for (const QChar kana : kHiragana) line(code++, Euc(kana));
        expected += "\r\r\n";
        QCOMPARE(ReadFile(table), expected);
    }

    // A font of 300 glyphs: anchored at 00, the glyphs past the 256th have the two-byte codes
    // 0100 on; one is labelled, and MAKE TABLE's UTF-8 file holds it. An anchor of four digits
    // ties a glyph to a two-byte code, counted in the project's byte order.
    void aFontOfMoreThan256GlyphsTakesTwoByteCodes() {
        QTemporaryDir folder;
        const auto [path, kanji] = WriteKanjiGame(folder, 300);
        QCOMPARE(kanji.size(), std::size_t{300});
        Session session;
        session.user.openAnswers.push_back(path.toStdString());
        Find<QAction>(session.main(), "actionOpenGameFile").trigger();
        Find<QAction>(session.main(), "actionFont").trigger();
        FontWindow& window = Existing(session.windows.Font(), "Font");
        FindBitmapFont(window);
        ClickGlyph(window, 0);
        Enter(window, "txtAnchor", QStringLiteral("00"));
        QCOMPARE(FontSettings::Of(session.document).anchor->code, TableCode::OneByte(0x00));

        // The 257th glyph on: 0100, 0101, …
        Enter(window, "txtOffset", QString::number(kFontStart + 0x100 * kGlyphBytes, 16));
        QCOMPARE(Grid(window).Captions().value(0), QStringLiteral("0100\n"));
        const QString fifth = QString::fromUcs4(&kanji[0x105], 1);
        ClickGlyph(window, 5);
        QCOMPARE(Status(window), QStringLiteral("Glyph at 20E0, code 0105"));
        Enter(window, "txtCharacters", fifth);
        QVERIFY2(session.user.messages.empty(), Told(session));
        QCOMPARE(Grid(window).Captions().value(5), QStringLiteral("0105\n") + fifth);
        QCOMPARE(session.document.Contents().EntryAt(TableCode::TwoByte(0x0105)).text, fifth.toStdString());
        QCOMPARE(Find<QAction>(session.main(), "actionUndo").text(),
                 QStringLiteral("Undo Single Entry 0105"));

        // MAKE TABLE as UTF-8: the two-byte code in its place among the one-byte ones.
        session.IncludeSet(QStringLiteral("0-9"));
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("30"));
        const QString table = folder.filePath(QStringLiteral("kanji.tbl"));
        session.user.pathAnswers.push_back(table.toStdString());
        session.user.chosenFilter = 1;
        Click(session.main(), "cmdSave");
        QVERIFY2(session.user.messages.empty(), Told(session));
        std::string expected = "0105=" + fifth.toStdString() + "\n";
        for (int digit = 0; digit < 10; ++digit) {
            expected += std::to_string(30 + digit) + "=" + std::to_string(digit) + "\n";
        }
        QCOMPARE(ReadFile(table), expected);

        // Four digits: the glyph shown first is 8000 and the next 8001; stored low byte first,
        // 80 00 is the value 0080 and the next, 0081, is stored 81 00.
        ClickGlyph(window, 0);
        Enter(window, "txtAnchor", QStringLiteral("8000"));
        QCOMPARE(FontSettings::Of(session.document).anchor->code, TableCode::TwoByte(0x8000));
        QCOMPARE(Grid(window).Captions().value(1), QStringLiteral("8001\n"));
        DocumentCommand::SetCodeOrder(session.document, CodeOrder::LittleEndian)
            .Do(session.document);
        QCOMPARE(Grid(window).Captions().value(1), QStringLiteral("8100\n"));
    }

    // The settings are the project's: a document opened with them shows them, and looking about
    // keeps them there without a step to undo.
    void settingsComeFromTheDocumentAndGoBackToIt() {
        QTemporaryDir folder;
        const StandInGame game = WriteStandInGame(folder);
        Session session;
        DocumentContents project;
        project.featureSettings["font"] =
            R"({"format":"bitmap","width":16,"height":16,"tileOrder":"across","offset":"40",)"
            R"("zoom":3,"anchor":{"offset":"240","code":16}})";
        session.document.Replace(project);
        session.user.openAnswers.push_back(game.path.toStdString());
        Find<QAction>(session.main(), "actionOpenGameFile").trigger();
        Find<QAction>(session.main(), "actionFont").trigger();
        FontWindow& window = Existing(session.windows.Font(), "Font");
        QCOMPARE(window.View().Offset(), std::uint64_t{kFontStart});
        QCOMPARE(Find<QComboBox>(window, "cmbFormat").currentText(), QStringLiteral("bitmap"));
        QCOMPARE(Find<QSpinBox>(window, "spnHeight").value(), 16);
        QCOMPARE(Find<QSpinBox>(window, "spnZoom").value(), 3);
        QCOMPARE(window.View().CodeOf(0x10), std::optional<ByteCode>(0x10));

        QTest::keyClick(&Grid(window), Qt::Key_Down, Qt::ControlModifier);  // a row on
        const FontSettings kept = FontSettings::Of(session.document);
        QCOMPARE(kept.offset, std::uint64_t{kFontStart + 16 * kGlyphBytes});
        QCOMPARE(kept.anchor, (std::optional<FontAnchor>(FontAnchor{0x240, 0x10})));
        QVERIFY(!Find<QAction>(session.main(), "actionUndo").isEnabled());
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::FontAnchorTest)
#include "FontAnchorTest.moc"

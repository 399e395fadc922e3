// The Font window: made by View > Font (Ctrl+G) once and kept; the open game file drawn as glyphs
// in the format chosen; the glyph selected by clicks and arrow keys; the offset typed, stepped by
// the keys and the wheel; zoom; and a file that ends inside a page.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <fstream>
#include <random>

#include "GameFileMessages.h"
#include "Session.h"
#include "core/glyphs/GlyphFormat.h"
#include "font/FontGrid.h"
#include "font/FontSettings.h"
#include "font/FontWindow.h"
#include "support/GlyphEncoder.h"

namespace glyphwright::test {
namespace {

constexpr int kGlyphs = 1000;

// A font of 1000 gb2bpp 8x8 glyphs with random pixels after 5 bytes of something else.
struct StandInFont {
    GlyphFormat format = GlyphFormat::Make(TileFormat::Gb2bpp, 8, 8).value();
    std::vector<IndexedGlyph> glyphs;
    QString path;

    explicit StandInFont(const QTemporaryDir& folder, int count = kGlyphs) {
        std::mt19937 random(18);
        std::string bytes(5, '\x55');
        for (int i = 0; i < count; ++i) {
            glyphs.push_back(GlyphEncoder::Random(format, random));
            const auto encoded = GlyphEncoder::Encode(glyphs.back(), format);
            bytes.append(encoded.begin(), encoded.end());
        }
        path = folder.filePath(QStringLiteral("game.bin"));
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    }
};

void OpenGameFile(Session& session, const QString& path) {
    session.user.openAnswers.push_back(path.toStdString());
    Find<QAction>(session.main(), "actionOpenGameFile").trigger();
}

FontWindow& ShowFont(Session& session) {
    auto& action = Find<QAction>(session.main(), "actionFont");
    if (action.shortcut() != QKeySequence(QStringLiteral("Ctrl+G"))) {
        throw std::runtime_error("View > Font is not on Ctrl+G");
    }
    action.trigger();
    return Existing(session.windows.Font(), "Font");
}

// Whether the grid draws glyph `index` of the page as the `drawn` pixels, zoomed.
bool Draws(FontWindow& window, int index, const IndexedGlyph& drawn, int zoom) {
    const FontGrid& grid = Find<FontGrid>(window, "glyphGrid");
    const QRect place = grid.GlyphRect(index);
    for (int y = 0; y < drawn.height * zoom; ++y) {
        for (int x = 0; x < drawn.width * zoom; ++x) {
            const QRgb want = FontGrid::InkColour(drawn.at(x / zoom, y / zoom) * 85);
            if (grid.Picture().pixel(place.left() + x, place.top() + y) != want) return false;
        }
    }
    return true;
}

void Key(FontWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&Find<FontGrid>(window, "glyphGrid"), key, modifiers);
}

void Wheel(FontWindow& window, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    auto& grid = Find<FontGrid>(window, "glyphGrid");
    const QPointF at(10, 10);
    QWheelEvent turn(at, grid.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                     modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&grid, &turn);
}

QString Status(FontWindow& window) {
    return Find<QLabel>(window, "lblStatus").text();
}

}  // namespace

class FontWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void madeOnceFromTheViewMenuAndKeptWithItsSettings() {
        Session session;
        FontWindow& window = ShowFont(session);
        QCOMPARE(window.windowTitle(), QStringLiteral("Font"));
        QVERIFY(window.isVisible());
        QCOMPARE(Status(window), GameFileMessages::NoGameFile());
        QStringList formats;
        auto& format = Find<QComboBox>(window, "cmbFormat");
        for (int i = 0; i < format.count(); ++i) formats << format.itemText(i);
        QCOMPARE(formats, (QStringList{"1bpp", "nes2bpp", "gb2bpp", "snes4bpp", "gba4bpp", "8bpp",
                                       "bitmap", "bitmap-packed"}));

        format.setCurrentIndex(3);
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(&ShowFont(session), &window);
        QVERIFY(window.isVisible());
        QCOMPARE(window.View().Format().Tiles(), TileFormat::Snes4bpp);
    }

    void drawsTheGlyphsAndMovesByTheKeysAndTheWheel() {
        QTemporaryDir folder;
        const StandInFont font(folder);
        Session session;
        OpenGameFile(session, font.path);
        FontWindow& window = ShowFont(session);
        Find<QComboBox>(window, "cmbFormat").setCurrentIndex(2);  // gb2bpp
        QCOMPARE(window.View().Format(), font.format);

        // The font starts 5 bytes in: typed in hex, the page lines up with its glyphs.
        auto& offset = Find<QLineEdit>(window, "txtOffset");
        Retype(offset, QStringLiteral("0x5"));
        QTest::keyClick(&offset, Qt::Key_Return);
        QCOMPARE(window.View().Offset(), 5u);
        QCOMPARE(offset.text(), QStringLiteral("5"));
        const int zoom = Find<QSpinBox>(window, "spnZoom").value();
        QVERIFY(Draws(window, 0, font.glyphs[0], zoom));
        QVERIFY(Draws(window, 255, font.glyphs[255], zoom));

        // The selection: a click, then the arrow keys; past the page's bottom the page moves.
        auto& grid = Find<FontGrid>(window, "glyphGrid");
        QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.GlyphRect(18).center());
        QCOMPARE(window.View().Selected(), 18);
        QCOMPARE(grid.Selected(), 18);
        QCOMPARE(Status(window), QStringLiteral("Glyph at 125"));  // 5 + 18 * 16
        Key(window, Qt::Key_Right);
        Key(window, Qt::Key_Down);
        QCOMPARE(window.View().Selected(), 35);
        Key(window, Qt::Key_Left);
        Key(window, Qt::Key_Up);
        QCOMPARE(window.View().Selected(), 18);
        for (int i = 0; i < 15; ++i) Key(window, Qt::Key_Down);  // to the last row, and one more
        QCOMPARE(window.View().Offset(), 5u + 16 * 16);
        QCOMPARE(window.View().Selected(), 2 + 15 * 16);
        QVERIFY(Draws(window, 0, font.glyphs[16], zoom));

        // The offset by a byte, a glyph, a row and a page.
        Key(window, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(window.View().Offset(), 5u + 256 + 1);
        QCOMPARE(offset.text(), QStringLiteral("106"));
        Key(window, Qt::Key_Left, Qt::ControlModifier);
        Key(window, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(window.View().Offset(), 5u + 256 + 16);
        QVERIFY(Draws(window, 0, font.glyphs[17], zoom));
        Key(window, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(window.View().Offset(), 5u + 16);
        Key(window, Qt::Key_PageDown);
        QCOMPARE(window.View().Offset(), 5u + 16 + 4096);
        QVERIFY(Draws(window, 0, font.glyphs[257], zoom));
        Key(window, Qt::Key_PageUp);
        Key(window, Qt::Key_PageUp);  // less than a page behind: stays
        QCOMPARE(window.View().Offset(), 5u + 16);
        Key(window, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(window.View().Offset(), 5u);

        // The wheel: towards the user goes on, a row a notch; Ctrl a byte, Shift a glyph, Alt
        // a page.
        Wheel(window, -2);
        QCOMPARE(window.View().Offset(), 5u + 2 * 256);
        Wheel(window, 1);
        QCOMPARE(window.View().Offset(), 5u + 256);
        Wheel(window, -3, Qt::ControlModifier);
        QCOMPARE(window.View().Offset(), 5u + 256 + 3);
        Wheel(window, 1, Qt::ControlModifier);
        Wheel(window, -1, Qt::ShiftModifier);
        QCOMPARE(window.View().Offset(), 5u + 256 + 2 + 16);
        Wheel(window, -1, Qt::AltModifier);
        QCOMPARE(window.View().Offset(), 5u + 256 + 2 + 16 + 4096);

        // Zoom from the keys, within 1x to 8x, and the page drawn at it.
        Retype(offset, QStringLiteral("5"));
        QTest::keyClick(&offset, Qt::Key_Return);
        auto& zoomBox = Find<QSpinBox>(window, "spnZoom");
        for (int i = 0; i < 10; ++i) QTest::keyClick(&grid, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(zoomBox.value(), 8);
        QVERIFY(Draws(window, 1, font.glyphs[1], 8));
        for (int i = 0; i < 10; ++i) QTest::keyClick(&grid, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(zoomBox.value(), 1);
        QVERIFY(Draws(window, 1, font.glyphs[1], 1));
    }

    void aLayoutOfSeveralTilesAndAFileThatEndsInsideAPage() {
        QTemporaryDir folder;
        const StandInFont font(folder, 40);  // 640 bytes after 5
        Session session;
        OpenGameFile(session, font.path);
        FontWindow& window = ShowFont(session);
        Find<QComboBox>(window, "cmbFormat").setCurrentIndex(2);
        // 16x8 across: glyph i is tiles 2i and 2i + 1 side by side.
        Find<QSpinBox>(window, "spnWidth").setValue(16);
        QCOMPARE(window.View().Format().Width(), 16);
        Retype(Find<QLineEdit>(window, "txtOffset"), QStringLiteral("5"));
        QTest::keyClick(&Find<QLineEdit>(window, "txtOffset"), Qt::Key_Return);
        IndexedGlyph pair{16, 8, {}};
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 16; ++x)
                pair.index.push_back(font.glyphs[static_cast<std::size_t>(6 + x / 8)].at(x % 8, y));
        }
        QVERIFY(Draws(window, 3, pair, Find<QSpinBox>(window, "spnZoom").value()));
        QCOMPARE(window.View().GlyphsShown(), 20);
        Key(window, Qt::Key_End);  // no meaning here: nothing moves
        for (int i = 0; i < 5; ++i) Key(window, Qt::Key_Down);
        QCOMPARE(window.View().Selected(), 16);  // a row down is glyph 16; 32 is past the end
        Key(window, Qt::Key_PageDown);
        QCOMPARE(window.View().Offset(), 5u);

        // Bitmaps take any size from 4 and no tile order; back to tiles, sizes round up to 8.
        auto& format = Find<QComboBox>(window, "cmbFormat");
        format.setCurrentIndex(6);
        Find<QSpinBox>(window, "spnWidth").setValue(12);
        Find<QSpinBox>(window, "spnHeight").setValue(5);
        QVERIFY(!Find<QComboBox>(window, "cmbTileOrder").isEnabled());
        QCOMPARE(window.View().Format().BytesPerGlyph(), 10u);
        format.setCurrentIndex(0);
        QCOMPARE(window.View().Format().Width(), 16);
        QCOMPARE(window.View().Format().Height(), 8);
    }

    void codesUnderTheGlyphsWhenTheyAreKnown() {
        QTemporaryDir folder;
        const StandInFont font(folder, 40);
        Session session;
        OpenGameFile(session, font.path);
        FontWindow& window = ShowFont(session);
        const QSize before = Find<FontGrid>(window, "glyphGrid").sizeHint();
        window.SetCodeForGlyph([](std::uint64_t offset) -> std::optional<ByteCode> {
            return offset == 16 ? std::optional<ByteCode>(0x41) : std::nullopt;
        });
        auto& grid = Find<FontGrid>(window, "glyphGrid");
        QVERIFY(grid.sizeHint().height() > before.height());  // a caption row under each glyph
        QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.GlyphRect(2).center());
        QCOMPARE(Status(window), QStringLiteral("Glyph at 10, code 41"));
    }

    // The offset is the project's: opening the project again, or its game file after it, shows
    // it, and saving keeps it.
    void theProjectsOffsetComesBackWhenItIsOpenedAgain() {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir folder;
        const StandInFont font(folder);
        const QString project = folder.filePath(QStringLiteral("font.gwproj"));
        Session session;
        OpenGameFile(session, font.path);
        FontWindow& window = ShowFont(session);
        auto& offset = Find<QLineEdit>(window, "txtOffset");
        Retype(offset, QStringLiteral("2400"));
        QTest::keyClick(&offset, Qt::Key_Return);
        session.user.pathAnswers.push_back(project.toStdString());
        Find<QAction>(session.main(), "actionSaveProjectAs").trigger();

        session.user.openAnswers.push_back(project.toStdString());
        Find<QAction>(session.main(), "actionOpenProject").trigger();
        QVERIFY(session.user.messages.empty());
        QCOMPARE(window.View().Offset(), 0x2400u);
        QCOMPARE(offset.text(), QStringLiteral("2400"));
        Find<QAction>(session.main(), "actionSaveProject").trigger();

        // Opened by a new run, the project saved last holds the offset too.
        Session again;
        again.user.openAnswers.push_back(project.toStdString());
        Find<QAction>(again.main(), "actionOpenProject").trigger();
        QCOMPARE(FontSettings::Of(again.document).offset, 0x2400u);
        QCOMPARE(ShowFont(again).View().Offset(), 0x2400u);
        // Another game file opened by hand keeps the place the project holds.
        OpenGameFile(again, font.path);
        QCOMPARE(FontSettings::Of(again.document).offset, 0x2400u);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::FontWindowTest)
#include "FontWindowTest.moc"

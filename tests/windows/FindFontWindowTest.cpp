// Tools > Find Font…: the look runs on its thread with progress and Stop while the window goes on
// answering; the candidates are listed best first with their first glyphs drawn, the packed
// streams beside them; Enter or a double-click opens the one chosen in the Font window as one
// step that Undo takes back.
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <fstream>
#include <random>

#include "OpenGameFile.h"
#include "Session.h"
#include "font/FontGrid.h"
#include "font/FontSettings.h"
#include "font/FontWindow.h"
#include "fontfind/FindFontWindow.h"
#include "support/FontStandIn.h"

namespace glyphwright::test {
namespace {

QString Write(const QTemporaryDir& folder, const std::vector<std::uint8_t>& bytes) {
    const QString path = folder.filePath(QStringLiteral("game.bin"));
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

FindFontWindow& ShowFindFont(Session& session, const QString& game) {
    session.state.gameFile.Set(GameFile::Open(game.toStdString()).value());
    Find<QAction>(session.main(), "actionFindFont").trigger();
    return Existing(session.windows.FindFont(), "frmFindFont");
}

QString Status(FindFontWindow& window) {
    return Find<QLabel>(window, "lblStatus").text();
}

void ClickRow(QAbstractItemView& view, int row, int column = 0) {
    const QRect place = view.visualRect(view.model()->index(row, column));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
}

}  // namespace

class FindFontWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void findsAPackedFontAndOpensItInTheFontWindowAsOneStep() {
        QTemporaryDir folder;
        const StandIn game =
            FontStandIns::Make({"MisakiMincho", 8, 8, TileFormat::OneBpp, TileOrder::Across,
                                Compression::Lz10, false, std::size_t{256} << 10, 10});
        Session session;
        FindFontWindow& window = ShowFindFont(session, Write(folder, game.bytes));
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Find Font"));
        auto& progress = Find<QProgressBar>(window, "barProgress");
        auto& candidates = Find<QTableWidget>(window, "tblCandidates");
        auto& streams = Find<QTableView>(window, "tblStreams");
        QVERIFY(!Find<QPushButton>(window, "cmdOpen").isEnabled());

        QSignalSpy moved(&progress, &QProgressBar::valueChanged);
        Click(window, "cmdFind");
        QVERIFY(window.Busy());
        QVERIFY(!Find<QPushButton>(window, "cmdFind").isEnabled());
        QVERIFY(Find<QPushButton>(window, "cmdStop").isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!window.Busy(), 120000);
        QVERIFY(moved.count() > 2);
        QCOMPARE(progress.value(), 100);
        QVERIFY(Find<QPushButton>(window, "cmdFind").isEnabled());

        // The font among the first three, each candidate a row with its strip of glyphs.
        const auto& found = window.Candidates();
        QCOMPARE(candidates.rowCount(), static_cast<int>(found.size()));
        const auto truth = std::find_if(found.begin(), found.end(), [&](const FontCandidate& c) {
            return c.compression == Compression::Lz10 && c.offset == game.offset &&
                   c.format == game.format;
        });
        QVERIFY(truth != found.end());
        const int row = static_cast<int>(truth - found.begin());
        QVERIFY2(row < 3, qPrintable(QString::number(row)));
        QCOMPARE(candidates.item(row, 2)->text(),
                 QStringLiteral("In the lz10 stream at %1: 1bpp 8x8, %2 glyphs")
                     .arg(QString::number(game.offset, 16).toUpper())
                     .arg(truth->count));
        const auto strip = candidates.item(row, 1)->data(Qt::DecorationRole).value<QPixmap>();
        QCOMPARE(strip.size(), QSize((16 * 9 + 1) * 2, 10 * 2));
        QVERIFY(Status(window).startsWith(QStringLiteral("%1 candidates").arg(found.size())));

        // The packed streams in the same window: the font's among them, with its sizes.
        QCOMPARE(streams.model()->rowCount(), static_cast<int>(window.Streams().size()));
        const auto stream =
            std::find_if(window.Streams().begin(), window.Streams().end(),
                         [&](const FoundStream& s) { return s.offset == game.offset; });
        QVERIFY(stream != window.Streams().end());
        QCOMPARE(stream->compression, Compression::Lz10);
        QCOMPARE(std::uint64_t{stream->unpackedSize}, game.count * 8);

        // Chosen by a click and opened by Enter: one step sets format, compression and offset.
        QUndoStack& undo = session.state.history.Stack();
        const int steps = undo.count();
        ClickRow(candidates, row, 2);
        QVERIFY(Find<QPushButton>(window, "cmdOpen").isEnabled());
        QTest::keyClick(&candidates, Qt::Key_Return);
        FontWindow& font = Existing(session.windows.Font(), "Font");
        QVERIFY(font.isVisible());
        QCOMPARE(undo.count(), steps + 1);
        FontSettings opened = FontSettings::Of(session.document);
        QCOMPARE(opened.format, game.format);
        QCOMPARE(opened.compression, Compression::Lz10);
        QCOMPARE(opened.stream, game.offset);
        QCOMPARE(opened.offset, 0u);
        QCOMPARE(font.View().Format(), game.format);
        // The stream unpacks on its own thread.
        QTRY_COMPARE(static_cast<std::uint64_t>(font.View().GlyphsShown()), game.count);
        // The strip drew the glyphs the Font window reads there.
        const QImage strip0 = strip.toImage();
        const auto glyphs = font.View().Decode();
        QVERIFY(glyphs);
        for (int g = 0; g < 16; ++g) {
            const GlyphImage& glyph = glyphs.value()[static_cast<std::size_t>(g)];
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    QCOMPARE(strip0.pixel((1 + g * 9 + x) * 2, (1 + y) * 2),
                             FontGrid::InkColour(glyph.at(x, y)));
                }
            }
        }
        undo.undo();
        QCOMPARE(FontSettings::Of(session.document).compression, Compression::None);
        QCOMPARE(FontSettings::Of(session.document).format, GlyphFormat{});

        // A stream opened by a double-click: its compression and start, the format kept.
        auto& tabs = Find<QTabWidget>(window, "tabFound");
        QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, Qt::NoModifier,
                          tabs.tabBar()->tabRect(1).center());
        QCOMPARE(tabs.currentWidget(), &streams);
        const int streamRow = static_cast<int>(stream - window.Streams().begin());
        const QRect place = streams.visualRect(streams.model()->index(streamRow, 1));
        // A double-click as the platform sends it: press, release, double-click, release.
        QTest::mouseClick(streams.viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        QTest::mouseDClick(streams.viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        QTest::mouseRelease(streams.viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        QCOMPARE(undo.count(), steps + 1);
        opened = FontSettings::Of(session.document);
        QCOMPARE(opened.compression, Compression::Lz10);
        QCOMPARE(opened.stream, game.offset);
        QCOMPARE(opened.format, GlyphFormat{});
    }

    void stopsWhenToldAndAnswersWhileItLooks() {
        QTemporaryDir folder;
        std::mt19937 random(5);
        std::vector<std::uint8_t> noise(std::size_t{16} << 20);
        for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
        Session session;
        FindFontWindow& window = ShowFindFont(session, Write(folder, noise));
        auto& progress = Find<QProgressBar>(window, "barProgress");
        Click(window, "cmdFind");

        // While it looks, the window's own thread is free: a turn of the event loop comes back
        // within a frame.
        QElapsedTimer clock;
        std::vector<qint64> turns;
        clock.start();
        while (progress.value() < 5 && window.Busy() && turns.size() < 100000) {
            QTest::qWait(1);
            turns.push_back(clock.restart());
        }
        QVERIFY(window.Busy());
        QVERIFY(turns.size() > 10);
        std::sort(turns.begin(), turns.end());
        // The median, as the machine may be busy with other work than this test's.
        const qint64 typical = turns[turns.size() / 2];
        qInfo(
            "event loop turns while looking: %zu; median %lld ms, 90th percentile %lld ms, "
            "longest %lld ms",
            turns.size(), typical, turns[turns.size() * 9 / 10], turns.back());
        QVERIFY2(typical <= 16, qPrintable(QString::number(typical)));

        Click(window, "cmdStop");
        QTRY_VERIFY_WITH_TIMEOUT(!window.Busy(), 10000);
        QCOMPARE(Status(window), QStringLiteral("Stopped."));
        QVERIFY(window.Candidates().empty());
        QVERIFY(Find<QPushButton>(window, "cmdFind").isEnabled());
    }

    void aFileOfZerosHoldsNoFont() {
        QTemporaryDir folder;
        Session session;
        FindFontWindow& window =
            ShowFindFont(session, Write(folder, std::vector<std::uint8_t>(64 * 1024, 0)));
        Click(window, "cmdFind");
        QTRY_VERIFY_WITH_TIMEOUT(!window.Busy(), 60000);
        QCOMPARE(Status(window),
                 QStringLiteral("Nothing in the file looks like a font; 0 packed streams found."));
        QCOMPARE(Find<QTableWidget>(window, "tblCandidates").rowCount(), 0);
        QVERIFY(!Find<QPushButton>(window, "cmdOpen").isEnabled());
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::FindFontWindowTest)
#include "FindFontWindowTest.moc"

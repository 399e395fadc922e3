// The Font window's Compression box: a font packed in a stream is read from what the stream
// unpacks to, the offset naming the stream's start; the page steps through the unpacked glyphs;
// the anchor counts in them and the code map draws its glyphs from them; a stream that does not
// unpack says why and loses nothing.
#include <QAction>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <array>
#include <fstream>
#include <random>

#include "OpenGameFile.h"
#include "Session.h"
#include "core/glyphs/GlyphFormat.h"
#include "font/FontGrid.h"
#include "font/FontPictures.h"
#include "font/FontSettings.h"
#include "font/FontWindow.h"
#include "support/GlyphEncoder.h"
#include "support/StreamEncoder.h"

namespace glyphwright::test {
namespace {

constexpr int kGlyphs = 600;
constexpr std::uint64_t kStreamAt = 0x1000;

// 600 random gb2bpp 8x8 glyphs packed with LZ77 (10h) at 1000h, after bytes that are no stream
// and before more of them.
struct PackedFont {
    GlyphFormat format = GlyphFormat::Make(TileFormat::Gb2bpp, 8, 8).value();
    std::vector<IndexedGlyph> glyphs;
    QString path;

    explicit PackedFont(const QTemporaryDir& folder) {
        std::mt19937 random(31);
        std::vector<std::uint8_t> font;
        for (int i = 0; i < kGlyphs; ++i) {
            glyphs.push_back(GlyphEncoder::Random(format, random));
            const auto encoded = GlyphEncoder::Encode(glyphs.back(), format);
            font.insert(font.end(), encoded.begin(), encoded.end());
        }
        std::vector<std::uint8_t> bytes(kStreamAt, 0x55);
        const auto packed = StreamEncoder::Lz(font, false);
        bytes.insert(bytes.end(), packed.begin(), packed.end());
        bytes.resize(bytes.size() + 0x800, 0x55);
        path = folder.filePath(QStringLiteral("game.bin"));
        std::ofstream(path.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
};

// Two LZ77 (10h) streams that each unpack to nearly 16 MiB, the most a header states: 256
// random gb2bpp 8x8 glyphs, then blank ones. Unpacking one takes many frames.
struct LargeStreams {
    static constexpr std::size_t kUnpacked = (std::size_t{16} << 20) - 16;
    GlyphFormat format = GlyphFormat::Make(TileFormat::Gb2bpp, 8, 8).value();
    std::array<std::vector<IndexedGlyph>, 2> glyphs;
    std::array<std::uint64_t, 2> at{};
    QString path;

    explicit LargeStreams(const QTemporaryDir& folder) {
        std::mt19937 random(16);
        std::vector<std::uint8_t> bytes(0x100, 0x55);
        for (std::size_t s = 0; s < 2; ++s) {
            std::vector<std::uint8_t> unpacked;
            unpacked.reserve(kUnpacked);
            for (int i = 0; i < 256; ++i) {
                glyphs[s].push_back(GlyphEncoder::Random(format, random));
                const auto encoded = GlyphEncoder::Encode(glyphs[s].back(), format);
                unpacked.insert(unpacked.end(), encoded.begin(), encoded.end());
            }
            unpacked.resize(kUnpacked, 0);
            at[s] = bytes.size();
            // Copies from one byte back only: quick to pack, and still a long unpack.
            const auto packed = StreamEncoder::Lz(unpacked, false, 1);
            bytes.insert(bytes.end(), packed.begin(), packed.end());
            bytes.resize((bytes.size() + 0x103) / 4 * 4, 0x55);
        }
        path = folder.filePath(QStringLiteral("large.bin"));
        std::ofstream(path.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
};

FontWindow& ShowFont(Session& session) {
    Find<QAction>(session.main(), "actionFont").trigger();
    return Existing(session.windows.Font(), "Font");
}

// Whether the grid draws glyph `index` of the page as the `drawn` pixels, zoomed.
bool Draws(FontWindow& window, int index, const IndexedGlyph& drawn) {
    const int zoom = Find<QSpinBox>(window, "spnZoom").value();
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

// Chooses an item of a combo box by the keys: Home, then Down to it.
void Choose(QComboBox& box, const QString& name) {
    const int index = box.findText(name);
    if (index < 0) throw std::runtime_error("no item " + name.toStdString());
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(&box, Qt::Key_Down);
}

void TypeOffset(FontWindow& window, const QString& offset) {
    auto& box = Find<QLineEdit>(window, "txtOffset");
    Retype(box, offset);
    QTest::keyClick(&box, Qt::Key_Return);
}

QString Status(FontWindow& window) {
    return Find<QLabel>(window, "lblStatus").text();
}

}  // namespace

class FontCompressionTest final : public QObject {
    Q_OBJECT

private slots:
    void readsTheGlyphsAStreamUnpacksToAndKeepsTheCompression() {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir folder;
        const PackedFont font(folder);
        Session session;
        session.state.gameFile.Set(GameFile::Open(font.path.toStdString()).value());
        FontWindow& window = ShowFont(session);
        auto& compression = Find<QComboBox>(window, "cmbCompression");
        QStringList names;
        for (int i = 0; i < compression.count(); ++i) names << compression.itemText(i);
        QCOMPARE(names, (QStringList{"none", "lz10", "lz11", "huff", "rle"}));
        Choose(Find<QComboBox>(window, "cmbFormat"), QStringLiteral("gb2bpp"));
        QCOMPARE(window.View().Format(), font.format);

        // The offset typed raw, then the compression chosen: it names the stream's start now.
        TypeOffset(window, QStringLiteral("1000"));
        Choose(compression, QStringLiteral("lz10"));
        QCOMPARE(compression.currentText(), QStringLiteral("lz10"));
        QCOMPARE(Find<QLineEdit>(window, "txtOffset").text(), QStringLiteral("1000"));
        QCOMPARE(window.View().Offset(), 0u);
        QTRY_COMPARE(window.View().GlyphsShown(), 256);
        QVERIFY(Draws(window, 0, font.glyphs[0]));
        QVERIFY(Draws(window, 255, font.glyphs[255]));
        QCOMPARE(Status(window), QStringLiteral("Glyph at 0 of the stream at 1000"));
        FontSettings kept = FontSettings::Of(session.document);
        QCOMPARE(kept.compression, Compression::Lz10);
        QCOMPARE(kept.stream, kStreamAt);
        QCOMPARE(kept.offset, 0u);
        // Looking is no change: nothing to undo.
        QCOMPARE(session.state.history.Stack().count(), 0);

        // The keys page through what the stream unpacks to; the stream stays where it is.
        auto& grid = Find<FontGrid>(window, "glyphGrid");
        QTest::keyClick(&grid, Qt::Key_PageDown);
        QCOMPARE(window.View().Offset(), 256u * 16);
        QVERIFY(Draws(window, 0, font.glyphs[256]));
        QTest::keyClick(&grid, Qt::Key_PageDown);  // 88 glyphs left: the last page shows them
        QCOMPARE(window.View().GlyphsShown(), kGlyphs - 512);
        QVERIFY(Draws(window, kGlyphs - 513, font.glyphs[kGlyphs - 1]));
        QCOMPARE(Find<QLineEdit>(window, "txtOffset").text(), QStringLiteral("1000"));
        QCOMPARE(FontSettings::Of(session.document).offset, 512u * 16);

        // Kept with the project: a new run that opens it reads the same glyphs from the stream.
        const QString project = folder.filePath(QStringLiteral("packed.gwproj"));
        session.user.pathAnswers.push_back(project.toStdString());
        Find<QAction>(session.main(), "actionSaveProjectAs").trigger();
        Session again;
        again.user.openAnswers.push_back(project.toStdString());
        Find<QAction>(again.main(), "actionOpenProject").trigger();
        QVERIFY(again.user.messages.empty());
        again.state.gameFile.Set(GameFile::Open(font.path.toStdString()).value());
        FontWindow& reopened = ShowFont(again);
        QCOMPARE(Find<QComboBox>(reopened, "cmbCompression").currentText(), QStringLiteral("lz10"));
        QCOMPARE(Find<QLineEdit>(reopened, "txtOffset").text(), QStringLiteral("1000"));
        QTRY_COMPARE(reopened.View().Offset(), 512u * 16);
        QVERIFY(Draws(reopened, 0, font.glyphs[512]));
    }

    void aLargeStreamUnpacksWhileTheWindowAnswersAndTheLatestAskedIsShown() {
        QTemporaryDir folder;
        const LargeStreams large(folder);
        Session session;
        session.state.gameFile.Set(GameFile::Open(large.path.toStdString()).value());
        FontWindow& window = ShowFont(session);
        Choose(Find<QComboBox>(window, "cmbFormat"), QStringLiteral("gb2bpp"));
        const QString first = QString::number(large.at[0], 16).toUpper();
        const QString second = QString::number(large.at[1], 16).toUpper();

        // Asking for the stream returns at once: the page is empty and says it is unpacking.
        TypeOffset(window, first);
        Choose(Find<QComboBox>(window, "cmbCompression"), QStringLiteral("lz10"));
        const QString unpackingFirst = QStringLiteral("Unpacking the lz10 stream at %1…").arg(first);
        QCOMPARE(Status(window), unpackingFirst);
        QCOMPARE(window.View().GlyphsShown(), 0);
        // A key is answered meanwhile, and what it changes is kept with the stream asked for.
        auto& grid = Find<FontGrid>(window, "glyphGrid");
        QTest::keyClick(&grid, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(Find<QSpinBox>(window, "spnZoom").value(), 3);
        QCOMPARE(Status(window), unpackingFirst);
        FontSettings kept = FontSettings::Of(session.document);
        QCOMPARE(kept.zoom, 3);
        QCOMPARE(kept.compression, Compression::Lz10);
        QCOMPARE(kept.stream, large.at[0]);
        QCOMPARE(kept.offset, 0u);
        QTRY_VERIFY_WITH_TIMEOUT(Draws(window, 255, large.glyphs[0][255]), 60000);
        QVERIFY(Draws(window, 0, large.glyphs[0][0]));
        QCOMPARE(Status(window), QStringLiteral("Glyph at 0 of the stream at %1").arg(first));

        // The first stream asked for again, then the second before it is done: the first is
        // never shown, and the page says it unpacks the second until the second is there.
        Choose(Find<QComboBox>(window, "cmbCompression"), QStringLiteral("none"));
        Choose(Find<QComboBox>(window, "cmbCompression"), QStringLiteral("lz10"));
        QCOMPARE(Status(window), unpackingFirst);
        TypeOffset(window, second);
        const QString unpackingSecond =
            QStringLiteral("Unpacking the lz10 stream at %1…").arg(second);
        QDeadlineTimer deadline(60000);
        while (!Draws(window, 0, large.glyphs[1][0])) {
            QCOMPARE(Status(window), unpackingSecond);
            QCOMPARE(window.View().GlyphsShown(), 0);
            QVERIFY(!deadline.hasExpired());
            QTest::qWait(1);
        }
        QVERIFY(Draws(window, 255, large.glyphs[1][255]));
        QCOMPARE(Status(window), QStringLiteral("Glyph at 0 of the stream at %1").arg(second));
        QCOMPARE(FontSettings::Of(session.document).stream, large.at[1]);
    }

    void theAnchorAndTheCodeMapsGlyphsCountInTheStream() {
        QTemporaryDir folder;
        const PackedFont font(folder);
        Session session;
        session.state.gameFile.Set(GameFile::Open(font.path.toStdString()).value());
        FontWindow& window = ShowFont(session);
        Choose(Find<QComboBox>(window, "cmbFormat"), QStringLiteral("gb2bpp"));
        TypeOffset(window, QStringLiteral("1000"));
        Choose(Find<QComboBox>(window, "cmbCompression"), QStringLiteral("lz10"));
        QTRY_COMPARE(window.View().GlyphsShown(), 256);

        // Glyph 3 of the stream anchored to code 20: code 21 is glyph 4.
        auto& grid = Find<FontGrid>(window, "glyphGrid");
        QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.GlyphRect(3).center());
        auto& anchor = Find<QLineEdit>(window, "txtAnchor");
        Retype(anchor, QStringLiteral("20"));
        QTest::keyClick(&anchor, Qt::Key_Return);
        const auto kept = FontSettings::Of(session.document).anchor;
        QVERIFY(kept);
        QCOMPARE(kept->glyphOffset, 3u * 16);
        QCOMPARE(window.View().CodeOf(4), std::optional(TableCode::OneByte(0x21)));

        // The code map's pictures: read from the unpacked glyphs, by the same anchor.
        FontPictures pictures(session.document, session.state.gameFile);
        QTRY_VERIFY(pictures.Any());
        const IndexedGlyph& glyph = font.glyphs[4];
        const QImage& drawn = pictures.Of(0x21);
        QCOMPARE(drawn.size(), QSize(8, 8));
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                QCOMPARE(drawn.pixel(x, y), FontGrid::InkColour(glyph.at(x, y) * 85));
            }
        }
    }

    void aStreamThatDoesNotUnpackSaysWhyAndLosesNothing() {
        QTemporaryDir folder;
        const PackedFont font(folder);
        Session session;
        session.state.gameFile.Set(GameFile::Open(font.path.toStdString()).value());
        FontWindow& window = ShowFont(session);
        Choose(Find<QComboBox>(window, "cmbFormat"), QStringLiteral("gb2bpp"));
        TypeOffset(window, QStringLiteral("1000"));
        Choose(Find<QComboBox>(window, "cmbCompression"), QStringLiteral("lz10"));
        QTRY_COMPARE(window.View().GlyphsShown(), 256);

        // 55h is no type byte: nothing shown, the reason said, the choice kept.
        TypeOffset(window, QStringLiteral("800"));
        QCOMPARE(window.View().GlyphsShown(), 0);
        QTRY_COMPARE(Status(window),
                 QStringLiteral("No lz10 stream at 800: the bytes there do not start with that "
                                "compression's header. Choose another offset or compression."));
        QCOMPARE(FontSettings::Of(session.document).stream, 0x800u);
        QCOMPARE(FontSettings::Of(session.document).compression, Compression::Lz10);

        // The same stream read as another compression: refused the same way.
        TypeOffset(window, QStringLiteral("1000"));
        Choose(Find<QComboBox>(window, "cmbCompression"), QStringLiteral("rle"));
        QTRY_VERIFY2(Status(window).startsWith(QStringLiteral("No rle stream at 1000")),
                     qPrintable(Status(window)));
        QCOMPARE(window.View().GlyphsShown(), 0);

        // Back to none: the raw bytes at the stream's start, the page full again.
        Choose(Find<QComboBox>(window, "cmbCompression"), QStringLiteral("none"));
        QCOMPARE(window.View().Offset(), kStreamAt);
        QCOMPARE(window.View().GlyphsShown(), 256);
        QCOMPARE(Status(window), QStringLiteral("Glyph at 1000"));
        QCOMPARE(FontSettings::Of(session.document).compression, Compression::None);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::FontCompressionTest)
#include "FontCompressionTest.moc"
